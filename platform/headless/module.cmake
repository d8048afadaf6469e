# The headless backend saves screenshots as PNG (Debian: libpng-dev). A
# WebAssembly build has no libpng (emscripten's port downloads its sources at
# build time), so there the screenshot option reports that it is unavailable.
if(EMSCRIPTEN)
  target_compile_definitions(backend_headless PRIVATE SNOWVEL_NO_PNG=1)
else()
  find_package(PNG REQUIRED)
  target_link_libraries(backend_headless PUBLIC PNG::PNG)
endif()
