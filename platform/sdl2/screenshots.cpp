// PrintScreen: the window's picture at game resolution, saved as a PNG on a
// thread of its own so the game never waits for the disk. A failure is told
// on stderr and changes nothing else.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/png/png_file.h"
#include "platform/sdl2/screenshot_place.h"
#include "platform/sdl2/sdl_state.h"

namespace {

std::mutex writersLock;
std::vector<std::thread> writers;

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// mkdir -p; true when the folder is there afterwards.
bool makeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A name not yet taken, counting on within one second.
std::string freshName(const std::string& folder) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  for (int sameSecond = 0;; ++sameSecond) {
    std::string path = folder + "/" + screenshotName(local, sameSecond);
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 && ::stat((path + ".part").c_str(), &info) != 0)
      return path;
  }
}

void writePicture(std::vector<uint32_t> pixels, int width, int height, std::string path) {
  // Written aside and renamed, so nobody sees half a picture.
  std::string part = path + ".part";
  std::string error;
  if (!writeRgbPng(pixels.data(), width, height, width, part, &error)) {
    std::fprintf(stderr, "snowvel: cannot save the screenshot: %s\n", error.c_str());
    std::remove(part.c_str());
    return;
  }
  if (std::rename(part.c_str(), path.c_str()) != 0) {
    std::fprintf(stderr, "snowvel: cannot save the screenshot %s: %s\n", path.c_str(),
                 std::strerror(errno));
    std::remove(part.c_str());
  }
}

}  // namespace

void saveScreenshot(const SdlWindow& w) {
  if (w.frameWidth <= 0 || w.frameHeight <= 0) return;
  std::string folder = picturesFolder(environmentValue);
  if (folder.empty()) {
    std::fprintf(stderr, "snowvel: cannot save the screenshot: no pictures folder (no HOME)\n");
    return;
  }
  folder += "/Snowvel";
  if (!makeFolders(folder)) {
    std::fprintf(stderr, "snowvel: cannot save the screenshot: cannot make %s: %s\n",
                 folder.c_str(), std::strerror(errno));
    return;
  }
  std::string path = freshName(folder);
  // The name is taken now, so a second picture in the same second gets its own.
  if (std::FILE* claim = std::fopen((path + ".part").c_str(), "wx")) std::fclose(claim);
  std::lock_guard<std::mutex> lock(writersLock);
  writers.emplace_back(writePicture, w.frame, w.frameWidth, w.frameHeight, std::move(path));
}

void finishScreenshots() {
  std::lock_guard<std::mutex> lock(writersLock);
  for (std::thread& writer : writers) writer.join();
  writers.clear();
}
