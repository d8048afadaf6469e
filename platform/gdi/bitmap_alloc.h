// Allocating bitmap pixels with a ceiling, so a hostile size fails cleanly.
#pragma once

#include <memory>

#include "platform/gdi/gdi_objects.h"

// Up to 64 Mi pixels (256 MiB in colour); larger sizes and allocation failure
// give nullptr. New pixels are black (all bits 0).
std::unique_ptr<GdiBitmap> allocateBitmap(int width, int height, bool monochrome);
