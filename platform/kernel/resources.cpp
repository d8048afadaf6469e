// Resource lookup over the embedded table. An HRSRC is the address of a
// table entry and an HGLOBAL from LoadResource is the data itself (as on
// 32-bit Windows, where LockResource only hands the pointer back).
#include <cstdlib>
#include <cstring>

#include "platform/kernel/module_handle.h"
#include "platform/kernel/resource_lookup.h"
#include "platform/kernel/resource_table.h"
#include "platform/win32/kernel.h"

namespace {
const EmbeddedResource* activeTable = nullptr;
size_t activeCount = 0;

// A type or name as FindResourceA receives it: an integer id, or a string.
struct ResourceKey {
  bool valid = true;
  bool isId = false;
  uint16_t id = 0;
  const char* name = nullptr;
};

// "#123" is the id 123, as Windows reads it (leading zeros allowed); a "#"
// with no digits, anything after them or a value past 16 bits matches nothing.
ResourceKey readKey(LPCSTR text) {
  ResourceKey key;
  if (IS_INTRESOURCE(text)) {
    key.isId = true;
    key.id = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(text));
    return key;
  }
  if (text[0] != '#') {
    key.name = text;
    return key;
  }
  uint32_t value = 0;
  const char* p = text + 1;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<uint32_t>(*p - '0');
    if (value > 0xFFFF) return ResourceKey{false};
  }
  if (p == text + 1 || *p != '\0') return ResourceKey{false};
  key.isId = true;
  key.id = static_cast<uint16_t>(value);
  return key;
}

bool matches(const ResourceKey& key, uint16_t id, const char* name) {
  if (key.isId) return name == nullptr && id == key.id;
  return name != nullptr && lstrcmpiA(name, key.name) == 0;
}

const EmbeddedResource* entryOf(HRSRC resource) {
  const auto* entry = reinterpret_cast<const EmbeddedResource*>(resource);
  const EmbeddedResource* table = resourceTable();
  // Compare as integers: a foreign pointer is not in the array at all.
  const auto at = reinterpret_cast<uintptr_t>(entry);
  const auto begin = reinterpret_cast<uintptr_t>(table);
  const auto end = reinterpret_cast<uintptr_t>(table + resourceCount());
  if (at < begin || at >= end || (at - begin) % sizeof(EmbeddedResource) != 0) return nullptr;
  return entry;
}
}  // namespace

void setResourceTable(const EmbeddedResource* table, size_t count) {
  activeTable = table;
  activeCount = table ? count : 0;
}

const EmbeddedResource* resourceTable() {
  return activeTable ? activeTable : kEmbeddedResources;
}

size_t resourceCount() {
  return activeTable ? activeCount : kEmbeddedResourceCount;
}

size_t resourceBytesFrom(const void* p) {
  const auto at = reinterpret_cast<uintptr_t>(p);
  const EmbeddedResource* table = resourceTable();
  for (size_t i = 0; i < resourceCount(); ++i) {
    const auto begin = reinterpret_cast<uintptr_t>(table[i].data);
    if (table[i].data && at >= begin && at < begin + table[i].size)
      return begin + table[i].size - at;
  }
  return 0;
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!isProgramModule(module)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!name || !type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const ResourceKey typeKey = readKey(type);
  const ResourceKey nameKey = readKey(name);
  bool typeSeen = false;
  const EmbeddedResource* table = resourceTable();
  for (size_t i = 0; typeKey.valid && nameKey.valid && i < resourceCount(); ++i) {
    if (!matches(typeKey, table[i].typeId, table[i].typeName)) continue;
    typeSeen = true;
    if (matches(nameKey, table[i].id, table[i].name))
      return reinterpret_cast<HRSRC>(const_cast<EmbeddedResource*>(&table[i]));
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* entry = isProgramModule(module) ? entryOf(resource) : nullptr;
  if (!entry || !entry->data) {
    SetLastError(entry ? ERROR_RESOURCE_DATA_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<unsigned char*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) {
  return resourceData;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  const EmbeddedResource* entry = isProgramModule(module) ? entryOf(resource) : nullptr;
  if (!entry) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return static_cast<DWORD>(entry->size);
}

BOOL WINAPI FreeResource(HGLOBAL) {
  return FALSE;
}

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) return 0;
  buffer[0] = '\0';
  if (id > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_STRING);
  if (!found) return 0;
  const EmbeddedResource* entry = entryOf(found);
  // The table holds the bare text; a stray terminator inside ends it early.
  size_t length =
      entry->data ? strnlen(reinterpret_cast<const char*>(entry->data), entry->size) : 0;
  if (length > static_cast<size_t>(bufferMax - 1)) length = static_cast<size_t>(bufferMax - 1);
  std::memcpy(buffer, entry->data, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}
