// Layer-only settings with no Win32 equivalent, for the program's driver and
// for tests: where bare profile file names live, and the command line that
// GetCommandLineA reports.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Directory for bare profile names such as "tolvane.ini". An empty string
// returns to the default: $SNOWVEL_DATA_DIR if set, else
// $XDG_DATA_HOME/snowvel, else ~/.local/share/snowvel.
void setProfileDirectory(const std::string& directory);

// The directory in force now, following the rule above; empty when none can
// be found (no override, no environment, no home directory).
std::string profileDirectory();

// The whole command line as Windows would give it: the program name, then the
// tail. The driver sets it once at start-up.
void setCommandLine(const std::string& commandLine);

// One value a program sets with WritePrivateProfileStringA: the file name as
// it gave it, and the value before (empty when there was none) and after.
struct ProfileValueWrite {
  std::string_view fileName, section, key, before, after;
  bool written = false;  // the file holds after now (false: the write failed)
};
// Told of every value set, once the file was written or failed to be (not
// when it could not even be read). Empty: nobody is told.
void setProfileWriteWatcher(std::function<void(const ProfileValueWrite&)> watcher);

// Frees every block LocalAlloc handed out and nobody freed, as the end of a
// process would. For a driver that runs the game more than once in one
// process: the game keeps its tables until it exits and leaves the freeing
// to the system, so each new run would otherwise strand the last one's.
void releaseLocalMemory();
