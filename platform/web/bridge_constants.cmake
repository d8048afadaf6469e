# Writes the page's SnowvelBridge object from the headers given: each line
# `inline constexpr int kSomeName = 12;` or `inline constexpr char kSomeName[] = "text";`
# becomes SOME_NAME: 12 or SOME_NAME: "text". Runs at configure time; an edit of
# a header configures again. An `inline constexpr` line of another shape
# stops the configure, so nothing crosses by hand.
function(snowvel_write_bridge_constants output)
  set(fields "")
  set(sources "")
  foreach(header IN LISTS ARGN)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${header})
    string(APPEND sources "//   ${shown}\n")
    file(STRINGS ${header} lines REGEX "^inline constexpr")
    foreach(line IN LISTS lines)
      if(line MATCHES "^inline constexpr int k([A-Za-z0-9]+) = (-?[0-9]+);$")
        set(value ${CMAKE_MATCH_2})
      elseif(line MATCHES "^inline constexpr char k([A-Za-z0-9]+)\\[\\] = (\"[^\"]*\");$")
        set(value ${CMAKE_MATCH_2})
      else()
        message(FATAL_ERROR "${header}: cannot carry this line to the page: ${line}")
      endif()
      string(REGEX REPLACE "([a-z0-9])([A-Z])" "\\1_\\2" name ${CMAKE_MATCH_1})
      string(TOUPPER ${name} name)
      string(APPEND fields "    ${name}: ${value},\n")
    endforeach()
  endforeach()
  file(CONFIGURE OUTPUT ${output} @ONLY CONTENT
"// Made by the build from the values the page and the C++ share, in
@sources@// Edit those headers, not this file.
mergeInto(LibraryManager.library, {
  $SnowvelBridge: {
@fields@  },
});
")
endfunction()
