# Cross build of the 32-bit Windows product with MinGW-w64.
#
# The product's modules run inside the host's process on Windows from XP SP2 on, so they are
# built with the win32 thread model: the posix model's runtime (winpthread) imports
# GetTickCount64, which XP lacks, and adds threads' machinery the plug-in never uses. The test
# programs need std::mutex (GoogleTest), which this model lacks: they are built with the posix
# model in a tree of their own (toolchain-i686-w64-mingw32-posix.cmake, see CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_MINGW_THREADS win32)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
