// Invalidation, WM_PAINT, BeginPaint's clip and erase, window DCs and the
// presented framebuffer.
#include "user_test_support.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

class Paint : public UserTest {
 protected:
  // The picture the backend was last given for the window.
  uint32_t shownPixel(HWND top, int x, int y) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // presents what changed
    HeadlessFramebuffer frame;
    EXPECT_TRUE(headlessFramebuffer(top, &frame));
    EXPECT_TRUE(x >= 0 && y >= 0 && x < frame.width && y < frame.height);
    return frame.pixels[y * frame.stride + x];
  }
  void fillClient(HWND hwnd, int stockBrush) {
    HDC dc = GetDC(hwnd);
    RECT all{-100, -100, 5000, 5000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(stockBrush)));
    ReleaseDC(hwnd, dc);
  }
};

TEST_F(Paint, InvalidRectsGrowOneBoundingBoxThatBeginPaintHandsOutAndValidates) {
  HWND hwnd = createShownWindow();
  RECT a{10, 10, 20, 20}, b{50, 40, 60, 45};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 10);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.bottom, 45);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ps.rcPaint.left, 10);
  EXPECT_EQ(ps.rcPaint.bottom, 45);
  EXPECT_FALSE(ps.fErase);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << "BeginPaint validates";
  EndPaint(hwnd, &ps);
  EXPECT_TRUE(messages({WM_ERASEBKGND}).empty()) << "no erase was asked for";
}

TEST_F(Paint, InvalidationIsClippedToTheClientAndNullMeansAllOfIt) {
  HWND hwnd = createShownWindow();
  RECT client;
  GetClientRect(hwnd, &client);
  RECT outside{client.right + 5, 0, client.right + 50, 10};
  InvalidateRect(hwnd, &outside, TRUE);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  InvalidateRect(hwnd, nullptr, FALSE);
  RECT update;
  GetUpdateRect(hwnd, &update, FALSE);
  EXPECT_EQ(update.right, client.right);
  EXPECT_EQ(update.bottom, client.bottom);
  ValidateRect(hwnd, nullptr);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

TEST_F(Paint, ValidatingPartOfTheBoxKeepsTheRest) {
  HWND hwnd = createShownWindow();
  RECT box{0, 0, 100, 100}, top{0, 0, 100, 40};
  InvalidateRect(hwnd, &box, FALSE);
  ValidateRect(hwnd, &top);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(update.top, 40);
  EXPECT_EQ(update.bottom, 100);
}

TEST_F(Paint, UpdateWindowPaintsAtOnceOnlyWhenSomethingIsInvalid) {
  HWND hwnd = createShownWindow();
  UpdateWindow(hwnd);
  EXPECT_TRUE(logged(WM_PAINT).empty());
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  EXPECT_EQ(messages({WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, EraseFillsOnlyTheUpdateRegionWithTheClassBrush) {
  HWND hwnd = createShownWindow();
  fillClient(hwnd, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(hwnd, 30, 30), kBlack);
  RECT hole{20, 20, 40, 40};
  InvalidateRect(hwnd, &hole, TRUE);
  UpdateWindow(hwnd);  // DefWindowProcA paints: erase with the white class brush
  EXPECT_EQ(shownPixel(hwnd, 30, 30), kWhite);
  EXPECT_EQ(shownPixel(hwnd, 20, 20), kWhite);
  EXPECT_EQ(shownPixel(hwnd, 40, 30), kBlack);
  EXPECT_EQ(shownPixel(hwnd, 19, 19), kBlack);
}

TEST_F(Paint, DrawingInsidePaintIsClippedToTheRegionAndTheClipLiftsAfterEndPaint) {
  HWND hwnd = createShownWindow();
  handler = [](HWND h, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT everything{0, 0, 5000, 5000};
    FillRect(dc, &everything, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(h, &ps);
    return 0;
  };
  RECT small{5, 5, 15, 15};
  InvalidateRect(hwnd, &small, FALSE);
  drain();
  EXPECT_EQ(shownPixel(hwnd, 10, 10), kBlack);
  EXPECT_EQ(shownPixel(hwnd, 16, 10), kWhite);
  fillClient(hwnd, BLACK_BRUSH);
  EXPECT_EQ(shownPixel(hwnd, 100, 100), kBlack) << "a later GetDC draws everywhere";
}

TEST_F(Paint, OwnDcIsOneDcForTheWindowsLifeAndKeepsItsState) {
  HWND parent = createShownWindow();
  HWND child = createChild(parent, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE);  // CS_OWNDC class
  HDC first = GetDC(child);
  SetTextColor(first, RGB(10, 20, 30));
  EXPECT_EQ(ReleaseDC(child, first), 1);
  EXPECT_EQ(GetDC(child), first);
  PAINTSTRUCT ps;
  InvalidateRect(child, nullptr, FALSE);
  EXPECT_EQ(BeginPaint(child, &ps), first);
  EXPECT_EQ(GetTextColor(ps.hdc), RGB(10, 20, 30));
  EndPaint(child, &ps);
  EXPECT_EQ(GetTextColor(GetDC(child)), RGB(10, 20, 30));

  HDC common = GetDC(parent);  // an ordinary class: a fresh DC, freed by ReleaseDC
  EXPECT_NE(common, nullptr);
  EXPECT_EQ(ReleaseDC(parent, common), 1);
  EXPECT_EQ(ReleaseDC(parent, common), 0);
}

TEST_F(Paint, HiddenAndMinimisedWindowsGetNoPaint) {
  HWND hwnd = createTopLevel();
  InvalidateRect(hwnd, nullptr, TRUE);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  ShowWindow(hwnd, SW_SHOWNORMAL);
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, ParentPaintsBeforeItsChild) {
  HWND parent = createShownWindow();
  HWND child = createChild(parent, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE);
  drain();
  clearLog();
  InvalidateRect(child, nullptr, FALSE);
  InvalidateRect(parent, nullptr, FALSE);
  drain();
  auto paints = logged(WM_PAINT);
  ASSERT_EQ(paints.size(), 2u);
  EXPECT_EQ(paints[0].hwnd, parent);
  EXPECT_EQ(paints[1].hwnd, child);
}

TEST_F(Paint, ResizingReallocatesTheFramebufferAndRepaintsEverything) {
  HWND hwnd = createShownWindow();
  MoveWindow(hwnd, 0, 0, 500, 400, TRUE);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(update.right, client.right);
  EXPECT_EQ(update.bottom, client.bottom);
  drain();
  HeadlessFramebuffer frame;
  ASSERT_TRUE(headlessFramebuffer(hwnd, &frame));
  EXPECT_EQ(frame.width, client.right);
  EXPECT_EQ(frame.height, client.bottom);
  auto sizes = logged(WM_SIZE, hwnd);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().lParam, MAKELPARAM(client.right, client.bottom));
}

TEST_F(Paint, MovingWithoutResizeSendsNoSize) {
  HWND hwnd = createShownWindow();
  RECT r;
  GetWindowRect(hwnd, &r);
  MoveWindow(hwnd, r.left + 30, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  EXPECT_EQ(messages({WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_MOVE}));
}

}  // namespace
