# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix thread model).
# Used for the cached Qt build (scripts/windows-qt) and, through cmake/windows.cmake, for
# the program's own `windows` preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CYKL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CYKL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CYKL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CYKL_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${CYKL_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${CYKL_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the mingw sysroot and the prefixes given on the
# command line, never from the build machine; programs (host tools) from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${CYKL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
