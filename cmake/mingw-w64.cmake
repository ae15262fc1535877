# Cross-builds everything below src/qt for 64-bit Windows on Debian, with
# mingw-w64's GCC in its POSIX thread model (Debian package
# g++-mingw-w64-x86-64-posix), every program linked statically so that it
# needs no DLL beside it. Tests run under Wine (cmake/wine-run.sh).
#
#   cmake --preset windows        (CMakePresets.json: build/windows, with this file)
#
# ./scripts/windows-check does all of it: installs, builds and runs the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the thread library go into each program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GoogleTest built from Debian's source package with this compiler: the
# libraries of libgtest-dev are for Linux.
set(YASERUNBA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")

# Tests, and the discovery of GoogleTest's cases, run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
