# Cross-build of the Windows console programs with Debian's MinGW-w64 compilers.
#   cmake -S . -B DIR -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRELSTAN_MINGW_ARCH=i686
# BRELSTAN_MINGW_ARCH is i686 (32-bit x86) or x86_64; one configure builds one word size.
# The win32 thread model needs no threading DLL (the programs are single-threaded), and
# everything is linked statically, so that the programs run on a bare Windows machine.
set(CMAKE_SYSTEM_NAME Windows)
set(BRELSTAN_MINGW_ARCH x86_64 CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${BRELSTAN_MINGW_ARCH})
set(triple ${BRELSTAN_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
