// The resources built into the program for the portable layer: the same bytes
// that windres puts into the Windows executable, generated from resources/ by
// the build (see tools/). FindResourceA and friends search this table.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedResource {
  // Resource type: a numeric RT_* value when typeName is null, else a name
  // such as "WAVE" (compared without regard to case).
  uint16_t typeId;
  const char* typeName;
  // Resource name: a numeric id when name is null, else a name such as
  // "ICONSNOWVEL" (compared without regard to case).
  uint16_t id;
  const char* name;
  const unsigned char* data;
  size_t size;
};

// Defined by the generated table (or by a test that supplies its own).
extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

// Tests may swap in their own table (for example one with a bitmap missing);
// passing nullptr restores the built-in one.
void setResourceTable(const EmbeddedResource* table, size_t count);
