# Cross build for 64-bit Windows with mingw-w64 on Debian, run under Wine.
#
# The -posix compilers: the win32 thread model has no std::mutex or std::thread. Everything is
# linked statically, so the programs need no DLL beyond the ones every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DIDUZOZOZ_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DIDUZOZOZ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DIDUZOZOZ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DIDUZOZOZ_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DIDUZOZOZ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the test programs, at build time (test discovery) and under ctest, in a prefix of
# the build folder's own so nothing is shared with the user's ~/.wine. The wine64 loader is
# called directly: Debian's wine wrapper warns about a missing wine32 on every start.
find_program(DIDUZOZOZ_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
if(DIDUZOZOZ_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      /usr/bin/env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= ${DIDUZOZOZ_WINE64})
endif()
