// Input routing as a user sees it: which window a tap reaches, with what coordinates, capture,
// double clicks, keys and focus.
#include "support/screen_fixture.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// "wParam:x,y " for every message of one kind, so a count and its parameters compare at once.
std::string Points(const ProbeWindow& w, UINT message) {
    std::string s;
    for (auto& m : w.Only(message))
        s += std::to_string(m.wParam) + ":" + std::to_string(GET_X_LPARAM(m.lParam)) + "," +
             std::to_string(GET_Y_LPARAM(m.lParam)) + " ";
    return s;
}

std::vector<WPARAM> WParams(const ProbeWindow& w, UINT message) {
    std::vector<WPARAM> v;
    for (auto& m : w.Only(message))
        v.push_back(m.wParam);
    return v;
}

class InputTest : public ScreenTest {
protected:
    const DWORD kTop = WS_POPUP | WS_VISIBLE;
};

TEST_F(InputTest, ATapReachesTheTopmostWindowInClientCoordinates) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kWhite, 1);
    ProbeWindow b(top, {40, 40, 90, 90}, kWhite, 2, WS_CHILD | WS_VISIBLE | WS_BORDER);
    Down(50, 50);
    Up(50, 50);
    EXPECT_EQ(Points(b, WM_LBUTTONDOWN), "1:9,9 "); // MK_LBUTTON, inside b's one-pixel border
    EXPECT_EQ(Points(b, WM_LBUTTONUP), "0:9,9 ");
    Click(20, 20);
    EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 1);
    Click(150, 150);
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    // The border gets non-client messages.
    Click(40, 60);
    EXPECT_EQ(WParams(b, WM_NCLBUTTONDOWN), std::vector<WPARAM>{HTBORDER});
    EXPECT_EQ(a.Count(WM_LBUTTONDOWN) + b.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(InputTest, CaptureTakesEveryPointerEventWhereverItHappens) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kWhite, 1);
    ProbeWindow b(top, {100, 100, 150, 150}, kWhite, 2);
    a.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_LBUTTONDOWN) SetCapture(a);
        if (message == WM_LBUTTONUP) ReleaseCapture();
        return false;
    };
    // Injected in one go: the capture taken by the first event decides where the rest go.
    UserInjectPointerDown(20, 20);
    UserInjectPointerMove(120, 120);
    UserInjectPointerUp(5, 130);
    Pump();
    EXPECT_EQ(b.Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(Points(a, WM_MOUSEMOVE), "1:110,110 ");
    EXPECT_EQ(Points(a, WM_LBUTTONUP), "0:-5,120 "); // outside: negative client coordinates
    EXPECT_EQ(Points(a, WM_CAPTURECHANGED), "0:0,0 ");
    EXPECT_EQ(GetCapture(), nullptr);
    Click(120, 120);
    EXPECT_EQ(b.Count(WM_LBUTTONDOWN), 1);
    // Taking the capture names the previous holder; a capturing window that goes lets go.
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a.hwnd());
    EXPECT_EQ(a.Only(WM_CAPTURECHANGED).back().lParam, LPARAM(b.hwnd()));
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), nullptr);
    // The pointer's position and button are known after each event.
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(LONG(120), LONG(120)));
    Down(5, 6);
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    Up(5, 6);
    EXPECT_EQ(GetKeyState(VK_LBUTTON), 0);
}

TEST_F(InputTest, RegionsVisibilityAndDisabledWindowsDecideWhatIsHit) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow shaped(top, {10, 10, 110, 110}, kWhite, 1);
    ProbeWindow hidden(top, {120, 120, 160, 160}, kWhite, 2, WS_CHILD);
    ProbeWindow off(top, {150, 10, 190, 50}, kWhite, 3);
    ProbeWindow inner(off, {0, 0, 20, 20}, kWhite, 4);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 50), TRUE);
    EnableWindow(off, FALSE);
    Click(20, 20);
    Click(80, 80);   // outside the region: the parent
    Click(130, 130); // a hidden window: the parent
    Click(180, 40);  // a disabled window swallows the tap
    Click(152, 12);  // inner is enabled, but its disabled parent takes the tap
    EXPECT_EQ(shaped.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(hidden.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(off.Count(WM_LBUTTONDOWN) + inner.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 2);
    // A disabled top-level window also blocks the desktop behind it.
    EnableWindow(top, FALSE);
    EnableWindow(off, TRUE);
    Click(150, 150);
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleTimeAndPlace) {
    ProbeWindow dbl(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop, true);
    ProbeWindow plain(nullptr, {100, 0, 200, 100}, kWhite, 0, kTop, false);
    Click(10, 10);
    AdvanceTime(GetDoubleClickTime());
    Click(11, 12);
    EXPECT_EQ(dbl.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(dbl.Count(WM_LBUTTONDOWN), 1);
    // A third press starts again.
    Click(11, 12);
    EXPECT_EQ(dbl.Count(WM_LBUTTONDOWN), 2);
    // Too late, or too far, is a plain press.
    AdvanceTime(1000);
    Click(50, 50);
    AdvanceTime(GetDoubleClickTime() + 1);
    Click(50, 50);
    Click(50 + GetSystemMetrics(SM_CXDOUBLECLK), 50);
    EXPECT_EQ(dbl.Count(WM_LBUTTONDBLCLK), 1);
    Click(150, 50);
    Click(150, 50);
    EXPECT_EQ(plain.Count(WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(plain.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(InputTest, KeysGoToTheFocusWindow) {
    ProbeWindow top(nullptr, {0, 0, 200, 200}, kWhite, 0, kTop);
    ProbeWindow a(top, {10, 10, 60, 60}, kWhite, 1);
    ProbeWindow b(top, {100, 100, 150, 150}, kWhite, 2);
    EXPECT_EQ(GetActiveWindow(), top.hwnd()); // shown top-level windows are activated
    SetFocus(a);
    Key('Q');
    EXPECT_EQ(a.Count(WM_KEYDOWN), 1);
    EXPECT_EQ(a.Count(WM_KEYUP), 1);
    EXPECT_EQ(WParams(a, WM_CHAR), std::vector<WPARAM>{'q'});
    EXPECT_EQ(SetFocus(b), a.hwnd());
    EXPECT_EQ(WParams(a, WM_KILLFOCUS), std::vector<WPARAM>{WPARAM(b.hwnd())});
    EXPECT_EQ(WParams(b, WM_SETFOCUS), std::vector<WPARAM>{WPARAM(a.hwnd())});
    // Hiding the focus window hands the focus to its parent.
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(GetFocus(), top.hwnd());
    // Activation moves between top-level windows; the default handling focuses the window.
    ProbeWindow second(nullptr, {0, 0, 100, 100}, kWhite, 0, kTop);
    EXPECT_EQ(GetActiveWindow(), second.hwnd());
    top.Clear();
    SetActiveWindow(top);
    EXPECT_EQ(WParams(top, WM_ACTIVATE), std::vector<WPARAM>{WA_ACTIVE});
    EXPECT_EQ(GetFocus(), top.hwnd());
    DestroyWindow(top);
    EXPECT_EQ(GetActiveWindow(), second.hwnd());
}

} // namespace
