// Timers on the test clock, messages, the pump, and the registry.
#include "support/screen_fixture.h"

#include "platform/user/winreg.h"

#include <cstring>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class TimerTest : public ScreenTest {};

TEST_F(TimerTest, TimersFireOnTheTestClockOncePerPeriod) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    EXPECT_EQ(SetTimer(w, 7, 50, nullptr), UINT_PTR(7));
    Pump();
    AdvanceTime(49);
    EXPECT_EQ(w.Count(WM_TIMER), 0);
    AdvanceTime(1);
    EXPECT_EQ(w.Count(WM_TIMER), 1);
    EXPECT_EQ(GetTickCount(), 50u);
    // Advancing past several periods fires once per period on the way.
    AdvanceTime(200);
    EXPECT_EQ(w.Count(WM_TIMER), 5);
    EXPECT_EQ(w.Only(WM_TIMER)[0].wParam, WPARAM(7));
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
void TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time) {
    if (g_ticks && message == WM_TIMER) g_ticks->push_back({hwnd, id});
}

TEST_F(TimerTest, TimerProceduresRunInsteadOfTheWindow) {
    std::vector<std::pair<HWND, UINT_PTR>> ticks;
    g_ticks = &ticks;
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    SetTimer(w, 3, 20, TimerProc);
    UINT_PTR threadTimer = SetTimer(nullptr, 0, 30, TimerProc);
    EXPECT_NE(threadTimer, 0u);
    AdvanceTime(60);
    g_ticks = nullptr;
    EXPECT_EQ(w.Count(WM_TIMER), 0);
    int windowTicks = 0, threadTicks = 0;
    for (auto& [hwnd, id] : ticks) {
        windowTicks += hwnd == w.hwnd() && id == 3;
        threadTicks += hwnd == nullptr && id == threadTimer;
    }
    EXPECT_EQ(windowTicks, 3);
    EXPECT_EQ(threadTicks, 2);
    KillTimer(nullptr, threadTimer);
}

TEST_F(TimerTest, DestroyedWindowsLoseTheirTimersAndPostedMessages) {
    auto* w = new ProbeWindow(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    SetTimer(*w, 1, 10, nullptr);
    PostMessage(*w, WM_USER, 0, 0);
    delete w;
    EXPECT_FALSE(UserNextTimerDue(nullptr));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

class MessageTest : public ScreenTest {};

TEST_F(MessageTest, PostedMessagesKeepTheirOrderAndFilters) {
    ProbeWindow a(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    ProbeWindow b(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 2, 0, 0);
    PostMessage(a, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 2));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.hwnd());
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    EXPECT_EQ(DispatchMessage(&msg), 0);
    EXPECT_EQ(a.Count(WM_USER + 1), 1);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

// The platform's order: posted messages, then input, then paint, then timers. A message posted
// after a tap still comes before the tap.
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
        if (std::count(queued.begin(), queued.end(), m.message)) order.push_back(m.message);
    EXPECT_EQ(order, queued);
}

TEST_F(MessageTest, QuitEndsTheLoopWithItsCode) {
    ProbeWindow a(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    PostMessage(a, WM_USER, 0, 0);
    PostQuitMessage(42);
    MSG msg;
    int dispatched = 0;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        DispatchMessage(&msg);
        ++dispatched;
    }
    EXPECT_EQ(dispatched, 1);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(42));
}

TEST_F(MessageTest, TheWaitHookFeedsAWaitingLoop) {
    ProbeWindow w(nullptr, {0, 0, 100, 100}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Pump();
    int waits = 0;
    UserSetWaitHook([&] {
        ++waits;
        if (waits == 1) UserInjectPointerDown(10, 10);
        if (waits == 2) PostQuitMessage(0);
        return true;
    });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    UserSetWaitHook(nullptr);
    EXPECT_EQ(waits, 2);
    EXPECT_EQ(w.Count(WM_LBUTTONDOWN), 1);
}

// A wait hook that keeps promising input without delivering it must not hang the loop.
TEST_F(MessageTest, AHookThatNeverDeliversEndsTheLoopAndIsReported) {
    UserSetWaitHook([] { return true; });
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    UserSetWaitHook(nullptr);
    EXPECT_NE(UserTakeRunawayError().find("waited"), std::string::npos);
}

TEST_F(MessageTest, APostingLoopIsReportedAsRunaway) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    w.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_USER) PostMessage(w, WM_USER, 0, 0);
        return false;
    };
    PostMessage(w, WM_USER, 0, 0);
    UserPumpResult r = UserPumpUntilIdle(1000);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("message 0x0400"), std::string::npos) << r.error;
    w.handler = nullptr;
    UserResetPlatform(m_width, m_height);
}

TEST_F(MessageTest, EndlessSendingIsCutAndReported) {
    ProbeWindow w(nullptr, {0, 0, 10, 10}, kWhite, 0, WS_POPUP);
    int depth = 0;
    w.handler = [&](UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_USER) return false;
        ++depth;
        *result = SendMessage(w, WM_USER, 0, 0) + 1;
        return true;
    };
    LRESULT r = SendMessage(w, WM_USER, 0, 0);
    EXPECT_GT(depth, 50);
    EXPECT_EQ(r, depth);
    UserPumpResult pumped = UserPumpUntilIdle();
    EXPECT_NE(pumped.error.find("nesting"), std::string::npos) << pumped.error;
    w.handler = nullptr;
}

class RegistryTest : public ScreenTest {};

TEST_F(RegistryTest, ValuesAreEmptyUntilSetAndReadBackByType) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, KEY_ALL_ACCESS, &key),
              LONG(ERROR_FILE_NOT_FOUND));
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key, &disposition),
              LONG(ERROR_SUCCESS));
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    DWORD width = 17;
    RegSetValueEx(key, u"cxVScr", 0, REG_DWORD, reinterpret_cast<BYTE*>(&width), 4);
    const char16_t text[] = u"abc";
    RegSetValueEx(key, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(key);

    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"system\\gwe", 0, KEY_READ, &again),
              LONG(ERROR_SUCCESS));
    DWORD type = 0, value = 0, size = sizeof value;
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
    EXPECT_EQ(RegQueryValueEx(again, u"Name", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
              LONG(ERROR_SUCCESS));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::u16string(back), u"abc");
    EXPECT_EQ(RegQueryValueEx(again, u"Missing", nullptr, &type, nullptr, &size),
              LONG(ERROR_FILE_NOT_FOUND));
    RegCloseKey(again);
    EXPECT_EQ(RegQueryValueEx(again, u"Name", nullptr, &type, nullptr, &size),
              LONG(ERROR_INVALID_HANDLE));
}

TEST_F(RegistryTest, BinaryValuesAndDeletion) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Sk", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    const BYTE blob[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(RegSetValueEx(key, u"Blob", 0, REG_BINARY, blob, 5), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegSetValueEx(key, u"Bad", 0, REG_DWORD, blob, 3), LONG(ERROR_INVALID_PARAMETER));
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, u"Blob", nullptr, &type, nullptr, &size), LONG(ERROR_SUCCESS));
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(RegDeleteValue(key, u"Blob"), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegQueryValueEx(key, u"Blob", nullptr, &type, nullptr, &size),
              LONG(ERROR_FILE_NOT_FOUND));
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, u"Software"), LONG(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, u"Software\\Sk"), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Sk", 0, KEY_READ, &key),
              LONG(ERROR_FILE_NOT_FOUND));
}

class MetricsTest : public ScreenTest {
protected:
    MetricsTest() : ScreenTest(320, 240) {}
};

TEST_F(MetricsTest, ScreenSizeFollowsTheScreen) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
    // A default-sized top-level window fills the screen.
    HWND w = CreateWindowEx(0, u"#32769", u"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_EQ(r.right, 320);
    EXPECT_EQ(r.bottom, 240);
    DestroyWindow(w);
}

} // namespace
