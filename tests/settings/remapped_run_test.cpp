// A remapped key steers a whole headless run as the key it stands for, and
// the run's replay, played back with the default bindings, ends the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/program_run.h"

namespace {

class RemappedRun : public ::testing::Test {
 protected:
  int snowvel(const std::string& arguments) {
    const ProgramRun run =
        runSnowvel("--headless --seed 4242 " + arguments + " --data-dir " + dir, dir);
    stderrText = run.err;
    return run.exitCode;
  }
  std::string read(const std::string& name) { return readAll(dir + "/" + name); }
  // Down the slope, then turning with whatever keys the script names.
  void script(const std::string& name, const char* left, const char* jump) {
    std::ofstream(dir + "/" + name)
        << "2 key DOWN\n30 key " << left << "\n60 key " << jump << "\n90 key " << left << "\n";
  }

  ScratchFolder scratch;
  std::string dir = scratch.path().string();
  std::string stderrText;
};

TEST_F(RemappedRun, ARemappedKeySteersAndItsReplayNeedsNoBindings) {
  script("plain.txt", "LEFT", "INSERT");
  script("remapped.txt", "KeyA", "Space");
  ASSERT_EQ(snowvel("--ticks 150 --input " + dir + "/plain.txt --dump " + dir + "/plain.json"), 0)
      << stderrText;
  ASSERT_EQ(
      snowvel("--ticks 150 --bind left=KeyA --bind jump=Space --input " + dir +
              "/remapped.txt --record " + dir + "/run.replay --dump " + dir + "/remapped.json"),
      0)
      << stderrText;
  EXPECT_EQ(read("remapped.json"), read("plain.json"));

  ASSERT_EQ(snowvel("--replay " + dir + "/run.replay --dump " + dir + "/played.json"), 0)
      << stderrText;
  EXPECT_EQ(read("played.json"), read("plain.json"));

  // The keys left behind do nothing now: the run differs.
  ASSERT_EQ(snowvel("--ticks 150 --bind left=KeyA --bind jump=Space --input " + dir +
                    "/plain.txt --dump " + dir + "/unbound.json"),
            0);
  EXPECT_NE(read("unbound.json"), read("plain.json"));

  EXPECT_EQ(snowvel("--bind sideways=KeyA --input " + dir + "/plain.txt"), 2);
  EXPECT_NE(stderrText.find("--bind sideways=KeyA: unknown action"), std::string::npos)
      << stderrText;
}

// Without a display the list names keys as a US keyboard does, and every
// line of it, given back to --bind, binds the same keys.
TEST_F(RemappedRun, TheBindingsListReadsBackWithoutADisplay) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  ProgramRun run =
      runSnowvel("--bind 'left=Keypad 5, Left Ctrl' --bind jump=Space,pad:b --bindings", dir);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Keypad 5 (Numpad5), Left Ctrl (ControlLeft), pad:left\n"),
            std::string::npos)
      << run.out;
  const std::string saved = read("snowvel/settings.ini");

  std::string binds = "--reset-bindings";
  std::istringstream lines(run.out.substr(run.out.find('\n') + 1));  // after "Saved to"
  for (std::string line; std::getline(lines, line);)
    binds += " --bind '" + line.substr(0, line.find(' ')) + "=" + line.substr(56) + "'";
  run = runSnowvel(binds, dir);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(read("snowvel/settings.ini"), saved);
}

// --bind changes only the lines of what it binds: comments, unknown keys and
// sections and a binding it cannot read stay as they are. A file it cannot
// read whole, or a link, is refused in one line and left untouched.
TEST_F(RemappedRun, BindKeepsWhatItDoesNotUnderstandAndRefusesWhatItCannotRead) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  std::filesystem::create_directory(dir + "/snowvel");
  const std::string path = dir + "/snowvel/settings.ini";
  const std::string mine =
      "# my own notes\n[bindings]\nleft = KeyA\nright = Banana\nmystery = KeyQ\n\n"
      "[display]\nscale = 2\n[colours]\nsnow = blue\n";
  std::ofstream(path) << mine;
  ProgramRun run = runSnowvel("--bind jump=Space", dir);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(read("snowvel/settings.ini"),
            "# my own notes\n[bindings]\nleft = KeyA\nright = Banana\nmystery = KeyQ\n"
            "jump = Space pad:a\n\n[display]\nscale = 2\n[colours]\nsnow = blue\n");
  run = runSnowvel("--bind right=KeyD", dir);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(read("snowvel/settings.ini"),
            "# my own notes\n[bindings]\nleft = KeyA\nright = KeyD pad:right\nmystery = KeyQ\n"
            "jump = Space pad:a\n\n[display]\nscale = 2\n[colours]\nsnow = blue\n");

  auto refused = [&] {
    const ProgramRun refusal = runSnowvel("--bind jump=Space", dir);
    EXPECT_EQ(refusal.exitCode, 1);
    EXPECT_TRUE(refusal.out.empty()) << refusal.out;
    EXPECT_EQ(std::count(refusal.err.begin(), refusal.err.end(), '\n'), 1) << refusal.err;
    EXPECT_NE(refusal.err.find("left as it is"), std::string::npos) << refusal.err;
  };
  const std::string big = "[bindings]\nleft = KeyJ\n" + std::string(70000, '#') + "\n";
  std::ofstream(path) << big;
  refused();
  EXPECT_EQ(read("snowvel/settings.ini"), big);
  std::filesystem::remove(path);
  std::ofstream(dir + "/elsewhere.ini") << mine;
  std::filesystem::create_symlink(dir + "/elsewhere.ini", path);
  refused();
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(read("elsewhere.ini"), mine);
}

}  // namespace
