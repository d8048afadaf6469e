# 32-bit Windows with MinGW-w64's POSIX thread model: the conformance tests
# built as the 32-bit exe is, for 32-bit Wine in the emulated PC.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
