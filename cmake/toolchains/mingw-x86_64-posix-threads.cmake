# 64-bit Windows with MinGW-w64's POSIX thread model, for programs that need
# std::mutex and friends (GoogleTest in the Windows conformance build). The
# game itself needs no threads and keeps the plain toolchain. Linked with
# -static, the thread library goes into the program, not beside it.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
