// The recorder and the player around a backend. A small stand-in program
// talks to the backend the way the layer does; what it sees recorded over
// the headless desktop must be what it sees played back, and a program that
// strays from the recording is told where.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>

#include "platform/headless/headless.h"
#include "platform/replay/replay_backend.h"
#include "platform/win32.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Reads the clock, waits in steps of 40 ms, shows a box on the third key
// and plays a sound on every click; its log is everything it took in.
struct StandInProgram {
  std::string log;
  bool extraClockRead = false;  // a program that strays from the recording

  void run() {
    Backend& b = *currentBackend();
    int width = 0, height = 0;
    b.screenSize(&width, &height);
    log += "screen " + std::to_string(width) + "x" + std::to_string(height) + "\n";
    HWND window = reinterpret_cast<HWND>(0x1234);
    b.createWindow(window, "stand-in", RECT{0, 0, 100, 100});
    int keys = 0;
    for (int step = 0; step < 200; ++step) {
      log += "t" + std::to_string(b.tickCount()) + " ";
      if (extraClockRead && step == 50) b.tickCount();
      BackendEvent e;
      if (!b.waitEvent(&e, 40)) continue;
      log += "e" + std::to_string(int(e.type)) + "," + std::to_string(e.virtualKey) + "," +
             std::to_string(e.answer) + (e.window == window ? ",main " : ",none ");
      if (e.type == BackendEventType::KeyDown && ++keys == 3)
        log += "box" + std::to_string(b.beginMessageBox("text", "caption", MB_OKCANCEL)) + " ";
      if (e.type == BackendEventType::MouseDown) {
        static const uint8_t samples[4] = {1, 2, 3, 4};
        b.playPcm(WaveFormat{}, samples, sizeof samples, nullptr);
      }
      if (e.type == BackendEventType::Close) break;
    }
    b.destroyWindow(window);
  }
};

class ReplayBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    // One file per test and process: CTest runs these tests side by side.
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path = (std::filesystem::temp_directory_path() /
            ("snowvel_" + name + "_" + std::to_string(getpid()) + ".replay"))
               .string();
  }
  void TearDown() override {
    std::filesystem::remove(path);
    setBackend(nullptr);
  }

  // A desktop with a few keys, a click and a cancelled box, over 4 seconds.
  void installScriptedDesktop() {
    HeadlessConfig config;
    config.screenWidth = 640;
    config.screenHeight = 400;
    config.startTick = 90000;
    config.endTick = 94000;
    config.messageBoxDelayMs = 130;
    installHeadlessBackend(config);
    for (uint32_t at : {90100u, 90333u, 90900u, 91000u}) {
      BackendEvent key{};
      key.type = BackendEventType::KeyDown;
      key.virtualKey = VK_LEFT + at % 3;
      headlessScheduleEvent(at, key);
    }
    BackendEvent click{};
    click.type = BackendEventType::MouseDown;
    headlessScheduleEvent(92000, click);
    headlessQueueAnswer(IDCANCEL);
  }

  std::string record(StandInProgram* program) {
    installScriptedDesktop();
    ReplayHooks hooks;
    hooks.stateText = [program] { return "seen " + std::to_string(program->log.size()); };
    std::string error;
    EXPECT_TRUE(startReplayRecording(path, ReplayHeader{}, hooks, &error)) << error;
    program->run();
    EXPECT_TRUE(finishReplay(&error)) << error;
    return program->log;
  }

  // Plays the recording over a desktop that has nothing scripted at all.
  bool play(StandInProgram* program, std::string* error) {
    HeadlessConfig quiet;
    quiet.screenWidth = 10;
    quiet.screenHeight = 10;
    installHeadlessBackend(quiet);
    Replay replay;
    if (!parseReplay(readAll(path), &replay, error)) return false;
    ReplayHooks hooks;
    hooks.stateText = [program] { return "seen " + std::to_string(program->log.size()); };
    startReplayPlayback(std::make_shared<const Replay>(std::move(replay)), hooks);
    program->run();
    return finishReplay(error);
  }

  std::string path;
};

TEST_F(ReplayBackend, APlaybackGivesTheProgramExactlyWhatTheRecordingSaw) {
  StandInProgram recorded;
  const std::string seen = record(&recorded);
  ASSERT_NE(seen.find("screen 640x400"), std::string::npos);
  ASSERT_NE(seen.find("box1"), std::string::npos);
  ASSERT_NE(seen.find(",2,"), std::string::npos) << "the box was cancelled";

  StandInProgram replayed;
  std::string error;
  EXPECT_TRUE(play(&replayed, &error)) << error;
  EXPECT_EQ(replayed.log, seen);
  EXPECT_EQ(headlessSounds().size(), 1u) << "the sound still reaches the backend underneath";
}

TEST_F(ReplayBackend, AProgramThatStraysIsToldTheLineAndEndsWithCloseRequests) {
  StandInProgram recorded;
  record(&recorded);
  StandInProgram stray;
  stray.extraClockRead = true;
  std::string error;
  EXPECT_FALSE(play(&stray, &error));
  EXPECT_NE(error.find("the run asked for the clock where the recording has a wait"),
            std::string::npos)
      << error;
  EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
  EXPECT_NE(stray.log.find(std::to_string(int(BackendEventType::Close))), std::string::npos);
}

TEST_F(ReplayBackend, AnEndStateThatDiffersIsReportedWithBothTexts) {
  StandInProgram recorded;
  record(&recorded);
  std::string text = readAll(path);
  const size_t at = text.find("state seen ");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, std::string::npos, "state seen 0\n");
  std::ofstream(path, std::ios::binary) << text;
  StandInProgram replayed;
  std::string error;
  EXPECT_FALSE(play(&replayed, &error));
  EXPECT_NE(error.find("the final state differs at byte 5"), std::string::npos) << error;
}

}  // namespace
