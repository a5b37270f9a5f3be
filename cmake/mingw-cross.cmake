# Shared by the toolchain files: cross build for Windows with mingw-w64
# (QELT_MINGW_TRIPLE), win32 thread model: the runtime linked into a DLL then
# needs no winpthread. Everything is linked statically so no mingw runtime
# DLL is ever needed next to a binary.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QELT_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QELT_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${QELT_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QELT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# ctest runs every Windows executable through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
