// Profile files the game did not write: garbage, huge files and lines, NUL
// bytes, things that are not files, and directories it may not write to. The
// game must read defaults or what it can, never crash or hang, and never
// destroy what it could not read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/kernel/profile_document.h"
#include "platform/win32/kernel.h"
#include "temp_directory.h"

namespace {
std::string readValue(const std::string& path, const char* key, DWORD size = 256) {
  std::string buffer(size, '#');
  GetPrivateProfileStringA("Snowvel", key, "default", buffer.data(), size, path.c_str());
  return buffer.c_str();
}

std::string randomBytes(std::mt19937& random, size_t length) {
  // Weighted toward the bytes that mean something to the parser.
  static const char kInteresting[] = "[]=;\r\n \t\"'\0SsNnOoWw";
  std::string bytes(length, '\0');
  for (char& c : bytes)
    c = (random() % 3 == 0) ? static_cast<char>(random())
                            : kInteresting[random() % (sizeof kInteresting - 1)];
  return bytes;
}

size_t filesIn(const std::string& directory) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}
}  // namespace

TEST(ProfileHostile, AnyBytesRoundTripAndSurviveLookupsAndEdits) {
  std::mt19937 random(1234);
  for (int round = 0; round < 300; ++round) {
    const std::string bytes = randomBytes(random, random() % 400);
    ProfileDocument document = parseProfile(bytes);
    ASSERT_EQ(serialiseProfile(document), bytes) << "round " << round;
    (void)findProfileValue(document, "Snowvel", "SS");
    (void)profileSectionNames(document);
    (void)profileKeyNames(document, "snowvel");
    setProfileValue(document, "Snowvel", "SS", "-1 ");
    ASSERT_EQ(findProfileValue(document, "Snowvel", "SS"), "-1") << "round " << round;
    deleteProfileKey(document, "Snowvel", "SS");
    deleteProfileSection(document, "Snowvel");
    ASSERT_FALSE(findProfileValue(document, "Snowvel", "SS").has_value()) << "round " << round;
  }
}

TEST(ProfileHostile, GarbageFileKeepsItsBytesAroundAWrite) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  std::mt19937 random(99);
  const std::string garbage = randomBytes(random, 5000);
  writeBytes(path, garbage);
  (void)readValue(path, "SS");
  ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", "SS", "-7 ", path.c_str()));
  EXPECT_EQ(readValue(path, "SS"), "-7");
  // Deleting the key again leaves the garbage, plus at most the line ending
  // its last line gained and a section header that was added.
  ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", "SS", nullptr, path.c_str()));
  EXPECT_EQ(readBytes(path).substr(0, garbage.size()), garbage);
}

TEST(ProfileHostile, NulBytesEndValuesAndNeverMatchNames) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  writeBytes(path, std::string("[Snowvel]\nSS=12\0 34\nG\0S=5\nFS=\0\n", 31));
  EXPECT_EQ(readValue(path, "SS"), "12");
  EXPECT_EQ(readValue(path, "GS"), "default");
  EXPECT_EQ(readValue(path, "G"), "default");
  EXPECT_EQ(readValue(path, "FS"), "");
  ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", "GS", "1", path.c_str()));
  EXPECT_EQ(readBytes(path), std::string("[Snowvel]\nSS=12\0 34\nG\0S=5\nFS=\0\nGS=1\n", 36));
}

TEST(ProfileHostile, LinesLongerThanTheBufferAndOddLineEndings) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  const std::string huge(200000, '7');
  writeBytes(path, "[" + std::string(100000, 'x') + "]\n[Snowvel]\rSS=" + huge + "\rGS=5");
  EXPECT_EQ(readValue(path, "SS"), huge.substr(0, 255));
  EXPECT_EQ(readValue(path, "GS"), "5");
  // The last line had no ending; a new key after it must not join it.
  ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", "FS", "3", path.c_str()));
  EXPECT_EQ(readValue(path, "GS"), "5");
  EXPECT_EQ(readValue(path, "FS"), "3");
}

TEST(ProfileHostile, HugeFileIsReadInPartAndNeverRewritten) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  std::string bytes = "[Snowvel]\nSS=-5 \n";
  const std::string filler = "; " + std::string(98, 'f') + "\n";
  while (bytes.size() < 10u * 1024 * 1024) bytes += filler;
  bytes += "GS=beyond the part that is read\n";
  writeBytes(path, bytes);

  EXPECT_EQ(readValue(path, "SS"), "-5");
  EXPECT_EQ(readValue(path, "GS"), "default");
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("Snowvel", "FS", "1", path.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(readBytes(path), bytes);
  EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(ProfileHostile, ThingsThatAreNotFilesReadAsDefaultsAndRefuseWrites) {
  TempDirectory dir;
  const std::string directoryName = dir.file("directory.ini");
  const std::string fifoName = dir.file("fifo.ini");
  ASSERT_EQ(::mkdir(directoryName.c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(fifoName.c_str(), 0600), 0);
  for (const std::string& path : {directoryName, fifoName}) {
    // A FIFO with no writer would block an ordinary open: this must return.
    EXPECT_EQ(readValue(path, "SS"), "default") << path;
    EXPECT_FALSE(WritePrivateProfileStringA("Snowvel", "SS", "1", path.c_str())) << path;
  }
  EXPECT_EQ(filesIn(dir.path()), 2u);
  // A profile under a path whose parent is a plain file cannot be written.
  EXPECT_FALSE(WritePrivateProfileStringA("Snowvel", "SS", "1", (fifoName + "/x.ini").c_str()));
}

namespace {
// Failure bits a check reports back from a child process.
enum : int { kWriteSucceeded = 1, kValueChanged = 2, kOtherKeyChanged = 4, kNoPrivilegeDrop = 64 };

// Runs check where the profile's files may be read but not written: as root
// (which ignores permission bits) in a child process that becomes "nobody",
// otherwise right here with the write bits taken away.
template <typename Check>
int withoutWriteAccess(const std::string& directory, const std::string& file, bool lockFileOnly,
                       Check check) {
  if (::geteuid() != 0) {
    ::chmod(file.c_str(), lockFileOnly ? 0444 : 0644);
    ::chmod(directory.c_str(), lockFileOnly ? 0755 : 0555);
    const int result = check();
    ::chmod(directory.c_str(), 0755);
    ::chmod(file.c_str(), 0644);
    return result;
  }
  const uid_t nobody = 65534;
  // Root owns both, so nobody can read them; for the file-only case the
  // directory is nobody's to write in, but the file stays root's and 0444.
  ::chmod(directory.c_str(), 0755);
  ::chmod(file.c_str(), 0444);
  if (lockFileOnly && ::chown(directory.c_str(), nobody, nobody) != 0) return kNoPrivilegeDrop;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(kNoPrivilegeDrop);
    ::_exit(check());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::chown(directory.c_str(), 0, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

int tryToOverwrite(const std::string& path) {
  int failures = 0;
  if (WritePrivateProfileStringA("Snowvel", "SS", "-1 ", path.c_str())) failures |= kWriteSucceeded;
  if (WritePrivateProfileStringA("Snowvel", "GS", "-2 ", path.c_str())) failures |= kWriteSucceeded;
  // The game goes on reading what was there.
  if (readValue(path, "SS") != "-5") failures |= kValueChanged;
  if (readValue(path, "FS") != "9") failures |= kOtherKeyChanged;
  return failures;
}
}  // namespace

TEST(ProfileHostile, ReadOnlyDirectoryRefusesTheWriteAndKeepsTheFile) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  const std::string before = "; mine\n[Snowvel]\nSS=-5 \nFS=9\n";
  writeBytes(path, before);
  EXPECT_EQ(withoutWriteAccess(dir.path(), path, false, [&] { return tryToOverwrite(path); }), 0);
  EXPECT_EQ(readBytes(path), before);
  EXPECT_EQ(filesIn(dir.path()), 1u) << "a temporary file was left behind";
  // With write access back, the game's next write lands.
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_TRUE(WritePrivateProfileStringA("Snowvel", "SS", "-1 ", path.c_str()));
  EXPECT_EQ(readValue(path, "SS"), "-1");
  EXPECT_EQ(readValue(path, "FS"), "9");
}

TEST(ProfileHostile, ReadOnlyFileInAWritableDirectoryIsNotReplaced) {
  TempDirectory dir;
  const std::string path = dir.file("tolvane.ini");
  const std::string before = "[Snowvel]\nSS=-5 \nFS=9\n";
  writeBytes(path, before);
  EXPECT_EQ(withoutWriteAccess(dir.path(), path, true, [&] { return tryToOverwrite(path); }), 0);
  EXPECT_EQ(readBytes(path), before);
  EXPECT_EQ(filesIn(dir.path()), 1u);
}
