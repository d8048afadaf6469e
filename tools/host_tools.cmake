# Cross builds: the resource pipeline needs the host tools as programs of the
# build machine. Either point SNOWVEL_HOST_TOOLS_DIR at the binary folder of a
# native tools build (cmake -S tools -B build-host-tools), or leave it empty
# and the tools are built here as an external project with the host's default
# compiler (no toolchain file is passed on).
set(SNOWVEL_HOST_TOOLS_DIR "" CACHE PATH
  "Folder holding prebuilt host tools for a cross build; empty to build them here")

if(SNOWVEL_HOST_TOOLS_DIR)
  set(host_dir ${SNOWVEL_HOST_TOOLS_DIR})
  set(host_depends "")
  foreach(tool ${SNOWVEL_HOST_TOOLS})
    if(NOT EXISTS ${host_dir}/${tool} AND NOT EXISTS ${host_dir}/${tool}.exe)
      message(FATAL_ERROR "SNOWVEL_HOST_TOOLS_DIR=${host_dir} has no ${tool}")
    endif()
  endforeach()
else()
  include(ExternalProject)
  set(host_dir ${CMAKE_CURRENT_BINARY_DIR}/host)
  set(host_byproducts "")
  foreach(tool ${SNOWVEL_HOST_TOOLS})
    list(APPEND host_byproducts ${host_dir}/${tool}${CMAKE_HOST_EXECUTABLE_SUFFIX})
  endforeach()
  ExternalProject_Add(snowvel_host_tools
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}
    BINARY_DIR ${host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${host_byproducts})
  set(host_depends snowvel_host_tools)
endif()

foreach(tool ${SNOWVEL_HOST_TOOLS})
  add_executable(${tool} IMPORTED GLOBAL)
  if(EXISTS ${host_dir}/${tool}.exe)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${host_dir}/${tool}.exe)
  else()
    set_target_properties(${tool} PROPERTIES
      IMPORTED_LOCATION ${host_dir}/${tool}${CMAKE_HOST_EXECUTABLE_SUFFIX})
  endif()
endforeach()
set(SNOWVEL_HOST_TOOLS_DEPENDS ${host_depends} CACHE INTERNAL "")
