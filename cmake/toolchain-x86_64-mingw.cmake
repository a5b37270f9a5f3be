# The same code for 64-bit Windows: a test build for machines that cannot run
# 32-bit programs (wine64 runs it there), never shipped.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QELT_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
