// Where profile files live and how their bytes are read and replaced. The
// reading is capped and refuses anything but a regular file (a FIFO or a
// device named as a profile must not hang or flood the game); the writing
// replaces the file atomically or not at all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most of a profile file that is read. Ours hold three short lines.
constexpr size_t kProfileReadLimit = 1u << 20;

// The path a profile name stands for: a name with '/' or '\' as given (with
// '\' read as '/'), a bare name inside profileDirectory(). Empty when a bare
// name has no directory to live in.
std::string resolveProfilePath(const char* fileName);

enum class ProfileReadStatus {
  Read,      // bytes holds the whole file
  Missing,   // no such file
  TooLarge,  // bytes holds whole lines from the first kProfileReadLimit bytes
  Failed,    // not a regular file, or it could not be read
};

struct ProfileBytes {
  ProfileReadStatus status = ProfileReadStatus::Missing;
  std::string bytes;
  int error = 0;  // errno of a failed open or read; 0 for a file that is not a regular one
};

ProfileBytes readProfileBytes(const std::string& path);

// Creates the directory and any missing parents (mode 0700, as user data
// directories are made); true if it exists afterwards.
bool makeDirectories(const std::string& directory);

// Writes bytes to a temporary file beside path, flushes it to the disk and
// renames it over path: path then holds either the old bytes or the new ones,
// never a mix. A file that is there keeps its permission bits. On failure the
// temporary file is removed, errno tells why, and false is returned.
bool replaceFileAtomically(const std::string& path, std::string_view bytes);
// The same for path itself: a symbolic link there is replaced by the file,
// never followed.
bool replaceFileItself(const std::string& path, std::string_view bytes);

// A folder of copies that the process removes at its end: files replaced
// directly in it are not flushed to the disk, which on a busy disk takes
// tens of milliseconds that a re-ski need not wait for.
void setScratchFolder(const std::string& folder);

// Why a file could not be kept in directory, or empty when it can: the
// directory, or the nearest of its parents that exists, must be a directory
// this process may write in.
std::string profileDirectoryProblem(const std::string& directory);

// Says on stderr, the first time for each path, that a profile could not be
// written and why; play goes on, so the player must hear it here.
void reportProfileWriteFailure(const std::string& path, const char* reason);
