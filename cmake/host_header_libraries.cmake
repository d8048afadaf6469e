# Cross builds for WebAssembly: CLI11 and nlohmann-json are header-only, so the
# build machine's copies serve as they are. Their own CMake packages would add
# /usr/include to the include path, where the host's C library headers would
# shadow emscripten's; instead each library's folder alone is linked into a
# folder of the build tree and offered under the package's usual target name.
set(SNOWVEL_HOST_INCLUDE_DIR /usr/include CACHE PATH
  "Where the build machine keeps the CLI11 and nlohmann-json headers")
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${host_headers})

function(snowvel_host_header_library target folder probe)
  if(NOT EXISTS ${SNOWVEL_HOST_INCLUDE_DIR}/${folder}/${probe})
    return()
  endif()
  file(CREATE_LINK ${SNOWVEL_HOST_INCLUDE_DIR}/${folder} ${host_headers}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
endfunction()

snowvel_host_header_library(nlohmann_json::nlohmann_json nlohmann json.hpp)
snowvel_host_header_library(CLI11::CLI11 CLI CLI.hpp)
if(NOT TARGET nlohmann_json::nlohmann_json)
  message(FATAL_ERROR "nlohmann-json headers not found in ${SNOWVEL_HOST_INCLUDE_DIR} "
    "(Debian: nlohmann-json3-dev)")
endif()
