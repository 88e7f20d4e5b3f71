# Cross-building kelpway.exe for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix): cmake --preset windows, or --toolchain this file.
# Programs are linked statically, so kelpway.exe needs no DLL beside it. Tests run under
# wine64 through cmake/wine-run.sh. -DMINGW_EXTRA_ROOTS=DIR adds a root to find packages
# built for MinGW in (GoogleTest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_SYSTEM_VERSION 10)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
# The gcc- wrappers of ar and ranlib understand link-time optimised objects.
set(CMAKE_C_COMPILER_AR /usr/bin/${mingw_triple}-gcc-ar-posix)
set(CMAKE_CXX_COMPILER_AR /usr/bin/${mingw_triple}-gcc-ar-posix)
set(CMAKE_C_COMPILER_RANLIB /usr/bin/${mingw_triple}-gcc-ranlib-posix)
set(CMAKE_CXX_COMPILER_RANLIB /usr/bin/${mingw_triple}-gcc-ranlib-posix)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${MINGW_EXTRA_ROOTS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_EXTRA_ROOTS)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
