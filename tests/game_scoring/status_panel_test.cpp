// The status child window on the headless desktop: measured in the fixed
// font, placed in the top right corner, framed, labelled and refreshed.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "scoring/scoring.h"
#include "scoring_world.h"

namespace {

class StatusPanel : public ScoringWorld {
 protected:
  void SetUp() override {
    ScoringWorld::SetUp();
    WNDCLASSA mainClass = {};
    mainClass.lpfnWndProc = DefWindowProcA;
    mainClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    mainClass.lpszClassName = "ScoringTestMain";
    RegisterClassA(&mainClass);
    WNDCLASSA statusClass = mainClass;
    statusClass.style = CS_OWNDC;
    statusClass.lpfnWndProc = statusWindowProc;
    statusClass.lpszClassName = "SnowvelStatus";
    RegisterClassA(&statusClass);

    world.mainWindow =
        CreateWindowExA(0, "ScoringTestMain", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640,
                        480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(world.mainWindow, nullptr);
    world.statusWindow = CreateWindowExA(0, "SnowvelStatus", "", WS_CHILD, 0, 0, 0, 0,
                                         world.mainWindow, nullptr, nullptr, nullptr);
    ASSERT_NE(world.statusWindow, nullptr);
    ShowWindow(world.mainWindow, SW_SHOWNORMAL);
    ShowWindow(world.statusWindow, SW_SHOWNORMAL);
    GetClientRect(world.mainWindow, &world.clientRect);
    measureFont();
  }
  void TearDown() override {
    if (world.mainWindow != nullptr) DestroyWindow(world.mainWindow);
    UnregisterClassA("SnowvelStatus", nullptr);
    UnregisterClassA("ScoringTestMain", nullptr);
    ScoringWorld::TearDown();
  }

  // The fixed font's cell, measured apart from the panel.
  void measureFont() {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    cellHeight = metrics.tmHeight;
    SIZE one = {};
    GetTextExtentPoint32A(dc, "0", 1, &one);
    cellWidth = one.cx;
    DeleteDC(dc);
  }

  // The panel's place in the main window's client area.
  RECT panelPlace() {
    RECT place = {};
    GetWindowRect(world.statusWindow, &place);
    POINT topLeft = {place.left, place.top};
    POINT bottomRight = {place.right, place.bottom};
    ScreenToClient(world.mainWindow, &topLeft);
    ScreenToClient(world.mainWindow, &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }

  // The desktop shows what was drawn once the queue has been looked at.
  uint32_t pixel(int x, int y) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    HeadlessFramebuffer screen;
    if (!headlessFramebuffer(world.mainWindow, &screen) || x >= screen.width || y >= screen.height)
      return 0xDEADBEEF;
    return screen.pixels[y * screen.stride + x];
  }

  // Whether the main window shows text at (x, y) exactly as the fixed font
  // draws it, black on white.
  bool showsText(int x, int y, const std::string& text) {
    const int width = cellWidth * static_cast<int>(text.size());
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screenDc = GetDC(world.mainWindow);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, width, cellHeight);
    ReleaseDC(world.mainWindow, screenDc);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    PatBlt(dc, 0, 0, width, cellHeight, WHITENESS);
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    bool same = true;
    for (int row = 0; row < cellHeight && same; ++row)
      for (int column = 0; column < width && same; ++column)
        same = (GetPixel(dc, column, row) == 0 ? 0u : 0xFFFFFFu) == pixel(x + column, y + row);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return same;
  }

  int cellWidth = 0;
  int cellHeight = 0;
};

TEST_F(StatusPanel, MeasuredInTheFixedFont) {
  EXPECT_NE(world.statusDc, nullptr);
  EXPECT_GT(cellHeight, 0);
  EXPECT_EQ(world.lineHeight, cellHeight);
  EXPECT_EQ(world.labelWidth, 6 * cellWidth) << "\"Speed:\" is the widest label";
  EXPECT_EQ(world.panelContentWidth, (6 + 11) * cellWidth) << "plus \"00:00:00.00\"";
  EXPECT_EQ(world.panelContentHeight, 4 * cellHeight);
}

TEST_F(StatusPanel, SitsInTheTopRightCornerAtEverySize) {
  const int width = world.panelContentWidth + 4;
  const int height = world.panelContentHeight + 4;
  placeStatusPanel();
  RECT place = panelPlace();
  EXPECT_EQ(place.right, world.clientRect.right);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.right - place.left, width);
  EXPECT_EQ(place.bottom - place.top, height);
  EXPECT_EQ(world.statusRect.right, width) << "the size change is noted";
  EXPECT_EQ(world.statusRect.bottom, height);

  MoveWindow(world.mainWindow, 0, 0, 500, 400, TRUE);
  GetClientRect(world.mainWindow, &world.clientRect);
  placeStatusPanel();
  place = panelPlace();
  EXPECT_EQ(place.right, world.clientRect.right);
  EXPECT_EQ(place.right - place.left, width);
  EXPECT_EQ(place.bottom - place.top, height);
}

TEST_F(StatusPanel, PaintShowsFrameLabelsAndValues) {
  world.runClock = 83450;
  world.style = 1234;
  placePlayer(0, 40);
  placeStatusPanel();
  UpdateWindow(world.mainWindow);
  UpdateWindow(world.statusWindow);

  RECT place = panelPlace();
  EXPECT_EQ(pixel(place.left, place.top), 0u);
  EXPECT_EQ(pixel(place.right - 1, place.bottom - 1), 0u);
  EXPECT_EQ(pixel(place.left + 1, place.top + 1), 0xFFFFFFu);

  const int labels = place.left + 2;
  const int values = labels + world.labelWidth;
  EXPECT_TRUE(showsText(labels, 2, "Time:"));
  EXPECT_TRUE(showsText(labels, 2 + 3 * cellHeight, "Style:"));
  EXPECT_TRUE(showsText(values, 2, " 0:01:23.45"));
  EXPECT_FALSE(showsText(values, 2, " 0:01:23.46")) << "the comparison sees a digit's change";
  EXPECT_TRUE(showsText(values, 2 + cellHeight, "   02m"));
  EXPECT_TRUE(showsText(values, 2 + 2 * cellHeight, "   00m/s"));
  EXPECT_TRUE(showsText(values, 2 + 3 * cellHeight, "   1234"));

  // A refresh between paints rewrites the values in place, opaque on white.
  world.runClock = 5000;
  refreshStatus(world.statusDc);
  EXPECT_TRUE(showsText(values, 2, " 0:00:05.00"));
}

TEST_F(StatusPanel, DestructionGivesBackTheContext) {
  DestroyWindow(world.mainWindow);
  world.mainWindow = nullptr;
  EXPECT_EQ(world.statusDc, nullptr);
  EXPECT_FALSE(anyAssertionShown());
  refreshStatus(world.statusDc);  // a late refresh draws nowhere
}

TEST_F(StatusPanel, ReleasingAnotherWindowIsReported) {
  releaseStatusPanel(world.mainWindow);
  EXPECT_TRUE(anyAssertionShown());
  world.statusDc = GetDC(world.statusWindow);  // so the real destruction still has one
}

}  // namespace
