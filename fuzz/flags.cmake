# A fuzzing build instruments everything for coverage and runs under
# AddressSanitizer and UBSan; only the fuzz targets link libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "SNOWVEL_FUZZ needs clang (libFuzzer): configure with CXX=clang++ CC=clang")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
