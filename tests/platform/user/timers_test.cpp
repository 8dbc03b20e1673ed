// Timers on the test clock, messages, the pump, and the registry.
#include "support/screen_fixture.h"

#include "platform/user/winreg.h"

#include <cstring>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr DWORD kPopup = WS_POPUP;

using TimerTest = ScreenTest;

TEST_F(TimerTest, TimersFireOnTheTestClockOncePerPeriod) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    EXPECT_EQ(SetTimer(w, 7, 50, nullptr), UINT_PTR(7));
    AdvanceTime(49);
    EXPECT_EQ(w.Count(WM_TIMER), 0);
    AdvanceTime(1);
    EXPECT_EQ(GetTickCount(), 50u);
    EXPECT_EQ(w.Only(WM_TIMER).at(0).wParam, WPARAM(7));
    AdvanceTime(200); // once per period on the way
    EXPECT_EQ(w.Count(WM_TIMER), 5);
    EXPECT_TRUE(KillTimer(w, 7));
    EXPECT_FALSE(KillTimer(w, 7));
    AdvanceTime(500);
    EXPECT_EQ(w.Count(WM_TIMER), 5);
    // Setting a timer again restarts it.
    SetTimer(w, 1, 100, nullptr);
    AdvanceTime(60);
    SetTimer(w, 1, 100, nullptr);
    AdvanceTime(60);
    EXPECT_EQ(w.Count(WM_TIMER), 5);
    AdvanceTime(40);
    EXPECT_EQ(w.Count(WM_TIMER), 6);
    // A late timer (the clock jumped without anyone pumping) fires once, not once per period.
    UserAdvanceClock(1000);
    Pump();
    EXPECT_EQ(w.Count(WM_TIMER), 7);
}

std::vector<std::pair<HWND, UINT_PTR>>* g_ticks = nullptr;
void TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    if (g_ticks && message == WM_TIMER) g_ticks->push_back({hwnd, id});
}

// Procedures run instead of the window; a window that goes loses its timers and posted
// messages.
TEST_F(TimerTest, TimerProceduresAndDestroyedWindows) {
    std::vector<std::pair<HWND, UINT_PTR>> ticks;
    g_ticks = &ticks;
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    SetTimer(w, 3, 20, TimerProc);
    UINT_PTR threadTimer = SetTimer(nullptr, 0, 30, TimerProc);
    EXPECT_NE(threadTimer, 0u);
    AdvanceTime(60);
    g_ticks = nullptr;
    EXPECT_EQ(w.Count(WM_TIMER), 0);
    auto count = [&](HWND hwnd, UINT_PTR id) {
        return std::count(ticks.begin(), ticks.end(), std::make_pair(hwnd, id));
    };
    EXPECT_EQ(count(w.hwnd(), 3), 3);
    EXPECT_EQ(count(nullptr, threadTimer), 2);
    KillTimer(nullptr, threadTimer);
    auto* gone = new ProbeWindow(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    SetTimer(*gone, 1, 10, nullptr);
    PostMessage(*gone, WM_USER, 0, 0);
    KillTimer(w, 3);
    delete gone;
    EXPECT_FALSE(UserNextTimerDue(nullptr));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

using MessageTest = ScreenTest;

TEST_F(MessageTest, PostedMessagesKeepTheirOrderAndFilters) {
    ProbeWindow a(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    ProbeWindow b(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    for (UINT k : {1, 2, 3})
        PostMessage(k == 2 ? b : a, WM_USER + k, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 2));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.hwnd());
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    DispatchMessage(&msg);
    EXPECT_EQ(a.Count(WM_USER + 1), 1);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

// The platform's order: posted messages, then input, then paint, then timers. A message posted
// after a tap still comes before the tap; an invalidation without erasing erases nothing.
TEST_F(MessageTest, PostedMessagesThenInputThenPaintThenTimers) {
    ProbeWindow w(nullptr, {0, 0, 50, 50}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Pump();
    SetTimer(w, 1, 10, nullptr);
    UserAdvanceClock(10);
    InvalidateRect(w, nullptr, FALSE);
    UserInjectPointerDown(5, 5);
    PostMessage(w, WM_USER, 0, 0);
    w.Clear();
    Pump();
    const std::vector<UINT> queued{WM_USER, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER};
    std::vector<UINT> order;
    for (const ProbeMessage& m : w.Messages())
        if (std::count(queued.begin(), queued.end(), m.message) || m.message == WM_ERASEBKGND)
            order.push_back(m.message);
    EXPECT_EQ(order, queued);
}

// The wait hook feeds a waiting loop; quit ends it with its code after the posted messages.
TEST_F(MessageTest, TheWaitHookFeedsALoopThatQuitEnds) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Pump();
    int waits = 0;
    UserSetWaitHook([&] {
        if (++waits == 1) UserInjectPointerDown(10, 10);
        if (waits == 2) PostMessage(w, WM_USER, 0, 0), PostQuitMessage(42);
        return true;
    });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    UserSetWaitHook(nullptr);
    EXPECT_EQ(waits, 2);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(42));
    EXPECT_EQ(w.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(w.Count(WM_USER), 1);
}

// A hook that keeps promising input, a window that keeps posting to itself and one that keeps
// sending to itself are cut and reported, naming what runs away.
TEST_F(MessageTest, RunawayLoopsAreCutAndReported) {
    UserSetWaitHook([] { return true; });
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    UserSetWaitHook(nullptr);
    EXPECT_NE(UserTakeRunawayError().find("waited"), std::string::npos);
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, kPopup);
    int depth = 0;
    w.handler = [&](UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_USER) return false;
        if (wParam) return PostMessage(w, WM_USER, 1, 0), true;
        ++depth;
        *result = SendMessage(w, WM_USER, 0, 0) + 1;
        return true;
    };
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), depth);
    EXPECT_GT(depth, 50);
    EXPECT_NE(UserPumpUntilIdle().error.find("nesting"), std::string::npos);
    PostMessage(w, WM_USER, 1, 0);
    UserPumpResult r = UserPumpUntilIdle(1000);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("message 0x0400"), std::string::npos) << r.error;
    w.handler = nullptr;
    UserResetPlatform(m_width, m_height);
}

// Keys and value names ignore letter case; values come back by type, too small a buffer is
// told the size, deleting works on values and on keys without subkeys.
TEST_F(ScreenTest, RegistryValuesAreEmptyUntilSetAndReadBackByType) {
    HKEY key = nullptr, again = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, KEY_ALL_ACCESS, &key),
              LONG(ERROR_FILE_NOT_FOUND));
    DWORD disposition = 0, width = 17, type = 0, value = 0, size = 4;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key, &disposition),
              LONG(ERROR_SUCCESS));
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    const char16_t text[] = u"abc";
    RegSetValueEx(key, u"cxVScr", 0, REG_DWORD, reinterpret_cast<BYTE*>(&width), 4);
    RegSetValueEx(key, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"system\\gwe", 0, KEY_READ, &again),
              LONG(ERROR_SUCCESS));
    EXPECT_EQ(
        RegQueryValueEx(again, u"CXVSCR", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        LONG(ERROR_SUCCESS));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(value, 17u);
    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(again, u"Name", nullptr, &type, small, &size), LONG(ERROR_MORE_DATA));
    EXPECT_EQ(size, DWORD(sizeof text));
    char16_t back[8] = {};
    size = sizeof back;
    RegQueryValueEx(again, u"Name", nullptr, &type, reinterpret_cast<BYTE*>(back), &size);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::u16string(back), u"abc");
    EXPECT_EQ(RegDeleteValue(again, u"name"), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegQueryValueEx(again, u"Name", nullptr, &type, nullptr, &size),
              LONG(ERROR_FILE_NOT_FOUND));
    RegCloseKey(again);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"SYSTEM"), LONG(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE"), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, KEY_READ, &key),
              LONG(ERROR_FILE_NOT_FOUND));
}

} // namespace
