# The headless backend saves screenshots as PNG (Debian: libpng-dev).
find_package(PNG REQUIRED)
target_link_libraries(backend_headless PUBLIC PNG::PNG)
