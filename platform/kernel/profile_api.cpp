// GetPrivateProfileStringA, GetPrivateProfileIntA and
// WritePrivateProfileStringA over profile_document and profile_file. Every
// call reads the file afresh: the game touches its profile once per finished
// run, and nothing is cached that another program could change under us.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel/process_settings.h"
#include "platform/kernel/profile_document.h"
#include "platform/kernel/profile_file.h"
#include "platform/win32/kernel.h"

namespace {
// A NULL file name means win.ini, as on Windows.
std::string pathFor(LPCSTR fileName) {
  return resolveProfilePath(fileName ? fileName : "win.ini");
}

ProfileDocument readDocument(LPCSTR fileName) {
  const std::string path = pathFor(fileName);
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return {};
  }
  ProfileBytes file = readProfileBytes(path);
  if (file.status == ProfileReadStatus::Missing) SetLastError(ERROR_FILE_NOT_FOUND);
  if (file.status == ProfileReadStatus::Failed) SetLastError(ERROR_ACCESS_DENIED);
  return parseProfile(file.bytes);
}

// Texts stop at their first NUL: the caller gets a C string.
std::string_view asCString(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

DWORD copyText(std::string_view text, LPSTR buffer, DWORD size) {
  text = asCString(text);
  const size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

// Names one after another, each terminated, and one more terminator at the
// end. When they do not fit, the last one that starts is cut so that the
// buffer still ends in two terminators, and the result is size - 2.
DWORD copyNameList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  DWORD at = 0;
  for (const std::string& full : names) {
    const std::string_view name = asCString(full);
    if (at + name.size() + 2 > size) {
      const DWORD room = size - 2 - at;
      std::memcpy(buffer + at, name.data(), room);
      buffer[size - 2] = '\0';
      buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer + at, name.data(), name.size());
    at += static_cast<DWORD>(name.size());
    buffer[at++] = '\0';
  }
  buffer[at] = '\0';
  // With no names at all Windows still leaves two terminators.
  if (at == 0) buffer[1] = '\0';
  return at;
}

std::function<void(const ProfileValueWrite&)> writeWatcher;

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// A write that loses what the game meant to keep is told once per file, with
// the reason; the game itself carries on as Windows would let it.
BOOL failWrite(const std::string& path, DWORD error, const char* reason) {
  reportProfileWriteFailure(path, reason);
  return fail(error);
}

DWORD errorOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return ERROR_WRITE_FAULT;
    default:
      return ERROR_WRITE_FAULT;
  }
}
}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName) {
  if (!buffer || size == 0) return 0;
  const ProfileDocument document = readDocument(fileName);
  if (!section) return copyNameList(profileSectionNames(document), buffer, size);
  if (!key) return copyNameList(profileKeyNames(document, section), buffer, size);
  if (const auto value = findProfileValue(document, section, key))
    return copyText(*value, buffer, size);
  // Windows drops the default's trailing blanks.
  std::string_view fallback = defaultValue ? defaultValue : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return copyText(fallback, buffer, size);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  if (!section || !key) return static_cast<UINT>(defaultValue);
  const auto value = findProfileValue(readDocument(fileName), section, key);
  if (!value || asCString(*value).empty()) return static_cast<UINT>(defaultValue);
  // Decimal with an optional sign; the digits stop at the first non-digit.
  const char* p = value->c_str();
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  uint32_t number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) number = number * 10 + static_cast<uint32_t>(*p - '0');
  return negative ? 0u - number : number;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  // All three NULL only asks Windows to flush its cache; there is none here.
  if (!section) return (!key && !value) ? TRUE : fail(ERROR_INVALID_PARAMETER);
  if (!isWritableSectionName(section) || (key && !isWritableKeyName(key)) ||
      (key && value && !isWritableValue(value)))
    return fail(ERROR_INVALID_PARAMETER);

  const std::string path = pathFor(fileName);
  if (path.empty())
    return failWrite(fileName ? fileName : "win.ini", ERROR_PATH_NOT_FOUND,
                     profileDirectoryProblem("").c_str());
  const bool bareName = !fileName || std::strpbrk(fileName, "/\\") == nullptr;
  ProfileBytes file = readProfileBytes(path);
  // Never replace what could not be read whole: that would lose its rest.
  if (file.status == ProfileReadStatus::Failed)
    return failWrite(path, ERROR_ACCESS_DENIED,
                     file.error != 0 ? std::strerror(file.error) : "it is not a regular file");
  if (file.status == ProfileReadStatus::TooLarge)
    return failWrite(path, ERROR_FILE_TOO_LARGE, "it is too large to rewrite safely");

  ProfileDocument document = parseProfile(file.bytes);
  const bool watched = writeWatcher && key && value;
  const std::string before =
      watched ? findProfileValue(document, section, key).value_or("") : std::string();
  // The watcher hears of the value once the file holds it, or failed to.
  auto told = [&](BOOL written) {
    if (watched)
      writeWatcher(ProfileValueWrite{fileName ? fileName : "win.ini", section, key, before, value,
                                     written != FALSE});
    return written;
  };
  bool changed;
  if (!key)
    changed = deleteProfileSection(document, section);
  else if (!value)
    changed = deleteProfileKey(document, section, key);
  else
    changed = setProfileValue(document, section, key, value);
  if (!changed) return told(TRUE);

  if (bareName && file.status == ProfileReadStatus::Missing) {
    const size_t slash = path.rfind('/');
    if (!makeDirectories(slash == 0 ? "/" : path.substr(0, slash)))
      return told(failWrite(path, errorOf(errno), std::strerror(errno)));
  }
  if (!replaceFileAtomically(path, serialiseProfile(document)))
    return told(failWrite(path, errorOf(errno), std::strerror(errno)));
  return told(TRUE);
}

void setProfileWriteWatcher(std::function<void(const ProfileValueWrite&)> watcher) {
  writeWatcher = std::move(watcher);
}
