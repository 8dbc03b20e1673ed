// The paint cycle as a user sees it: pixels of overlapping windows, erasing and exposure (a
// see-through child that captures what lies behind it is tested with PaintParentBackground).
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include <memory>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr DWORD kTop = WS_POPUP | WS_VISIBLE;

COLORREF Desktop() {
    return GetSysColor(COLOR_BACKGROUND);
}

// Fills rect through a context of the window (null: the screen).
void FillThrough(HWND hwnd, RECT rect, COLORREF colour) {
    HDC dc = GetDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
}

std::vector<UINT> Kinds(const ProbeWindow& w) {
    std::vector<UINT> kinds;
    for (const ProbeMessage& m : w.Messages())
        kinds.push_back(m.message);
    return kinds;
}

// A white top-level window with a red child a and a blue child b above it, overlapping.
struct Layout {
    ProbeWindow top{nullptr, {0, 0, 100, 100}, kWhite, 0, kTop};
    ProbeWindow a{top, {10, 10, 60, 60}, kRed, 1};
    ProbeWindow b{top, {40, 40, 90, 90}, kBlue, 2};
};

class PaintTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        layout = std::make_unique<Layout>();
    }
    void Settle() {
        Pump();
        layout->top.Clear(), layout->a.Clear(), layout->b.Clear();
    }
    std::unique_ptr<Layout> layout;
};

TEST_F(PaintTest, AWindowDcIncludesTheBorderAndTheClientDcDoesNot) {
    ProbeWindow framed(nullptr, {110, 10, 150, 50}, kRed, 0, kTop | WS_BORDER);
    Pump();
    // The default frame is one pixel of the window-frame colour.
    EXPECT_EQ(Pixel(110, 10), COLORREF(GetSysColor(COLOR_WINDOWFRAME)));
    EXPECT_EQ(Pixel(149, 30), COLORREF(GetSysColor(COLOR_WINDOWFRAME)));
    EXPECT_FILL((RECT{111, 11, 149, 49}), kRed);
    HDC dc = GetDC(framed);
    EXPECT_EQ(SetPixel(dc, -1, -1, kBlue), CLR_INVALID);
    SetPixel(dc, 0, 0, kBlue);
    ReleaseDC(framed, dc);
    dc = GetWindowDC(framed);
    SetPixel(dc, 0, 0, kGreen);
    ReleaseDC(framed, dc);
    EXPECT_EQ(Pixel(111, 11), kBlue);
    EXPECT_EQ(Pixel(110, 10), kGreen);
}

// Invalidations and posted messages of a burst give one WM_PAINT after the posted messages;
// validated areas and hidden windows are not painted.
TEST_F(PaintTest, OneWmPaintPerBurstAfterThePostedMessagesAndNoneForValidAreas) {
    auto& [top, a, b] = *layout;
    ProbeWindow hidden(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP);
    Settle();
    RECT r1 = {10, 10, 20, 20}, r2 = {50, 60, 70, 80}, box;
    InvalidateRect(top, &r1, FALSE);
    PostMessage(top, WM_USER, 1, 0);
    InvalidateRect(top, &r2, FALSE);
    PostMessage(top, WM_USER, 2, 0);
    InvalidateRect(top, &r1, TRUE);
    EXPECT_TRUE(GetUpdateRect(top, &box, FALSE));
    EXPECT_RECT(box, 10, 10, 70, 80);
    Pump();
    EXPECT_EQ(Kinds(top), (std::vector<UINT>{WM_USER, WM_USER, WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(top.Messages()[1].wParam, WPARAM(2));
    EXPECT_FALSE(GetUpdateRect(top, &box, FALSE));
    top.Clear();
    InvalidateRect(top, nullptr, TRUE);
    ValidateRect(top, nullptr);
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(a, &r1, FALSE);
    ValidateRect(a, &r1);
    Pump();
    EXPECT_EQ(top.Count(WM_PAINT) + a.Count(WM_PAINT) + hidden.Count(WM_PAINT), 0);
}

TEST_F(PaintTest, EraseUsesTheClassBrushWithTheSystemColourConvention) {
    // 0x40000010: system colour 16 with the platform's flag bit, i.e. button face + 1.
    HBRUSH solid = CreateSolidBrush(RGB(12, 34, 56));
    struct Case {
        LPCWSTR name;
        HBRUSH brush;
        COLORREF colour; // without a brush nothing is drawn: the desktop's colour stays
    } cases[] = {
        {u"SkFlagged", HBRUSH(ULONG_PTR(0x40000010)), GetSysColor(COLOR_BTNFACE)},
        {u"SkIndexed", HBRUSH(ULONG_PTR(COLOR_HIGHLIGHT + 1)), GetSysColor(COLOR_HIGHLIGHT)},
        {u"SkSolid", solid, RGB(12, 34, 56)},
        {u"SkNoBrush", nullptr, Desktop()}};
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), Desktop());
    int x = 110;
    for (const Case& c : cases) {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = c.brush;
        wc.lpszClassName = c.name;
        RegisterClass(&wc);
        HWND w =
            CreateWindowEx(0, c.name, u"", kTop, x, 0, 30, 30, nullptr, nullptr, nullptr, nullptr);
        Pump();
        EXPECT_FILL((RECT{x, 0, x + 30, 30}), c.colour) << CString(c.name).ToUtf8();
        x += 30;
        if (c.brush == solid) DestroyWindow(w);
    }
    DeleteObject(solid);
}

// Hiding, moving and raising paint only what changed (the pixels are checked against a model by
// the overlap tests); moving without repainting leaves the old pixels.
TEST_F(PaintTest, HidingMovingAndRaisingExposeOnlyWhatChanged) {
    auto& [top, a, b] = *layout;
    Settle();
    BringWindowToTop(a);
    RECT box;
    ASSERT_TRUE(GetUpdateRect(a, &box, FALSE));
    EXPECT_RECT(box, 30, 30, 50, 50); // the overlap, in a's client coordinates
    Pump();
    EXPECT_EQ(b.Count(WM_PAINT), 0);
    BringWindowToTop(b);
    Settle();
    { // an exposure gives the lower sibling only what the one above leaves it
        ProbeWindow cover{nullptr, {0, 0, 100, 100}, kGreen, 0, kTop};
        Pump();
    }
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetUpdateRgn(a, update, FALSE), NULLREGION);
    EXPECT_TRUE(PtInRegion(update, 5, 5));
    EXPECT_FALSE(PtInRegion(update, 45, 45)); // under b
    DeleteObject(update);
    Settle();
    ShowWindow(b, SW_HIDE);
    Pump();
    EXPECT_EQ(Kinds(a), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    MoveWindow(a, 60, 60, 40, 40, TRUE);
    Pump();
    a.Clear();
    MoveWindow(a, 0, 0, 40, 40, FALSE);
    Pump();
    EXPECT_EQ(a.Count(WM_PAINT), 0);
    EXPECT_FILL((RECT{60, 60, 100, 100}), kRed);
    ShowWindow(top, SW_HIDE); // a top-level window exposes the desktop
    Pump();
    EXPECT_FILL((RECT{0, 0, 100, 100}), Desktop());
}

// Redraw off: nothing within the window is invalidated or painted, from inside or from outside,
// even through UpdateWindow; what was pending stays, and redraw on paints only that.
TEST_F(PaintTest, RedrawOffHoldsEveryPaint) {
    auto& [top, a, b] = *layout;
    ProbeWindow cover(nullptr, {80, 80, 120, 120}, kGreen, 0, kTop);
    Settle();
    InvalidateRect(a, nullptr, TRUE);
    SendMessage(top, WM_SETREDRAW, FALSE, 0);
    ShowWindow(b, SW_HIDE);
    ShowWindow(cover, SW_HIDE);
    UpdateWindow(top);
    Pump();
    EXPECT_EQ(top.Count(WM_PAINT) + a.Count(WM_PAINT) + b.Count(WM_PAINT), 0);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    EXPECT_FILL((RECT{60, 60, 80, 80}), kBlue);
    SendMessage(top, WM_SETREDRAW, TRUE, 0);
    Pump();
    EXPECT_EQ(Kinds(a), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(top.Count(WM_PAINT), 0);
}

TEST_F(PaintTest, WindowsReleaseTheirDeviceContexts) {
    auto& [top, a, b] = *layout;
    Pump();
    int dcs = GdiGetObjectCounts().dcs;
    HDC client = GetDC(a), window = GetWindowDC(a), screen = GetDC(nullptr);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs + 3);
    EXPECT_EQ(WindowFromDC(client), a.hwnd());
    EXPECT_EQ(ReleaseDC(a, client), 1);
    EXPECT_EQ(ReleaseDC(a, client), 0);
    ReleaseDC(nullptr, screen);
    // A window that goes away takes its contexts with it; they are stale afterwards.
    DestroyWindow(a);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs);
    EXPECT_EQ(SetPixel(window, 0, 0, kRed), CLR_INVALID);
}

// UpdateWindow paints a window and its children at once; invalidating a parent does not reach
// its children unless asked, and invalidating no window repaints every window.
TEST_F(PaintTest, UpdateWindowAndInvalidatingParentsOrEverything) {
    auto& [top, a, b] = *layout;
    UpdateWindow(top);
    EXPECT_EQ(top.Count(WM_PAINT) + a.Count(WM_PAINT), 2);
    EXPECT_EQ(Pixel(20, 20), kRed);
    Settle();
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(a.Count(WM_PAINT), 0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(a.Count(WM_PAINT), 1);
    Settle();
    FillThrough(nullptr, {0, 0, 240, 320}, 0); // scribbles over the screen, as stray drawing would
    InvalidateRect(nullptr, nullptr, TRUE);
    Pump();
    EXPECT_EQ(top.Count(WM_PAINT) + a.Count(WM_PAINT) + b.Count(WM_PAINT), 3);
    EXPECT_FILL((RECT{10, 10, 40, 60}), kRed);
    EXPECT_FILL((RECT{100, 100, 240, 320}), Desktop());
}

// A window whose paint handler never validates is a runaway paint loop; the pump names it.
TEST_F(PaintTest, APaintLoopIsReportedWithTheWindowAndMessage) {
    auto& [top, a, b] = *layout;
    a.handler = [](UINT message, WPARAM, LPARAM, LRESULT*) { return message == WM_PAINT; };
    UserPumpResult r = UserPumpUntilIdle(500);
    EXPECT_FALSE(r.idle);
    EXPECT_NE(r.error.find("WM_PAINT"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("SkProbe"), std::string::npos) << r.error;
    a.handler = nullptr;
}

} // namespace
