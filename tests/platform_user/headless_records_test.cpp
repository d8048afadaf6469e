// What the headless desktop keeps for tests and replays: sounds with their
// resource ids, the end of a run, and screenshots.
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "platform/kernel/resource_table.h"
#include "user_test_support.h"

namespace {

// A tiny 8-bit mono RIFF/WAVE image with four samples.
std::vector<unsigned char> waveImage() {
  std::vector<unsigned char> w = {'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W',  'A',  'V',  'E',
                                  'f',  'm',  't', ' ', 16,   0,    0, 0, 1,    0,    1,    0,
                                  0x11, 0x2B, 0,   0,   0x11, 0x2B, 0, 0, 1,    0,    8,    0,
                                  'd',  'a',  't', 'a', 4,    0,    0, 0, 0x80, 0x90, 0x70, 0x80};
  return w;
}

class HeadlessRecords : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.startTick = 2000;
    c.endTick = 2400;
    return c;
  }
  void TearDown() override { setResourceTable(nullptr, 0); }
};

TEST_F(HeadlessRecords, SoundsAreRecordedWithTheirWaveResourceAndTime) {
  static const std::vector<unsigned char> crash = waveImage();
  static const std::vector<unsigned char> bark = waveImage();
  static const EmbeddedResource table[] = {
      {0, "WAVE", 1, nullptr, crash.data(), crash.size()},
      {0, "WAVE", 7, nullptr, bark.data(), bark.size()},
  };
  setResourceTable(table, 2);
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(7), "WAVE");
  ASSERT_NE(found, nullptr);
  const char* image = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_TRUE(sndPlaySoundA(image, SND_ASYNC | SND_MEMORY));
  ASSERT_TRUE(sndPlaySoundA(nullptr, 0));
  ASSERT_EQ(headlessSounds().size(), 2u);
  EXPECT_EQ(headlessSounds()[0].resourceId, 7);
  EXPECT_EQ(headlessSounds()[0].time, 2000u);
  EXPECT_EQ(headlessSounds()[0].bytes, 4u);
  EXPECT_EQ(headlessSounds()[0].format.samplesPerSecond, 11025u);
  EXPECT_FALSE(headlessSounds()[0].stop);
  EXPECT_TRUE(headlessSounds()[1].stop);
}

TEST_F(HeadlessRecords, TheEndTickClosesTheMainWindowAsAPlayerWould) {
  HWND hwnd = createShownWindow();
  SetTimer(hwnd, 1, 40, nullptr);
  handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return std::nullopt;
  };
  MSG msg;
  int timers = 0;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    timers += msg.message == WM_TIMER;
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(timers, 9);  // 2040 .. 2360, then the close at 2400
  EXPECT_EQ(headlessNow(), 2400u);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(HeadlessRecords, ScreenshotsReadBackAsTheyWereShown) {
  HWND hwnd = createShownWindow();
  HDC dc = GetDC(hwnd);
  RECT block{0, 0, 4, 2};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &block, red);
  DeleteObject(red);
  ReleaseDC(hwnd, dc);
  drain();
  std::string path =
      (std::filesystem::temp_directory_path() / "snowvel_user_screenshot.png").string();
  std::string error;
  ASSERT_TRUE(headlessSavePng(hwnd, path, &error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  std::remove(path.c_str());
  HeadlessFramebuffer frame;
  ASSERT_TRUE(headlessFramebuffer(nullptr, &frame));
  EXPECT_EQ(static_cast<int>(image.width), frame.width);
  EXPECT_EQ(static_cast<int>(image.height), frame.height);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(rgb[2], 0);
  size_t belowBlock = static_cast<size_t>(2 * image.width) * 3;
  EXPECT_EQ(rgb[belowBlock], 255);
  EXPECT_EQ(rgb[belowBlock + 1], 255) << "white below the red block";

  EXPECT_FALSE(headlessSavePng(hwnd, "/nonexistent-dir/x.png", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
