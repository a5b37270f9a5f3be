# Options shared by every target of the project.
add_library(qelt_options INTERFACE)
target_compile_options(qelt_options INTERFACE -Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; every user-visible text is Windows-1251 in the binaries.
  # (clang cannot convert, so clang builds keep UTF-8; they carry no such texts.)
  target_compile_options(qelt_options INTERFACE -finput-charset=UTF-8 -fexec-charset=CP1251)
endif()
if(WIN32)
  # No -fdata-sections: with it mingw gcc puts zero-initialised arrays into .data.
  target_compile_options(qelt_options INTERFACE -ffunction-sections)
  # No time stamp in the PE header: two builds of one commit are the same bytes.
  target_link_options(qelt_options INTERFACE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections
    -Wl,--no-insert-timestamp)
  target_compile_definitions(qelt_options INTERFACE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
endif()
if(QELT_SANITIZE AND NOT WIN32)
  target_compile_options(qelt_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(qelt_options INTERFACE -fsanitize=address,undefined)
endif()
