// Standard scroll bars as an application sees them: the room they take, their values, the
// codes taps send (repeating on the clock), thumb drags, their pixels, and ScrollWindowEx.
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include "platform/user/winreg.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBars = WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL;

void SetRegistryWidth(LPCWSTR name, DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// A window that scrolls as applications do: it moves its position by the step each code asks
// for and records "code:position" for every WM_VSCROLL.
struct Scroller {
    explicit Scroller(RECT rect, DWORD style = kBars)
        : w(nullptr, rect, RGB(255, 255, 255), 0, style) {
        SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
        SetScrollInfo(w, SB_VERT, &si, TRUE);
        w.handler = [this](UINT message, WPARAM wParam, LPARAM, LRESULT*) {
            if (message == WM_VSCROLL) OnScroll(LOWORD(wParam));
            return false;
        };
    }
    void OnScroll(UINT code) {
        SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(w, SB_VERT, &si);
        int steps[] = {-1, 1, -int(si.nPage), int(si.nPage)};
        int pos = code <= SB_PAGEDOWN ? si.nPos + steps[code] : si.nPos;
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) pos = si.nTrackPos;
        SetScrollPos(w, SB_VERT, pos, TRUE);
        log += std::to_string(code) + ":" + std::to_string(GetScrollPos(w, SB_VERT)) + " ";
    }
    ProbeWindow w;
    std::string log;
};

class ScrollBarTest : public ScreenTest {
protected:
    // Runs steps one by one whenever the tracking loop waits for input.
    void WhileWaiting(std::vector<std::function<void()>> steps) {
        auto next = std::make_shared<size_t>(0);
        UserSetWaitHook([steps, next] {
            if (*next >= steps.size()) return false;
            steps[(*next)++]();
            return true;
        });
    }
    void TearDown() override {
        UserSetWaitHook(nullptr);
        ScreenTest::TearDown();
    }
};

struct RoomCase {
    DWORD style;
    DWORD registryWidth; // 0: not set
    RECT client;         // GetClientRect
    POINT vbar, hbar;    // screen points expected on each bar (or outside any)
};

TEST_F(ScrollBarTest, BarsTakeTheirRoomOutsideTheClientAreaFromTheRegistryWidth) {
    const RoomCase cases[] = {
        {WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, {0, 0, 87, 60}, {90, 30}, {40, 59}},
        {kBars, 0, {0, 0, 85, 45}, {90, 30}, {40, 50}},
        {kBars, 20, {0, 0, 78, 38}, {80, 10}, {10, 45}},
    };
    for (const RoomCase& c : cases) {
        UserResetPlatform();
        if (c.registryWidth) {
            SetRegistryWidth(u"cxVScr", c.registryWidth);
            SetRegistryWidth(u"cyHScr", c.registryWidth);
        }
        ProbeWindow w(nullptr, {0, 0, 100, 60}, RGB(255, 255, 255), 0, c.style);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_RECT(client, c.client.left, c.client.top, c.client.right, c.client.bottom);
        EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), c.registryWidth ? int(c.registryWidth) : 13);
        EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(c.vbar.x, c.vbar.y)), HTVSCROLL);
        LRESULT h = SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(c.hbar.x, c.hbar.y));
        EXPECT_EQ(h, (c.style & WS_HSCROLL) ? HTHSCROLL : HTCLIENT);
    }
}

TEST_F(ScrollBarTest, ValuesAreClampedAndDecideWhetherTheBarShows) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, RGB(255, 255, 255), 0, WS_POPUP | WS_VISIBLE);
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500, 0};
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90) << "the last page ends at the maximum";
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(w.Only(WM_SIZE).back().lParam, MAKELPARAM(87, 100));
    EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, TRUE), 90);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
    // A page as large as the range leaves nothing to scroll: the bar goes, or is disabled.
    si = {sizeof si, SIF_PAGE, 0, 0, 100, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(w.Only(WM_SIZE).back().lParam, MAKELPARAM(100, 100));
    si = {sizeof si, SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 200, 0, 0};
    ShowScrollBar(w, SB_VERT, TRUE);
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &si));
    EXPECT_EQ(si.nPage, 100u) << "the page never exceeds the range";
    int min = -1, max = -1;
    EXPECT_TRUE(SetScrollRange(w, SB_HORZ, 5, 50, FALSE));
    EXPECT_TRUE(GetScrollRange(w, SB_HORZ, &min, &max));
    EXPECT_EQ(min * 100 + max, 550);
    EXPECT_FALSE(SetScrollInfo(nullptr, SB_VERT, &si, TRUE));
}

struct TapCase {
    const char* name;
    POINT at; // screen
    const char* log;
};

// The window is 100 x 100 with a border: the bar spans y 1 to 86, arrows 13 long, the thumb
// (page 10 of 100) 8 pixels from y 14 at position 0.
TEST_F(ScrollBarTest, TapsSendTheCodeOfThePartTappedAndEndScroll) {
    const TapCase cases[] = {
        {"more arrow", {92, 80}, "1:1 8:1 "},
        {"the more arrow's first pixel", {92, 73}, "1:1 8:1 "},
        {"shaft after the thumb", {92, 60}, "3:10 8:10 "},
        {"less arrow at the top stays", {92, 5}, "0:0 8:0 "},
        {"thumb without moving", {92, 16}, "4:0 8:0 "},
    };
    for (const TapCase& c : cases) {
        Scroller s({0, 0, 100, 100});
        Pump();
        Click(c.at.x, c.at.y);
        EXPECT_EQ(s.log, c.log) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
    }
}

TEST_F(ScrollBarTest, HeldArrowsRepeatOnTheClockWhileThePointerStaysOnThem) {
    Scroller s({0, 0, 100, 100});
    Pump();
    auto tick = [] { UserAdvanceClock(50); };
    // At once, then after 200 ms and every 50 ms; off the arrow nothing; back on, it resumes.
    WhileWaiting({tick, tick, tick, tick, tick, [] { UserInjectPointerMove(92, 40); }, tick, tick,
                  [] { UserInjectPointerMove(92, 80); }, tick,
                  [] { UserInjectPointerUp(92, 80); }});
    Down(92, 80);
    EXPECT_EQ(s.log, "1:1 1:2 1:3 1:4 8:4 ");
    EXPECT_EQ(GetTickCount(), 400u);
}

TEST_F(ScrollBarTest, ADraggedThumbReportsThePositionsItPassesAndEndsThere) {
    Scroller s({0, 0, 100, 100});
    Pump();
    UserInjectPointerDown(92, 16);
    UserInjectPointerMove(92, 33);   // 17 of the 51 pixels the thumb can travel
    UserInjectPointerMove(120, 200); // beyond the end: the last position
    UserInjectPointerUp(120, 200);
    Pump();
    EXPECT_EQ(s.log, "5:30 5:90 4:90 8:90 ");
}

TEST_F(ScrollBarTest, BarsArePaintedInTheSystemColours) {
    Scroller s({10, 10, 110, 110});
    SetScrollPos(s.w, SB_VERT, 50, TRUE);
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10, 0, 0};
    SetScrollInfo(s.w, SB_HORZ, &si, TRUE);
    Pump();
    COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    // Less arrow: raised edge round a black triangle pointing up.
    EXPECT_EQ(Pixel(97, 11), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(Pixel(98, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(108, 23), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(Pixel(102, 15), text);
    EXPECT_EQ(Pixel(105, 18), text);
    EXPECT_EQ(Pixel(103, 15), face);
    // The thumb (position 50 of 90: 28 of its 51 pixels of travel) on the checked shaft.
    EXPECT_FILL((RECT{98, 11 + 13 + 28 + 2, 106, 11 + 13 + 28 + 6}), face);
    COLORREF checks[] = {GetSysColor(COLOR_SCROLLBAR), GetSysColor(COLOR_BTNHIGHLIGHT)};
    // Checks counted from the window's corner: (93, 21) in the window is an even square.
    EXPECT_EQ(Pixel(103, 31), checks[0]);
    EXPECT_EQ(Pixel(103, 32), checks[1]);
    EXPECT_EQ(Pixel(104, 31), checks[1]);
    COLORREF below = Pixel(103, 70);
    for (int position : {51, 52, 53}) { // the thumb moves a pixel: the checks stay put
        SetScrollPos(s.w, SB_VERT, position, TRUE);
        Pump();
        EXPECT_EQ(Pixel(103, 70), below) << position;
    }
    // The disabled horizontal bar: grey arrows, no thumb; the corner is plain face.
    EXPECT_EQ(Pixel(17, 103), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_FILL((RECT{97, 97, 109, 109}), face);
}

// A window that paints each row y in the colour RGB(y, 0, 0).
struct Rows {
    Rows() : w(nullptr, {0, 0, 100, 100}, CLR_NONE, 0, WS_POPUP | WS_VISIBLE) {
        w.handler = [this](UINT message, WPARAM, LPARAM, LRESULT*) {
            if (message != WM_PAINT) return false;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            for (int y = 0; y < 100; ++y) {
                HBRUSH b = CreateSolidBrush(RGB(y + offset, 0, 0));
                RECT row = {0, y, 100, y + 1};
                FillRect(dc, &row, b);
                DeleteObject(b);
            }
            EndPaint(w, &ps);
            return true;
        };
    }
    ProbeWindow w;
    int offset = 0;
};

TEST_F(ScrollBarTest, ScrollWindowExMovesPixelsAndExposesOnlyWhatTheyLeft) {
    Rows r;
    ProbeWindow cover(nullptr, {0, 60, 50, 100}, RGB(0, 0, 255), 0, WS_POPUP | WS_VISIBLE);
    Pump();
    RECT pending = {60, 20, 70, 25}, exposedBox;
    InvalidateRect(r.w, &pending, FALSE);
    HRGN exposed = CreateRectRgn(0, 0, 0, 0);
    RECT scroll = {0, 0, 100, 90};
    EXPECT_EQ(ScrollWindowEx(r.w, 0, -10, &scroll, nullptr, exposed, &exposedBox, SW_INVALIDATE),
              COMPLEXREGION);
    // Rows moved up; pixels that were under the cover or out of date are not moved.
    EXPECT_EQ(Pixel(80, 20), RGB(30, 0, 0));
    EXPECT_EQ(Pixel(80, 79), RGB(89, 0, 0));
    EXPECT_EQ(Pixel(20, 45), RGB(55, 0, 0));
    EXPECT_EQ(Pixel(20, 55), RGB(55, 0, 0)) << "its source lay under the cover";
    EXPECT_TRUE(PtInRegion(exposed, 80, 85));
    EXPECT_TRUE(PtInRegion(exposed, 20, 55));
    EXPECT_FALSE(PtInRegion(exposed, 80, 40));
    EXPECT_FALSE(PtInRegion(exposed, 20, 70)) << "covered pixels are not repainted now";
    EXPECT_FALSE(PtInRegion(exposed, 80, 95)) << "outside the scrolled rectangle";
    EXPECT_RECT(exposedBox, 0, 10, 100, 90);
    DeleteObject(exposed);
    // The pending update moved with the pixels and stays where it was too.
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(r.w, update, FALSE);
    EXPECT_TRUE(PtInRegion(update, 65, 22));
    EXPECT_TRUE(PtInRegion(update, 65, 12));
    EXPECT_FALSE(PtInRegion(update, 65, 30));
    DeleteObject(update);
    r.offset = 50;
    Pump();
    EXPECT_EQ(Pixel(80, 85), RGB(135, 0, 0));
    EXPECT_EQ(Pixel(80, 40), RGB(50, 0, 0)) << "moved pixels are not painted again";
}

} // namespace

// Guards the cached shown areas: a bar that comes, or widens through the registry, takes room
// from the children too.
TEST_F(ScrollBarTest, ChildrenLoseTheRoomABarTakesLater) {
    const COLORREF red = RGB(255, 0, 0);
    ProbeWindow parent(nullptr, {0, 0, 100, 60}, RGB(255, 255, 255), 0, WS_POPUP | WS_VISIBLE);
    ProbeWindow child(parent, {0, 0, 100, 60}, red);
    Pump();
    EXPECT_EQ(Pixel(95, 30), red);
    SetScrollRange(parent, SB_VERT, 0, 99, TRUE);
    Pump();
    EXPECT_NE(Pixel(95, 30), red);
    EXPECT_EQ(Pixel(80, 30), red);
    SetRegistryWidth(u"cxVScr", 30);
    InvalidateRect(nullptr, nullptr, TRUE);
    Pump();
    EXPECT_NE(Pixel(80, 30), red);
}
