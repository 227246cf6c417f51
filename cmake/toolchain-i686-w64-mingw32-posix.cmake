# The win32 build's test programs: the same cross compiler with the posix thread model, whose
# runtime has the std::mutex that GoogleTest needs. Nothing built with it ships.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-i686-w64-mingw32.cmake)
set(KV_MINGW_THREADS posix)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
