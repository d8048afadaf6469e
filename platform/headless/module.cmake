# The headless backend saves screenshots as PNG.
target_link_libraries(backend_headless PUBLIC png_file)
