// Layer-internal access to the embedded resource table, for the parts of the
// layer that need more than the Win32 calls give (the sound player asks how
// many bytes follow a pointer into a resource).
#pragma once

#include <cstddef>

#include "platform/kernel/resource_table.h"

// The table in force: the built-in one or a test's.
const EmbeddedResource* resourceTable();
size_t resourceCount();

// How many bytes of one resource's data start at p, or 0 when p points into
// no resource. Lets a reader of a pointer it was handed stay in bounds.
size_t resourceBytesFrom(const void* p);
