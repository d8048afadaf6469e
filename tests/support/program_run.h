// For the suites that run the whole program through its command line: a
// scratch folder that goes with the test, and a run of snowvel whose exit
// code and streams are kept.
#pragma once

#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

std::string readAll(const std::filesystem::path& path);
void writeAll(const std::filesystem::path& path, const std::string& text);
// A PNG file's decoded RGB pixels, so that two pictures compare by what they
// show; empty when it cannot be read.
std::vector<uint8_t> pixelsOf(const std::filesystem::path& file);

// A fresh folder under /tmp, removed with all it holds when the test ends.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct ProgramRun {
  int exitCode;  // -1 when the program did not end by itself
  std::string out, err;
};

// `PROGRAM ARGUMENTS`, its streams caught in files of `folder` and read back.
ProgramRun runProgram(const std::string& program, const std::string& arguments,
                      const std::filesystem::path& folder);
// The same for `snowvel ARGUMENTS`.
ProgramRun runSnowvel(const std::string& arguments, const std::filesystem::path& folder);
