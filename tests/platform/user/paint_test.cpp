// The paint cycle as a user sees it: pixels of overlapping windows, erasing and exposure (a
// see-through child that captures what lies behind it is tested with PaintParentBackground).
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class PaintTest : public ScreenTest {
protected:
    const DWORD kTop = WS_POPUP | WS_VISIBLE;
};

TEST_F(PaintTest, SiblingsAndChildrenClipEachOther) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kRed, 1);
    ProbeWindow b(top, {40, 40, 90, 90}, kBlue, 2); // created later: above a
    Pump();
    EXPECT_EQ(Pixel(5, 5), kWhite);
    EXPECT_EQ(Pixel(20, 20), kRed);
    EXPECT_EQ(Pixel(50, 50), kBlue);
    EXPECT_EQ(Pixel(95, 95), kWhite);
    EXPECT_EQ(Pixel(150, 150), COLORREF(GetSysColor(COLOR_BACKGROUND)));
    // Drawing on the lower sibling or on the parent never reaches the windows above.
    HDC dc = GetDC(a);
    HBRUSH green = CreateSolidBrush(kGreen);
    RECT all = {-100, -100, 300, 300};
    FillRect(dc, &all, green);
    ReleaseDC(a, dc);
    dc = GetDC(top);
    FillRect(dc, &all, green);
    ReleaseDC(top, dc);
    DeleteObject(green);
    EXPECT_FILL((RECT{40, 40, 90, 90}), kBlue);
    EXPECT_FILL((RECT{10, 10, 40, 60}), kGreen);
    EXPECT_EQ(Pixel(5, 5), kGreen);
    EXPECT_EQ(Pixel(100, 100), COLORREF(GetSysColor(COLOR_BACKGROUND)));
}

TEST_F(PaintTest, AWindowDcIncludesTheBorderAndTheClientDcDoesNot) {
    ProbeWindow top(nullptr, {10, 10, 50, 50}, kRed, 0, kTop | WS_BORDER);
    Pump();
    // The default frame is one pixel of the window-frame colour.
    COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(Pixel(10, 10), frame);
    EXPECT_EQ(Pixel(49, 30), frame);
    EXPECT_FILL((RECT{11, 11, 49, 49}), kRed);
    HDC dc = GetDC(top);
    EXPECT_EQ(SetPixel(dc, -1, -1, kBlue), CLR_INVALID);
    EXPECT_NE(SetPixel(dc, 0, 0, kBlue), CLR_INVALID);
    ReleaseDC(top, dc);
    EXPECT_EQ(Pixel(11, 11), kBlue);
    dc = GetWindowDC(top);
    SetPixel(dc, 0, 0, kGreen);
    ReleaseDC(top, dc);
    EXPECT_EQ(Pixel(10, 10), kGreen);
}

TEST_F(PaintTest, OneWmPaintPerBurstAfterThePostedMessagesAndNoneForValidAreas) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow hidden(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP);
    Pump();
    w.Clear();
    RECT a = {10, 10, 20, 20}, b = {50, 60, 70, 80}, box;
    InvalidateRect(w, &a, FALSE);
    PostMessage(w, WM_USER, 1, 0);
    InvalidateRect(w, &b, FALSE);
    PostMessage(w, WM_USER, 2, 0);
    InvalidateRect(w, &a, TRUE);
    EXPECT_TRUE(GetUpdateRect(w, &box, FALSE));
    EXPECT_RECT(box, 10, 10, 70, 80);
    Pump();
    std::vector<UINT> order;
    for (auto& m : w.Messages())
        order.push_back(m.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER, WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(w.Messages()[1].wParam, WPARAM(2));
    EXPECT_FALSE(GetUpdateRect(w, &box, FALSE));
    // Validated areas and hidden windows are not painted.
    w.Clear();
    InvalidateRect(w, nullptr, TRUE);
    ValidateRect(w, nullptr);
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(w, &a, FALSE);
    ValidateRect(w, &a);
    Pump();
    EXPECT_EQ(w.Count(WM_PAINT), 0);
    EXPECT_EQ(hidden.Count(WM_PAINT), 0);
}

// A window class whose background comes from its class brush.
HWND MakeErasingWindow(LPCWSTR className, HBRUSH brush, const RECT& r) {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = brush;
    wc.lpszClassName = className;
    RegisterClass(&wc);
    return CreateWindowEx(0, className, u"", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(PaintTest, EraseUsesTheClassBrushWithTheSystemColourConvention) {
    // 0x40000010: system colour 16 with the platform's flag bit, i.e. button face + 1.
    MakeErasingWindow(u"SkFlagged", reinterpret_cast<HBRUSH>(ULONG_PTR(0x40000010)),
                      {0, 0, 50, 50});
    MakeErasingWindow(u"SkIndexed", reinterpret_cast<HBRUSH>(ULONG_PTR(COLOR_HIGHLIGHT + 1)),
                      {60, 0, 110, 50});
    HBRUSH solid = CreateSolidBrush(RGB(12, 34, 56));
    HWND s = MakeErasingWindow(u"SkSolid", solid, {120, 0, 170, 50});
    MakeErasingWindow(u"SkNoBrush", nullptr, {180, 0, 230, 50});
    Pump();
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BACKGROUND));
    EXPECT_FILL((RECT{0, 0, 50, 50}), COLORREF(GetSysColor(COLOR_BTNFACE)));
    EXPECT_FILL((RECT{60, 0, 110, 50}), COLORREF(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_FILL((RECT{120, 0, 170, 50}), RGB(12, 34, 56));
    // Without a brush nothing is drawn: the desktop's colour stays.
    EXPECT_FILL((RECT{180, 0, 230, 50}), COLORREF(GetSysColor(COLOR_BACKGROUND)));
    DestroyWindow(s);
    DeleteObject(solid);
}

TEST_F(PaintTest, HidingExposesWhatLiesUnder) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kRed, 1);
    ProbeWindow b(top, {40, 40, 90, 90}, kBlue, 2);
    Pump();
    a.Clear();
    top.Clear();
    ShowWindow(b, SW_HIDE);
    Pump();
    EXPECT_FILL((RECT{40, 40, 60, 60}), kRed);
    EXPECT_FILL((RECT{60, 60, 90, 90}), kWhite);
    EXPECT_EQ(a.Count(WM_PAINT), 1);
    EXPECT_EQ(a.Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    // Hiding a top-level window exposes the desktop.
    ShowWindow(top, SW_HIDE);
    Pump();
    EXPECT_FILL((RECT{0, 0, 100, 100}), COLORREF(GetSysColor(COLOR_BACKGROUND)));
}

TEST_F(PaintTest, MovingExposesTheOldAreaAndPaintsTheNewOne) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 50, 50}, kRed, 1);
    Pump();
    MoveWindow(child, 100, 100, 40, 40, TRUE);
    Pump();
    EXPECT_FILL((RECT{10, 10, 50, 50}), kWhite);
    EXPECT_FILL((RECT{100, 100, 140, 140}), kRed);
    // Without repainting, nothing is invalidated: the old pixels stay where they were.
    child.Clear();
    MoveWindow(child, 0, 0, 40, 40, FALSE);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 0);
    EXPECT_FILL((RECT{100, 100, 140, 140}), kRed);
}

TEST_F(PaintTest, RaisingAWindowPaintsOnlyItsNewlyVisiblePart) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kRed, 1);
    ProbeWindow b(top, {40, 40, 90, 90}, kBlue, 2);
    Pump();
    a.Clear();
    b.Clear();
    BringWindowToTop(a);
    RECT box;
    ASSERT_TRUE(GetUpdateRect(a, &box, FALSE));
    EXPECT_RECT(box, 30, 30, 50, 50); // the overlap, in a's client coordinates
    Pump();
    EXPECT_FILL((RECT{40, 40, 60, 60}), kRed);
    EXPECT_EQ(b.Count(WM_PAINT), 0);
}

TEST_F(PaintTest, WindowRegionShapesPaintingAndBelongsToTheWindow) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 60, 60}, kRed, 1);
    Pump();
    int regions = GdiGetObjectCounts().regions;
    HRGN shape = CreateRectRgn(0, 0, 20, 20);
    HRGN more = CreateRectRgn(30, 30, 50, 50);
    CombineRgn(shape, shape, more, RGN_OR);
    DeleteObject(more);
    SetWindowRgn(child, shape, TRUE);
    Pump();
    EXPECT_FILL((RECT{10, 10, 30, 30}), kRed);
    EXPECT_FILL((RECT{40, 40, 60, 60}), kRed);
    EXPECT_FILL((RECT{30, 10, 60, 40}), kWhite); // cut away: the parent shows through
    EXPECT_EQ(GdiGetObjectCounts().regions, regions + 1);
    // Replacing the region deletes the old one.
    SetWindowRgn(child, CreateRectRgn(0, 0, 5, 5), TRUE);
    EXPECT_EQ(GdiGetObjectCounts().regions, regions + 1);
    EXPECT_EQ(GetObjectType(shape), 0u);
    DestroyWindow(child);
    EXPECT_EQ(GdiGetObjectCounts().regions, regions);
}

TEST_F(PaintTest, WindowsReleaseTheirDeviceContexts) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    Pump();
    int dcs = GdiGetObjectCounts().dcs;
    HDC a = GetDC(w);
    HDC b = GetWindowDC(w);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs + 3);
    EXPECT_EQ(WindowFromDC(a), w.hwnd());
    EXPECT_EQ(ReleaseDC(w, a), 1);
    EXPECT_EQ(ReleaseDC(w, a), 0);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs + 1);
    // A window that goes away takes its contexts with it; they are stale afterwards.
    DestroyWindow(w);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs);
    EXPECT_EQ(SetPixel(b, 0, 0, kRed), CLR_INVALID);
    // Painting a hundred times leaves nothing behind.
    ProbeWindow again(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    for (int i = 0; i < 100; ++i) {
        InvalidateRect(again, nullptr, TRUE);
        UpdateWindow(again);
    }
    EXPECT_EQ(again.Count(WM_PAINT), 100);
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs);
}

TEST_F(PaintTest, UpdateWindowPaintsChildrenButInvalidatingAParentDoesNot) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 60, 60}, kRed, 1);
    UpdateWindow(top); // paints the window and its children at once, before any pump
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    EXPECT_EQ(Pixel(20, 20), kRed);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 2);
}

// A window whose paint handler never validates is a runaway paint loop; the pump names it.
TEST_F(PaintTest, APaintLoopIsReportedWithTheWindowAndMessage) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, kTop);
    w.handler = [](UINT message, WPARAM, LPARAM, LRESULT*) { return message == WM_PAINT; };
    UserPumpResult r = UserPumpUntilIdle(500);
    EXPECT_FALSE(r.idle);
    EXPECT_NE(r.error.find("WM_PAINT"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("SkProbe"), std::string::npos) << r.error;
    w.handler = nullptr;
}

TEST_F(PaintTest, InvalidatingNoWindowRepaintsEveryWindow) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 60, 60}, kRed, 1);
    Pump();
    top.Clear();
    child.Clear();
    // Scribble over the screen, as a stray drawing would.
    HDC screen = GetDC(nullptr);
    PatBlt(screen, 0, 0, 240, 320, BLACKNESS);
    ReleaseDC(nullptr, screen);
    InvalidateRect(nullptr, nullptr, TRUE);
    Pump();
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    EXPECT_FILL((RECT{10, 10, 60, 60}), kRed);
    EXPECT_FILL((RECT{100, 100, 240, 320}), COLORREF(GetSysColor(COLOR_BACKGROUND)));
}

} // namespace
