# The pixel loops run for every sprite of every repaint: let the compiler
# vectorise them fully in optimised builds.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/raster.cpp PROPERTIES
    COMPILE_OPTIONS "$<$<NOT:$<CONFIG:Debug>>:-O3>")
endif()
