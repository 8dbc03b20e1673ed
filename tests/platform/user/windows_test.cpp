// Windows as a caller sees them: creation and destruction messages, the tree, window data.
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include "platform/base/cstring.h"
#include "platform/user/winreg.h"

#include <string>
#include <vector>

namespace {

class WindowsTest : public ScreenTest {};

// Records "message:window text" for every window of the "SkLog" class; a window named
// "refuse" refuses to be created.
std::vector<std::string>* g_log = nullptr;

LRESULT LogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const char* tag = message == WM_CREATE      ? "create"
                      : message == WM_DESTROY   ? "destroy"
                      : message == WM_NCDESTROY ? "ncdestroy"
                                                : nullptr;
    if (tag && g_log) {
        WCHAR name[16] = {};
        GetWindowText(hwnd, name, 16);
        g_log->push_back(std::string(tag) + ":" + CString(name).ToUtf8());
        if (message == WM_CREATE && CString(name) == CString(u"refuse")) return -1;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class LoggedWindows {
public:
    LoggedWindows() {
        g_log = &log;
        WNDCLASS wc{};
        wc.lpfnWndProc = LogProc;
        wc.lpszClassName = u"SkLog";
        RegisterClass(&wc);
    }
    ~LoggedWindows() { g_log = nullptr; }
    HWND Make(LPCWSTR name, HWND parent, DWORD style = WS_CHILD | WS_VISIBLE) {
        return CreateWindowEx(0, u"SkLog", name, style, 0, 0, 50, 50, parent, nullptr, nullptr,
                              nullptr);
    }
    std::vector<std::string> log;
};

// Destruction sends WM_DESTROY parent first and WM_NCDESTROY children first (children are kept
// topmost first, so the later "b" comes before "a"); owned popups go first, with their owner
// (always a top-level window); a window refused by WM_CREATE is cleaned up.
TEST_F(WindowsTest, CreationAndDestructionMessages) {
    LoggedWindows w;
    HWND top = w.Make(u"top", nullptr, WS_POPUP | WS_VISIBLE);
    HWND a = w.Make(u"a", top);
    w.Make(u"a1", a);
    w.Make(u"b", top);
    HWND popup = w.Make(u"popup", a, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetParent(popup), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(w.Make(u"refuse", top), nullptr);
    w.log.erase(w.log.begin(), w.log.begin() + 5);
    EXPECT_EQ(w.log,
              (std::vector<std::string>{"create:refuse", "destroy:refuse", "ncdestroy:refuse"}));
    w.log.clear();
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_EQ(w.log,
              (std::vector<std::string>{"destroy:popup", "ncdestroy:popup", "destroy:top",
                                        "destroy:b", "destroy:a", "destroy:a1", "ncdestroy:b",
                                        "ncdestroy:a1", "ncdestroy:a", "ncdestroy:top"}));
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(WindowsTest, StaleHandlesFailCleanlyEvenWhenTheSlotIsReused) {
    ProbeWindow first(nullptr, {0, 0, 10, 10}, CLR_NONE, 0, WS_POPUP);
    HWND stale = first.hwnd();
    DestroyWindow(stale);
    ProbeWindow second(nullptr, {0, 0, 10, 10}, CLR_NONE, 0, WS_POPUP);
    EXPECT_NE(second.hwnd(), stale);
    RECT r{};
    SetLastError(0);
    EXPECT_FALSE(GetWindowRect(stale, &r));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessage(stale, WM_USER, 1, 2), 0);
    EXPECT_FALSE(PostMessage(stale, WM_USER, 0, 0));
    EXPECT_FALSE(ShowWindow(stale, SW_SHOW));
    EXPECT_EQ(GetDC(stale), nullptr);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(uintptr_t(0x1234))));
}

TEST_F(WindowsTest, TreeNavigationFollowsZOrder) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, CLR_NONE, 0, WS_POPUP | WS_VISIBLE);
    ProbeWindow a(top, {0, 0, 10, 10}, CLR_NONE, 11);
    ProbeWindow b(top, {0, 0, 10, 10}, CLR_NONE, 12);
    ProbeWindow c(top, {0, 0, 10, 10}, CLR_NONE, 13);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c.hwnd()); // newest on top
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b.hwnd());
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b.hwnd());
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a.hwnd());
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a.hwnd());
    SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // just below c
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a.hwnd());
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a.hwnd());
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c.hwnd());
    EXPECT_EQ(GetDlgItem(top, 12), b.hwnd());
    EXPECT_EQ(GetDlgItem(top, 99), nullptr);
    EXPECT_EQ(GetDlgCtrlID(b), 12);
    EXPECT_TRUE(IsChild(top, b));
    EXPECT_FALSE(IsChild(b, top));
    EXPECT_EQ(GetParent(b), top.hwnd());
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), top.hwnd());
}

// Subclassing through the 32-bit GWL_WNDPROC value reaches the original procedure.
WNDPROC g_original = nullptr;
LONG g_originalToken = 0;
int g_subclassed = 0;
LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 5) {
        ++g_subclassed;
        return CallWindowProc(reinterpret_cast<WNDPROC>(LONG_PTR(g_originalToken)), hwnd,
                              WM_GETTEXTLENGTH, 0, 0);
    }
    return CallWindowProc(g_original, hwnd, message, wParam, lParam);
}

TEST_F(WindowsTest, SubclassingThroughTheShortProcedureValueKeepsTheOriginalReachable) {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = u"SkPlain";
    ASSERT_TRUE(RegisterClass(&wc));
    HWND w = CreateWindowEx(0, u"skplain", u"four", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(w, nullptr);
    g_original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(w, GWL_WNDPROC));
    EXPECT_EQ(g_original, &DefWindowProc);
    g_originalToken = SetWindowLong(w, GWL_WNDPROC, 0);
    EXPECT_EQ(g_originalToken, 0); // a null procedure is refused
    g_originalToken = GetWindowLong(w, GWL_WNDPROC);
    SetWindowLongPtr(w, GWL_WNDPROC, LONG_PTR(&SubclassProc));
    g_subclassed = 0;
    EXPECT_EQ(SendMessage(w, WM_USER + 5, 0, 0), 4);
    EXPECT_EQ(g_subclassed, 1);
    // The short value can be stored back and restores the original.
    SetWindowLong(w, GWL_WNDPROC, g_originalToken);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(w, GWL_WNDPROC)), &DefWindowProc);
    DestroyWindow(w);
}

// Text goes through window messages and is cut to the buffer; EnableWindow reports the previous
// state and sends WM_ENABLE only on a change; ShowWindow returns the previous visibility, and a
// child of a hidden parent is not visible.
TEST_F(WindowsTest, TextEnablingAndShowing) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, CLR_NONE, 0, WS_POPUP);
    ProbeWindow child(w, {0, 0, 5, 5}, CLR_NONE, 1);
    EXPECT_TRUE(SetWindowText(w, u"Hello"));
    WCHAR buffer[4] = {};
    EXPECT_EQ(GetWindowText(w, buffer, 4), 3);
    EXPECT_EQ(CString(buffer), CString(u"Hel"));
    EXPECT_EQ(GetWindowTextLength(w), 5);
    EXPECT_EQ(w.Count(WM_SETTEXT), 1);
    EXPECT_FALSE(EnableWindow(w, FALSE));
    EXPECT_FALSE(IsWindowEnabled(w));
    EXPECT_TRUE(EnableWindow(w, FALSE));
    EXPECT_TRUE(EnableWindow(w, TRUE));
    auto enables = w.Only(WM_ENABLE);
    ASSERT_EQ(enables.size(), 2u);
    EXPECT_EQ(enables[0].wParam + 2 * enables[1].wParam, WPARAM(2));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(w, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(w, SW_SHOW));
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(w.Count(WM_SHOWWINDOW), 1);
}

TEST_F(WindowsTest, ClassesRegisterOnceAndCannotLeaveWhileWindowsUseThem) {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = DefWindowProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(ULONG_PTR(0x40000010));
    wc.hInstance = reinterpret_cast<HINSTANCE>(ULONG_PTR(0x1000));
    wc.lpszClassName = u"SkClass";
    ATOM atom = RegisterClass(&wc);
    EXPECT_NE(atom, 0);
    EXPECT_EQ(RegisterClass(&wc), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));
    WNDCLASS info{};
    ASSERT_TRUE(GetClassInfo(wc.hInstance, u"SKCLASS", &info));
    EXPECT_EQ(info.style, UINT(CS_DBLCLKS | CS_PARENTDC));
    EXPECT_EQ(info.hCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(info.hbrBackground, wc.hbrBackground);
    // Another instance does not see it.
    EXPECT_FALSE(GetClassInfo(nullptr, u"SkClass", &info));
    HWND w = CreateWindowEx(0, u"SkClass", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                            wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(UnregisterClass(u"SkClass", wc.hInstance));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass(u"SkClass", wc.hInstance));
    EXPECT_FALSE(GetClassInfo(wc.hInstance, u"SkClass", &info));
}

TEST_F(WindowsTest, ResetRemovesTestClassesWindowsAndKeysButKeepsSystemClasses) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"Leftover", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = u"SkLeftover";
    RegisterClass(&wc);
    wc.lpszClassName = u"SkSystemClass";
    UserRegisterSystemClass(&wc);
    ProbeWindow w(nullptr, {0, 0, 10, 10}, CLR_NONE, 0, WS_POPUP | WS_VISIBLE);
    SetTimer(w, 1, 10, nullptr);
    SetCapture(w);
    UserResetPlatform(m_width, m_height);
    WNDCLASS info{};
    EXPECT_FALSE(GetClassInfo(nullptr, u"SkLeftover", &info));
    EXPECT_TRUE(GetClassInfo(nullptr, u"SkSystemClass", &info));
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_FALSE(UserNextTimerDue(nullptr));
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Leftover", 0, KEY_READ, &key),
              LONG(ERROR_FILE_NOT_FOUND));
}

// Screen positions are cached: moving a parent or changing its border must move its children.
TEST_F(WindowsTest, RectanglesAndCoordinatesFollowMovesAndBorders) {
    ProbeWindow top(nullptr, {20, 30, 120, 130}, CLR_NONE, 0, WS_POPUP | WS_VISIBLE | WS_BORDER);
    ProbeWindow child(top, {5, 6, 25, 16}, CLR_NONE, 1);
    ProbeWindow grandchild(child, {1, 1, 3, 3}, CLR_NONE, 2);
    RECT r;
    GetClientRect(top, &r); // the border takes one pixel each side
    EXPECT_RECT(r, 0, 0, 98, 98);
    GetWindowRect(child, &r);
    EXPECT_RECT(r, 26, 37, 46, 47);
    POINT q[2] = {{0, 0}, {1, 1}};
    MapWindowPoints(child, top, q, 2);
    EXPECT_EQ(std::make_pair(int(q[1].x), int(q[1].y)), std::make_pair(6, 7));
    EXPECT_EQ(ChildWindowFromPoint(top, {5, 6}), child.hwnd());
    EXPECT_EQ(ChildWindowFromPoint(top, {50, 50}), top.hwnd());
    auto origin = [&] {
        POINT p = {0, 0};
        ClientToScreen(grandchild, &p);
        return std::make_pair(int(p.x), int(p.y));
    };
    EXPECT_EQ(origin(), std::make_pair(27, 38));
    MoveWindow(top, 50, 60, 100, 100, TRUE);
    EXPECT_EQ(origin(), std::make_pair(57, 68));
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) & ~WS_BORDER);
    EXPECT_EQ(origin(), std::make_pair(56, 67));
    EXPECT_EQ(WindowFromPoint({56, 67}), grandchild.hwnd());
    SetParent(child, nullptr);
    EXPECT_EQ(origin(), std::make_pair(6, 7));
    EXPECT_EQ(GetParent(child), nullptr);
}

TEST_F(WindowsTest, MovingAndSizingReportPositionAndClientSize) {
    ProbeWindow top(nullptr, {0, 0, 100, 100}, CLR_NONE, 0, WS_POPUP | WS_VISIBLE);
    ProbeWindow child(top, {0, 0, 10, 10}, CLR_NONE, 1, WS_CHILD | WS_VISIBLE | WS_BORDER);
    child.Clear();
    MoveWindow(child, 7, 8, 30, 20, TRUE);
    auto moves = child.Only(WM_MOVE);
    auto sizes = child.Only(WM_SIZE);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 8); // client origin, inside the border
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 9);
    EXPECT_EQ(LOWORD(sizes[0].lParam), 28);
    EXPECT_EQ(HIWORD(sizes[0].lParam), 18);
    child.Clear();
    SetWindowPos(child, nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(child.Count(WM_MOVE), 1);
    EXPECT_EQ(child.Count(WM_SIZE), 0);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_RECT(r, 50, 50, 80, 70);
}

} // namespace
