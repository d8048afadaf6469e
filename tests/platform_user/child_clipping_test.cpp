// What a window's DC may draw on: its own client area, less the children of
// a WS_CLIPCHILDREN parent, as the status panel in the corner of the main
// window needs.
#include "user_test_support.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

class ChildClipping : public UserTest {
 protected:
  uint32_t shownPixel(HWND top, int x, int y) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HeadlessFramebuffer frame;
    EXPECT_TRUE(headlessFramebuffer(top, &frame));
    return frame.pixels[y * frame.stride + x];
  }
  void fill(HWND hwnd, int stockBrush) {
    HDC dc = GetDC(hwnd);
    RECT all{-1000, -1000, 5000, 5000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(stockBrush)));
    ReleaseDC(hwnd, dc);
  }
  HWND shownParent(DWORD extraStyle) {
    HWND parent = createTopLevel(WS_OVERLAPPEDWINDOW | extraStyle);
    ShowWindow(parent, SW_SHOWNORMAL);
    drain();
    return parent;
  }
};

TEST_F(ChildClipping, ClipChildrenKeepsTheParentOffItsChild) {
  HWND parent = shownParent(WS_CLIPCHILDREN);
  createChild(parent, 100, 10, 50, 40, WS_CHILD | WS_VISIBLE);
  drain();
  fill(parent, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(parent, 120, 20), kWhite);
  EXPECT_EQ(shownPixel(parent, 99, 20), kBlack);
  EXPECT_EQ(shownPixel(parent, 150, 20), kBlack);
  EXPECT_EQ(shownPixel(parent, 120, 50), kBlack);
}

TEST_F(ChildClipping, WithoutClipChildrenTheParentDrawsOverIt) {
  HWND parent = shownParent(0);
  createChild(parent, 100, 10, 50, 40, WS_CHILD | WS_VISIBLE);
  drain();
  fill(parent, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(parent, 120, 20), kBlack);
}

TEST_F(ChildClipping, ChildDrawsOnlyInsideItselfAtItsPlace) {
  HWND parent = shownParent(WS_CLIPCHILDREN);
  HWND child = createChild(parent, 100, 10, 50, 40, WS_CHILD | WS_VISIBLE);
  drain();
  fill(child, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(parent, 100, 10), kBlack);
  EXPECT_EQ(shownPixel(parent, 149, 49), kBlack);
  EXPECT_EQ(shownPixel(parent, 150, 20), kWhite);
  EXPECT_EQ(shownPixel(parent, 99, 10), kWhite);
  HDC dc = GetDC(child);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << "child coordinates start at its corner";
}

TEST_F(ChildClipping, AHiddenChildNeitherDrawsNorClips) {
  HWND parent = shownParent(WS_CLIPCHILDREN);
  HWND child = createChild(parent, 100, 10, 50, 40, WS_CHILD);
  fill(child, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(parent, 120, 20), kWhite);
  fill(parent, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(parent, 120, 20), kBlack);
}

TEST_F(ChildClipping, MovingAChildRepaintsItAndWhatItUncovered) {
  HWND parent = shownParent(WS_CLIPCHILDREN);
  HWND child = createChild(parent, 0, 0, 0, 0, WS_CHILD | WS_VISIBLE);
  drain();
  clearLog();
  MoveWindow(child, 200, 0, 60, 50, TRUE);  // as the status panel is placed
  EXPECT_EQ(messages({WM_MOVE, WM_SIZE}, child), (std::vector<UINT>{WM_MOVE, WM_SIZE}));
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));
  RECT inChild;
  GetClientRect(child, &inChild);
  EXPECT_EQ(inChild.right, 60);
  drain();
  clearLog();
  MoveWindow(child, 100, 0, 60, 50, TRUE);
  RECT uncovered;
  ASSERT_TRUE(GetUpdateRect(parent, &uncovered, FALSE));
  EXPECT_EQ(uncovered.left, 200);
  EXPECT_EQ(uncovered.right, 260);
  EXPECT_TRUE(messages({WM_SIZE}, child).empty());
}

}  // namespace
