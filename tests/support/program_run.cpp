#include "support/program_run.h"

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<uint8_t> pixelsOf(const fs::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  return pixels;
}

ScratchFolder::ScratchFolder() {
  char pattern[] = "/tmp/snowvel-test-XXXXXX";
  if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  // A test may have taken the write permission away from a folder in it.
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    if (entry.is_directory(ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

ProgramRun runProgram(const std::string& program, const std::string& arguments,
                      const fs::path& folder) {
  const fs::path out = folder / "stdout", err = folder / "stderr";
  const std::string command =
      program + " " + arguments + " > " + out.string() + " 2> " + err.string();
  const int status = std::system(command.c_str());
  return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

ProgramRun runSnowvel(const std::string& arguments, const fs::path& folder) {
  return runProgram(SNOWVEL_BINARY, arguments, folder);
}
