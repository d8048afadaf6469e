# WebAssembly with Debian's emscripten package (apt-get install emscripten).
# This wraps emscripten's own CMake platform file and adds what a Debian
# machine needs around it.

# The platform file lives beside the emcc scripts; /usr/bin/emcc is only a
# shell wrapper, so look where Debian puts them before asking the environment.
find_file(SNOWVEL_EMSCRIPTEN_PLATFORM Emscripten.cmake
  PATHS /usr/share/emscripten/cmake/Modules/Platform
        $ENV{EMSCRIPTEN}/cmake/Modules/Platform
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT SNOWVEL_EMSCRIPTEN_PLATFORM)
  message(FATAL_ERROR "emscripten not found: run scripts/install-deps --web "
    "(Debian's emscripten package) or set EMSCRIPTEN to its folder")
endif()
include(${SNOWVEL_EMSCRIPTEN_PLATFORM})

# emcc runs node at link time with JavaScript helpers (acorn) that Debian keeps
# in /usr/share/nodejs. Debian's node searches there by itself; a node from
# elsewhere does not, and every link then fails with "Cannot find module
# 'acorn'". NODE_PATH fixes it for this configure run (environment) and for
# every later link (a launcher), whatever shell the build runs in.
set(SNOWVEL_NODE_PATH "$ENV{NODE_PATH}")
if(EXISTS /usr/share/nodejs/acorn)
  list(APPEND SNOWVEL_NODE_PATH /usr/share/nodejs)
  list(REMOVE_DUPLICATES SNOWVEL_NODE_PATH)
endif()
string(REPLACE ";" ":" SNOWVEL_NODE_PATH "${SNOWVEL_NODE_PATH}")
if(SNOWVEL_NODE_PATH)
  set(ENV{NODE_PATH} "${SNOWVEL_NODE_PATH}")
  set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${SNOWVEL_NODE_PATH})
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${SNOWVEL_NODE_PATH})
endif()

# The Node driver's command line (CLI11) reports bad options by exceptions;
# emscripten turns catching off unless asked (the flag reaches the link too,
# where CMake passes the compile flags on). The page catches nothing: there
# only a failed allocation could throw, which ends the program either way,
# and with catching on every call under a pending destructor goes through
# JavaScript, each such caller instrumented by Asyncify: the page's program
# is a fifth smaller without.
if(NOT SNOWVEL_WEB)
  set(CMAKE_C_FLAGS_INIT "-fexceptions")
  set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
endif()
