# SPDX-License-Identifier: GPL-3.0-or-later
# Toolchain of the `wasm` preset: Debian's clang 14 and lld for WebAssembly, with the C
# library (wasi-libc) and libc++ that Debian ships for wasm32-wasi under /usr.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
# The module does no input or output and throws nothing: a failure is a trap. It is
# made as small as the compiler can, across the libraries (-flto), for the page's budget.
string(APPEND CMAKE_CXX_FLAGS_INIT " -fno-exceptions -fno-rtti -flto")
# The libraries' flags for the native chart module (-fno-semantic-interposition) mean
# nothing where there are no shared libraries.
string(APPEND CMAKE_CXX_FLAGS_INIT " -Wno-unused-command-line-argument")
# Clang's own defaults append -Os to an _INIT value, and the last level wins: the cache
# entry is set here, before they are read.
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG" CACHE STRING "Flags of the module's build")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -flto")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
