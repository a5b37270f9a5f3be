# GoogleTest: the system's package natively, built from its sources when cross
# compiling. Windows test executables run under Wine through the crosscompiling
# emulator set in the toolchain file.
if(WIN32 OR QELT_I386)
  # The system's GoogleTest is x86-64 only: the i386 build takes its sources too.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QELT_GTEST_MAIN gtest_main)
  set(QELT_GTEST gtest)
endif()
if(WIN32)
  # The win32 thread model has no std::mutex; GoogleTest's one use of it
  # gets a Win32 stand-in, in GoogleTest and in every test that includes it.
  target_compile_options(gtest PUBLIC -DGTEST_HAS_NOTIFICATION_=1
    -include ${PROJECT_SOURCE_DIR}/tests/support/gtest_win32_notification.h)
elseif(NOT QELT_I386)
  find_package(GTest REQUIRED)
  set(QELT_GTEST_MAIN GTest::gtest_main)
  set(QELT_GTEST GTest::gtest)
endif()

# Test time limits are written for a real machine; a slower road (the 32-bit
# guest under emulation) configures with a larger QELT_TEST_TIME_SCALE.
set(QELT_TEST_TIME_SCALE 1 CACHE STRING "Multiplies every test's time limit")
math(EXPR QELT_TIMEOUT_GTEST "600 * ${QELT_TEST_TIME_SCALE}")
math(EXPR QELT_TIMEOUT_INSTALLER "300 * ${QELT_TEST_TIME_SCALE}")

# qelt_add_gtest(<target> <sources...> [LIBS <libs...>])
# One executable, one ctest entry; under Wine when cross compiling.
function(qelt_add_gtest target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${target} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} ${QELT_GTEST_MAIN} qelt_options)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES TIMEOUT ${QELT_TIMEOUT_GTEST})
endfunction()

# qelt_add_unicode_run(<test>): the same test once more against the
# x86-unicode plug-in (QELT_FLAVOUR=unicode); the first run takes x86-ansi.
function(qelt_add_unicode_run test)
  get_test_property(${test} TIMEOUT timeout)
  add_test(NAME ${test}_unicode COMMAND ${test} --gtest_brief=1)
  set_tests_properties(${test}_unicode PROPERTIES TIMEOUT ${timeout} ENVIRONMENT QELT_FLAVOUR=unicode)
endfunction()

# qelt_add_installer_test(<name> <command...>): a test that builds and runs
# real installers, once per plug-in flavour: <name> with x86-ansi,
# <name>_unicode with x86-unicode (QELT_FLAVOUR). NSIS has no ANSI amd64
# stub, so the x86-64 test build runs only the Unicode one. The installers
# share one Wine prefix and take turns.
function(qelt_add_installer_test name)
  set(runs unicode)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(runs ansi unicode)
  endif()
  foreach(flavour ${runs})
    set(test ${name})
    if(flavour STREQUAL "unicode")
      set(test ${name}_unicode)
    endif()
    add_test(NAME ${test} COMMAND ${ARGN})
    set_tests_properties(${test} PROPERTIES TIMEOUT ${QELT_TIMEOUT_INSTALLER} RESOURCE_LOCK wineprefix
      ENVIRONMENT QELT_FLAVOUR=${flavour})
  endforeach()
endfunction()
