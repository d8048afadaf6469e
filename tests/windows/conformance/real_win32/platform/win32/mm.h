// Conformance build for Windows: a test that names the layer's mm.h gets the
// real API instead, so the same expectations run against Windows (or Wine).
#pragma once
#include "platform/win32.h"
