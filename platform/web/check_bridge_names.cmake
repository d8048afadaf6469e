# Fails the build when the page's JavaScript reads a SnowvelBridge field that
# web_bridge_values.h does not make: the slip would read undefined and pass
# for 0 or nothing only when the page runs. Fields are read as
# SnowvelBridge.NAME or through the files' alias, B.NAME.
#   cmake -DBRIDGE=bridge.js -DJS_DIR=dir -DSTAMP=file -P check_bridge_names.cmake
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${BRIDGE} field_lines REGEX "^    [A-Z0-9_]+: ")
set(fields "")
foreach(line IN LISTS field_lines)
  string(REGEX MATCH "[A-Z0-9_]+" name "${line}")
  list(APPEND fields ${name})
endforeach()

file(GLOB scripts ${JS_DIR}/*.js)
set(problems "")
foreach(script IN LISTS scripts)
  file(READ ${script} text)
  string(REGEX MATCHALL "(SnowvelBridge|[^A-Za-z0-9_$]B)\\.[A-Z][A-Z0-9_]*" reads "${text}")
  foreach(read IN LISTS reads)
    string(REGEX REPLACE "^.*\\." "" name "${read}")
    if(NOT name IN_LIST fields)
      get_filename_component(script_name ${script} NAME)
      list(APPEND problems "${script_name} reads SnowvelBridge.${name}")
    endif()
  endforeach()
endforeach()
if(problems)
  list(REMOVE_DUPLICATES problems)
  string(REPLACE ";" "\n  " problem_text "${problems}")
  message(FATAL_ERROR "platform/web/js: fields that web_bridge_values.h does not make:\n  ${problem_text}")
endif()
file(TOUCH ${STAMP})
