// A bare profile name ("tolvane.ini") means the Windows directory, which an
// ordinary user may not write; Windows redirects such writes to the user's
// VirtualStore only for 32-bit programs without a manifest. So the 64-bit
// build keeps bare names in %LOCALAPPDATA%\Snowvel\ instead, made on first
// use. Names with a path, or no LOCALAPPDATA at all, pass through unchanged.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>

namespace {

constexpr char kFolderName[] = "\\Snowvel";

bool isBareName(const char* file) {
  return std::strpbrk(file, "\\/:") == nullptr;
}

// The path to use for FILE; PATH holds it when it is not FILE itself.
const char* perUserPath(const char* file, char (&path)[MAX_PATH]) {
  if (file == nullptr || !isBareName(file)) return file;
  DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", path, MAX_PATH);
  size_t needed = length + sizeof kFolderName + 1 + std::strlen(file);
  if (length == 0 || needed > MAX_PATH) return file;
  std::strcat(path, kFolderName);
  // Already there, or made now; should it fail, the write below fails and
  // the game shows the list as it stands, as for any unwritable file.
  CreateDirectoryA(path, nullptr);
  std::strcat(path, "\\");
  std::strcat(path, file);
  return path;
}

}  // namespace

DWORD WINAPI perUserGetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback,
                                             LPSTR buffer, DWORD size, LPCSTR file) {
  char path[MAX_PATH];
  return GetPrivateProfileStringA(section, key, fallback, buffer, size, perUserPath(file, path));
}

BOOL WINAPI perUserWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                              LPCSTR file) {
  char path[MAX_PATH];
  return WritePrivateProfileStringA(section, key, value, perUserPath(file, path));
}
