// The replay text: what the writer puts down the reader gets back, and a
// damaged file is refused with the line and the fault, never a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/replay/replay_format.h"

namespace {

std::string tempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

BackendEvent makeEvent(BackendEventType type) {
  BackendEvent e{};
  e.type = type;
  return e;
}

TEST(ReplayFormat, WhatIsWrittenReadsBackItemForItem) {
  const std::string path = tempPath("snowvel_format_roundtrip.replay");
  ReplayHeader header;
  header.seed = 20240;
  header.screenWidth = 800;
  header.screenHeight = 600;
  header.scale = 2;
  header.tail = "nosound";
  header.profile = "[Snowvel]\r\nSS=-84322 \r\n";
  std::string error;
  {
    ReplayWriter writer;
    ASSERT_TRUE(writer.open(path, header, &error)) << error;
    writer.clock(100);
    writer.clock(100);
    writer.clock(100);
    writer.clock(140);
    writer.wait();
    BackendEvent key = makeEvent(BackendEventType::KeyDown);
    key.virtualKey = 0x25;
    key.repeat = true;
    writer.event(key, 1);
    BackendEvent click = makeEvent(BackendEventType::MouseDown);
    click.x = -5;
    click.y = 300;
    click.button = 2;
    writer.event(click, 1);
    BackendEvent resize = makeEvent(BackendEventType::Resize);
    resize.width = 640;
    resize.height = 480;
    writer.event(resize, 1);
    writer.box(3, 0x31, "Assertion \"Failed\"", "repaint.cpp line 7\n\xE9\\");
    BackendEvent answer = makeEvent(BackendEventType::MessageBoxAnswer);
    answer.box = 3;
    answer.answer = 2;
    writer.event(answer, 0);
    writer.sound(WaveFormat{1, 22050, 8}, 6615);
    writer.stop();
    writer.event(makeEvent(BackendEventType::Close), 0);
    ASSERT_TRUE(writer.finish(R"({"ticks":12,"title":"Snowvel"})", &error)) << error;
  }
  Replay replay;
  ASSERT_TRUE(parseReplay(readAll(path), &replay, &error)) << error;
  EXPECT_EQ(replay.header.seed, 20240u);
  EXPECT_EQ(replay.header.screenWidth, 800);
  EXPECT_EQ(replay.header.screenHeight, 600);
  EXPECT_EQ(replay.header.scale, 2);
  EXPECT_EQ(replay.header.tail, "nosound");
  EXPECT_EQ(replay.header.version, kReplayVersion);
  EXPECT_EQ(replay.header.rules, kRulesVersion);
  EXPECT_EQ(replay.header.profile, header.profile);
  ASSERT_EQ(replay.items.size(), 11u);
  // Equal readings in a row are one line with a count.
  EXPECT_EQ(replay.items[0].type, ReplayItemType::Clock);
  EXPECT_EQ(replay.items[0].clock(), 100u);
  EXPECT_EQ(replay.items[0].count(), 3u);
  EXPECT_EQ(replay.items[1].clock(), 140u);
  EXPECT_EQ(replay.items[1].count(), 1u);
  EXPECT_EQ(replay.items[2].type, ReplayItemType::Wait);
  EXPECT_EQ(replay.items[3].event().virtualKey, 0x25u);
  EXPECT_TRUE(replay.items[3].event().repeat);
  EXPECT_EQ(replay.items[3].windowIndex(), 1);
  EXPECT_EQ(replay.items[4].event().x, -5);
  EXPECT_EQ(replay.items[4].event().button, 2);
  EXPECT_EQ(replay.items[5].event().width, 640);
  EXPECT_EQ(replay.caption(replay.items[6]), "Assertion \"Failed\"");
  EXPECT_EQ(replay.text(replay.items[6]), "repaint.cpp line 7\n\xE9\\");
  EXPECT_EQ(replay.items[6].boxType(), 0x31u);
  EXPECT_EQ(replay.items[7].event().box, 3);
  EXPECT_EQ(replay.items[7].event().answer, 2);
  EXPECT_EQ(replay.items[8].bytes(), 6615u);
  EXPECT_EQ(replay.items[8].format().samplesPerSecond, 22050u);
  EXPECT_EQ(replay.items[9].type, ReplayItemType::Stop);
  EXPECT_EQ(replay.items[10].event().type, BackendEventType::Close);
  EXPECT_EQ(replay.finalState, R"({"ticks":12,"title":"Snowvel"})");
  std::filesystem::remove(path);
}

struct BadReplay {
  const char* text;
  const char* error;
};

const std::string kHead = "snowvel-replay 1\nseed 5\nscreen 640 480\nscale 0\ntail \"\"\n";
const std::string kEnd = "end\nstate {}\n";

TEST(ReplayFormat, DamagedFilesAreRefusedWithTheLineAndTheFault) {
  const BadReplay cases[] = {
      {"", "line 1: the file is empty"},
      {"hello\n", "line 1: not a replay"},
      // A newer build's file is refused in one line naming both versions.
      {"snowvel-replay 3\nrules 4\n",
       "line 1: this replay is format 3, rules 4; this build plays formats up to 2 and rules up "
       "to 1"},
      {"snowvel-replay 2\nrules 2\n", "line 2: this replay is format 2, rules 2; this build"},
      {"snowvel-replay 0\n", "line 1: the version is out of range: 0"},
      {"snowvel-replay 2\nseed 5\nscreen 640 480\nt 5 1\n", "line 4: the rules line must come"},
      {"snowvel-replay 2\nrules 1\nrun ss 5\n", "line 3: the run's course must be a word"},
      {"snowvel-replay 2\nrules 1\nrun SS 2147483648\n", "line 3: the run's result is out of"},
      {"snowvel-replay 1\nrules 1\n", "line 2: the screen line must come before"},
      {"snowvel-replay 1\nseed 5\nt 5 1\n", "line 3: the screen line must come before"},
      {"snowvel-replay 1\nscreen 0 480\n", "line 2: the screen width is out of range: 0"},
      {"snowvel-replay 1\nscreen 640\n", "line 2: the screen height is missing"},
      {"snowvel-replay 1\nscale 9\n", "line 2: the scale is out of range: 9"},
      {"snowvel-replay 1\ntail nosound\n", "line 2: the tail must be a quoted text"},
      {"snowvel-replay 1\ntail \"nosound\n", "line 2: the tail has no closing quote"},
      {"snowvel-replay 1\ntail \"a\\q\"\n", "line 2: the tail has an unknown escape"},
      {"snowvel-replay 1\ntail \"a\\x4\"\n", "line 2: the tail has a bad \\x escape"},
  };
  for (const BadReplay& c : cases) {
    Replay replay;
    std::string error;
    EXPECT_FALSE(parseReplay(c.text, &replay, &error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave: " << error;
  }

  const BadReplay streams[] = {
      {"t 5\n", "line 6: the count is missing"},
      {"t 5 0\n", "line 6: the count is out of range: 0"},
      {"t -1 1\n", "line 6: the clock is out of range: -1"},
      {"t 4294967296 1\n", "line 6: the clock is out of range"},
      {"t 5x 1\n", "line 6: the clock is not a number: 5x"},
      {"w 3\n", "line 6: unexpected text at the end: 3"},
      {"e 1 jump\n", "line 6: unknown event jump"},
      {"e 1 key 300 0\n", "line 6: the key code is out of range: 300"},
      {"e 1 key 37 2\n", "line 6: the repeat flag is out of range: 2"},
      {"e 1 down 3 4 7\n", "line 6: the button is out of range: 7"},
      {"e 1 resize 70000 10\n", "line 6: the width is out of range: 70000"},
      {"e 1 answer 0 1\n", "line 6: the box is out of range: 0"},
      {"box 1 0 \"caption\"\n", "line 6: the text must be a quoted text"},
      {"s 0 1 8 10\n", "line 6: the sample rate is out of range: 0"},
      {"s 11025 3 8 10\n", "line 6: the channels is out of range: 3"},
      {"launch\n", "line 6: unknown line launch"},
  };
  for (const BadReplay& c : streams) {
    Replay replay;
    std::string error;
    EXPECT_FALSE(parseReplay(kHead + c.text + kEnd, &replay, &error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave: " << error;
  }
}

TEST(ReplayFormat, ACutOffFileReadsAsTruncated) {
  const std::string whole = kHead + "t 5 2\nw\ne 1 close\n" + kEnd;
  Replay replay;
  std::string error;
  ASSERT_TRUE(parseReplay(whole, &replay, &error)) << error;
  // Every cut short of the whole file is refused, whatever it leaves.
  for (size_t cut = 0; cut < whole.size(); ++cut)
    EXPECT_FALSE(parseReplay(whole.substr(0, cut), &replay, &error)) << cut;
  EXPECT_FALSE(parseReplay(kHead + "t 5 2\n", &replay, &error));
  EXPECT_NE(error.find("stops before its end line"), std::string::npos) << error;
  EXPECT_FALSE(parseReplay(kHead + "t 5 2\nend\n", &replay, &error));
  EXPECT_NE(error.find("stops before its state line"), std::string::npos) << error;
  EXPECT_FALSE(parseReplay(kHead + "end\nw\n", &replay, &error));
  EXPECT_NE(error.find("line 7: the end line must be followed by the state line"),
            std::string::npos)
      << error;
  EXPECT_FALSE(parseReplay(kHead + kEnd + "w\n", &replay, &error));
  EXPECT_NE(error.find("line 8: nothing may follow the state line"), std::string::npos) << error;
}

TEST(ReplayFormat, CommentsBlankLinesAndWindowsLineEndsAreAccepted) {
  Replay replay;
  std::string error;
  std::string text = "# a run by hand\r\n\r\n" + kHead + "  t 5 1\r\nw\r\n" + kEnd;
  ASSERT_TRUE(parseReplay(text, &replay, &error)) << error;
  ASSERT_EQ(replay.items.size(), 2u);
  EXPECT_EQ(replay.items[0].line, 8);
  EXPECT_EQ(replay.finalState, "{}");
}

}  // namespace
