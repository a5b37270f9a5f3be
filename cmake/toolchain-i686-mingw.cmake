# The product: 32-bit Windows, as NSIS's x86 installers load it.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QELT_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
