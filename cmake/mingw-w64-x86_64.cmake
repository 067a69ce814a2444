# Cross toolchain: Windows x86-64 with MinGW-w64 (posix thread model), tests
# run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs through wine (the "wine" command starts the
# 64-bit loader); see scripts/windows-test.sh for the environment it needs.
find_program(PL_WINE wine)
if(PL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PL_WINE})
endif()
