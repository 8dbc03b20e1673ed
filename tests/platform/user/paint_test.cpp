// The paint cycle as a user sees it: pixels of overlapping windows, erasing, exposure, and a
// see-through child that captures what lies behind it.
#include "support/screen_fixture.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class PaintTest : public ScreenTest {
protected:
    const DWORD kTop = WS_POPUP | WS_VISIBLE;
};

TEST_F(PaintTest, TheDesktopShowsTheDesktopColour) {
    EXPECT_FILL((RECT{0, 0, 240, 320}), COLORREF(GetSysColor(COLOR_BACKGROUND)));
}

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

TEST_F(PaintTest, OneWmPaintPerBurstOfInvalidations) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    Pump();
    w.Clear();
    RECT a = {10, 10, 20, 20}, b = {50, 60, 70, 80};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, FALSE);
    InvalidateRect(w, &a, TRUE);
    RECT box;
    EXPECT_TRUE(GetUpdateRect(w, &box, FALSE));
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.bottom, 80);
    Pump();
    EXPECT_EQ(w.Count(WM_PAINT), 1);
    EXPECT_EQ(w.Count(WM_ERASEBKGND), 1);
    EXPECT_FALSE(GetUpdateRect(w, &box, FALSE));
    w.Clear();
    Pump();
    EXPECT_EQ(w.Count(WM_PAINT), 0);
}

TEST_F(PaintTest, PaintWaitsUntilThePostedMessagesAreDone) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    Pump();
    w.Clear();
    InvalidateRect(w, nullptr, FALSE);
    PostMessage(w, WM_USER, 1, 0);
    PostMessage(w, WM_USER, 2, 0);
    Pump();
    ASSERT_EQ(w.Messages().size(), 3u);
    EXPECT_EQ(w.Messages()[0].message, UINT(WM_USER));
    EXPECT_EQ(w.Messages()[1].wParam, WPARAM(2));
    EXPECT_EQ(w.Messages()[2].message, UINT(WM_PAINT));
}

TEST_F(PaintTest, ValidatedAreasAndHiddenWindowsAreNotPainted) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow hidden(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP);
    Pump();
    w.Clear();
    RECT part = {0, 0, 50, 50};
    InvalidateRect(w, nullptr, TRUE);
    ValidateRect(w, nullptr);
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(w, &part, FALSE);
    ValidateRect(w, &part);
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
    EXPECT_EQ(box.left, 30); // the overlap, in a's client coordinates
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.right, 50);
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

TEST_F(PaintTest, UpdateWindowPaintsTheWindowAndItsChildrenAtOnce) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 60, 60}, kRed, 1);
    EXPECT_EQ(top.Count(WM_PAINT), 0);
    UpdateWindow(top);
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    EXPECT_EQ(Pixel(20, 20), kRed);
    Pump();
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    EXPECT_EQ(child.Count(WM_PAINT), 1);
}

TEST_F(PaintTest, InvalidatingAParentLeavesItsChildrenAlone) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    ProbeWindow child(top, {10, 10, 60, 60}, kRed, 1);
    Pump();
    child.Clear();
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(child.Count(WM_PAINT), 1);
}

// ---- A see-through child ---------------------------------------------------------------------

// Paints what lies behind it, captured from the screen while it hides itself, then a red
// square in its middle: exactly how the library's see-through controls paint.
struct SeeThrough {
    int paints = 0;
    COLORREF square = kRed;
};
SeeThrough* g_seeThrough = nullptr;

void CaptureBehind(HWND hwnd, HDC dest) {
    ShowWindow(hwnd, SW_HIDE);
    UpdateWindow(GetParent(hwnd));
    HDC screen = GetDC(GetDesktopWindow());
    HDC memory = CreateCompatibleDC(screen);
    RECT r;
    GetWindowRect(hwnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HBITMAP bitmap = CreateBitmap(w, h, GetDeviceCaps(screen, PLANES) & 0xFF,
                                  GetDeviceCaps(screen, BITSPIXEL) & 0xFF, nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(GetDesktopWindow(), screen);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, 0x257);
    BitBlt(dest, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

LRESULT SeeThroughProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return TRUE;
    if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
    ++g_seeThrough->paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    CaptureBehind(hwnd, dc);
    RECT client;
    GetClientRect(hwnd, &client);
    RECT square = {client.right / 2 - 5, client.bottom / 2 - 5, client.right / 2 + 5,
                   client.bottom / 2 + 5};
    HBRUSH brush = CreateSolidBrush(g_seeThrough->square);
    FillRect(dc, &square, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
}

class SeeThroughTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        g_seeThrough = &state;
        WNDCLASS wc{};
        wc.style = 0x8B;
        wc.lpfnWndProc = SeeThroughProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(ULONG_PTR(0x40000010));
        wc.lpszClassName = u"SkSeeThrough";
        RegisterClass(&wc);
    }
    void TearDown() override {
        PaintTest::TearDown();
        g_seeThrough = nullptr;
    }
    HWND Make(HWND parent, const RECT& r) {
        return CreateWindowEx(0, u"SkSeeThrough", u"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr,
                              nullptr);
    }
    SeeThrough state;
};

TEST_F(SeeThroughTest, ReachesIdleAndShowsWhatLiesBehind) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow below(top, {0, 0, 60, 200}, kBlue, 1); // a sibling under the right half
    HWND glass = Make(top, {40, 40, 100, 100});
    UserPumpResult r = Pump();
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(state.paints, 1);
    EXPECT_FILL((RECT{40, 40, 60, 100}), kBlue); // the sibling below shows through
    EXPECT_FILL((RECT{60, 40, 65, 100}), kWhite);
    EXPECT_FILL((RECT{65, 65, 75, 75}), kRed); // its own drawing on top
    EXPECT_FILL((RECT{80, 40, 100, 100}), kWhite);
    // Repainting it again captures the same background and again comes to rest.
    state.square = kGreen;
    top.Clear();
    InvalidateRect(glass, nullptr, TRUE);
    r = Pump();
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(state.paints, 2);
    EXPECT_FILL((RECT{65, 65, 75, 75}), kGreen);
    EXPECT_FILL((RECT{40, 40, 60, 65}), kBlue);
    // Only the area it repaints is exposed to the parent, once.
    EXPECT_LE(top.Count(WM_PAINT), 1);
}

TEST_F(SeeThroughTest, ShowsTheParentsNewPixelsAfterTheParentChanges) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    HWND glass = Make(top, {40, 40, 100, 100});
    ASSERT_TRUE(Pump());
    top.fill = kBlue;
    InvalidateRect(top, nullptr, TRUE);
    InvalidateRect(glass, nullptr, TRUE);
    ASSERT_TRUE(Pump());
    EXPECT_FILL((RECT{40, 40, 60, 60}), kBlue);
    EXPECT_FILL((RECT{65, 65, 75, 75}), kRed);
    EXPECT_FILL((RECT{0, 0, 200, 30}), kBlue);
}

TEST_F(SeeThroughTest, PartialRepaintExposesOnlyThatPart) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    HWND glass = Make(top, {40, 40, 100, 100});
    ASSERT_TRUE(Pump());
    top.Clear();
    RECT corner = {0, 0, 10, 10};
    InvalidateRect(glass, &corner, TRUE);
    RECT exposed{};
    top.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_PAINT) GetUpdateRect(top, &exposed, FALSE);
        return false;
    };
    ASSERT_TRUE(Pump());
    EXPECT_EQ(top.Count(WM_PAINT), 1);
    EXPECT_EQ(exposed.left, 40);
    EXPECT_EQ(exposed.top, 40);
    EXPECT_EQ(exposed.right, 50);
    EXPECT_EQ(exposed.bottom, 50);
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

} // namespace

namespace {

TEST_F(PaintTest, InvalidatingNoWindowRepaintsEveryWindow) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP | WS_VISIBLE);
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
