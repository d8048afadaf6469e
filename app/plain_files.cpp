#include "plain_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>

bool readWholeFile(const std::string& path, std::string* text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  text->clear();
  char buffer[16384];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  const bool read = std::ferror(file) == 0;
  std::fclose(file);
  return read;
}

bool fileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::vector<FolderFile> filesIn(const std::string& folder) {
  std::vector<FolderFile> files;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return files;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    struct stat status;
    if (stat((folder + "/" + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    files.push_back({name, int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec});
  }
  closedir(listing);
  return files;
}
