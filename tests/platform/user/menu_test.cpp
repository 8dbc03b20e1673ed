// Popup menus as an application sees them: items after inserts and removals, their flags,
// what the owner receives around a popup and in which order, placement on the screen, choices
// by key and by tap, and dismissal.
#include "platform/base/cstring.h"
#include "support/screen_fixture.h"

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// "text/id" per item ("x" after a checked one; a separator has neither), submenus in brackets.
std::string Describe(HMENU menu) {
    std::string s;
    for (UINT i = 0; i < UINT(GetMenuItemCount(menu)); ++i) {
        WCHAR text[32];
        GetMenuStringW(menu, i, text, 32, MF_BYPOSITION);
        bool checked = GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED;
        HMENU sub = GetSubMenu(menu, int(i));
        s += sub ? "[" + Describe(sub) + "] "
                 : CString(text).ToUtf8() + "/" + std::to_string(GetMenuItemID(menu, int(i))) +
                       (checked ? "x " : " ");
    }
    return s;
}

const std::map<UINT, const char*> kMenuMessages = {
    {WM_ENTERMENULOOP, "enter"}, {WM_INITMENU, "init"},     {WM_INITMENUPOPUP, "popup"},
    {WM_MENUSELECT, "select"},   {WM_EXITMENULOOP, "exit"}, {WM_COMMAND, "command"}};

using Step = std::function<void()>;

Step KeyStep(UINT vk) {
    return [vk] { UserInjectKey(vk, true), UserInjectKey(vk, false); };
}

void TapAt(POINT p) {
    UserInjectPointerDown(p.x, p.y), UserInjectPointerUp(p.x, p.y);
}

// A tap on the middle of an item of an open popup.
Step TapStep(HMENU menu, UINT item) {
    return [menu, item] {
        RECT r;
        ASSERT_TRUE(GetMenuItemRect(nullptr, menu, item, &r));
        TapAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
}

class MenuTest : public ScreenTest {
protected:
    void TearDown() override {
        if (m_menu) DestroyMenu(m_menu);
        ScreenTest::TearDown();
    }
    void Plain() {
        m_menu = CreatePopupMenu();
        m_sub = CreatePopupMenu();
        AppendMenuW(m_sub, MF_STRING, 7, u"Inner");
        AppendMenuW(m_menu, MF_STRING, 1, u"One");
        AppendMenuW(m_menu, MF_STRING | MF_GRAYED, 2, u"Two");
        AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(m_menu, MF_STRING, 3, u"Three");
        AppendMenuW(m_menu, MF_POPUP, UINT_PTR(m_sub), u"More");
    }
    // Runs the popup at (20, 20); each wait performs the next step, then nothing more comes.
    UINT Track(HWND owner, std::vector<Step> steps, UINT flags = TPM_RETURNCMD) {
        size_t next = 0;
        UserSetWaitHook([&] { return next < steps.size() && (steps[next++](), true); });
        UINT result = UINT(TrackPopupMenu(m_menu, flags, 20, 20, 0, owner, nullptr));
        UserSetWaitHook(nullptr);
        return result;
    }

    HMENU m_menu = nullptr;
    HMENU m_sub = nullptr;
};

TEST_F(MenuTest, ItemQueriesFollowInsertsAndRemovals) {
    int before = UserGetMenuCount();
    Plain();
    EXPECT_EQ(GetMenuItemID(m_menu, 4), 0xFFFFFFFFu); // a submenu
    EXPECT_EQ(GetMenuItemID(m_menu, 5), 0xFFFFFFFFu); // past the last item
    EXPECT_TRUE(InsertMenuW(m_menu, 0, MF_BYPOSITION, 9, u"Zero"));
    EXPECT_TRUE(InsertMenuW(m_menu, 3, MF_BYCOMMAND, 8, u"Before three"));
    EXPECT_TRUE(InsertMenuW(m_menu, 7, MF_BYCOMMAND, 6, u"Before inner")); // found in the submenu
    EXPECT_TRUE(InsertMenuW(m_menu, 99, MF_BYPOSITION, 5, u"Last"));
    EXPECT_FALSE(InsertMenuW(m_menu, 42, MF_BYCOMMAND, 4, u"Nowhere"));
    EXPECT_TRUE(RemoveMenu(m_menu, 1, MF_BYCOMMAND));
    EXPECT_TRUE(DeleteMenu(m_menu, 3, MF_BYPOSITION));
    EXPECT_EQ(Describe(m_menu), "Zero/9 Two/2 /0 Three/3 [Before inner/6 Inner/7 ] Last/5 ");
    // Removing keeps the submenu for the caller; deleting destroys it.
    EXPECT_TRUE(RemoveMenu(m_menu, 4, MF_BYPOSITION));
    EXPECT_EQ(UserGetMenuCount(), before + 2);
    EXPECT_TRUE(InsertMenuW(m_menu, 0, MF_BYPOSITION | MF_POPUP, UINT_PTR(m_sub), nullptr));
    EXPECT_TRUE(DeleteMenu(m_menu, 0, MF_BYPOSITION));
    EXPECT_EQ(UserGetMenuCount(), before + 1);
    // Stale handles fail cleanly; submenus die with their parent.
    HMENU menu = std::exchange(m_menu, nullptr), self = CreatePopupMenu();
    EXPECT_TRUE(AppendMenuW(menu, MF_POPUP, UINT_PTR(CreatePopupMenu()), nullptr));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_EQ(UserGetMenuCount(), before + 1); // self only
    EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, u"x") || DestroyMenu(menu) ||
                 TrackPopupMenu(menu, 0, 0, 0, 0, GetDesktopWindow(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(AppendMenuW(self, MF_POPUP, UINT_PTR(self), u"itself") ||
                 AppendMenuW(self, MF_POPUP, UINT_PTR(menu), u"stale"));
    DestroyMenu(self);
}

TEST_F(MenuTest, RadioChecksCoverTheirRangeOnly) {
    m_menu = CreatePopupMenu();
    for (UINT id = 0; id < 5; ++id)
        AppendMenuW(m_menu, MF_STRING | MF_CHECKED, id, u"");
    struct Row {
        UINT first, last, check, flags;
        BOOL result;
        const char* items;
    } rows[] = {
        {1, 3, 2, MF_BYCOMMAND, TRUE, "/0x /1 /2x /3 /4x "},
        {3, 1, 1, MF_BYPOSITION, TRUE, "/0x /1x /2 /3 /4x "}, // either order
        {0, 2, 4, MF_BYCOMMAND, FALSE, "/0 /1 /2 /3 /4x "},   // outside: the range is cleared
        {0, 9, 0, MF_BYCOMMAND, FALSE, "/0 /1 /2 /3 /4x "},   // no such last item
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CheckMenuRadioItem(m_menu, r.first, r.last, r.check, r.flags), r.result);
        EXPECT_EQ(Describe(m_menu), r.items) << r.first << ".." << r.last << " " << r.check;
    }
    EXPECT_EQ(GetMenuState(m_menu, 1, MF_BYPOSITION), UINT(MFT_RADIOCHECK));
}

TEST_F(MenuTest, TheOwnerHearsOfThePopupInOrderAndGetsTheCommandAfterwards) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    m_menu = CreatePopupMenu();
    AppendMenuW(m_menu, MF_OWNERDRAW, 1, reinterpret_cast<LPCWSTR>(0x11));
    AppendMenuW(m_menu, MF_OWNERDRAW | MF_GRAYED | MF_CHECKED, 2, reinterpret_cast<LPCWSTR>(0x22));
    AppendMenuW(m_menu, MF_STRING, 3, u"Plain");
    std::string log;
    owner.handler = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        char line[64] = "";
        if (message == WM_MEASUREITEM) {
            mis->itemHeight = 20;
            std::snprintf(line, sizeof line, "measure %u:%lx, ", mis->itemID, mis->itemData);
        } else if (message == WM_DRAWITEM) {
            std::snprintf(line, sizeof line, "draw %u:%lx state %u at %ld, ", dis->itemID,
                          dis->itemData, dis->itemState, long(dis->rcItem.top));
        } else if (kMenuMessages.count(message)) {
            std::snprintf(line, sizeof line, "%s %lx, ", kMenuMessages.at(message),
                          wParam == WPARAM(m_menu) ? 0xAAAu : wParam);
        }
        log += line;
        return false;
    };
    EXPECT_EQ(Track(owner, {[&] { log += "wait, "; }, TapStep(m_menu, 0)}, 0), 1u); // shown
    // Measured and drawn before the first wait; the grayed, checked item as such (state 10);
    // the tap redraws its item highlighted (state 1) and names it in WM_MENUSELECT.
    EXPECT_EQ(log, "enter 1, init aaa, popup aaa, measure 1:11, measure 2:22, draw 1:11 state 0 "
                   "at 0, draw 2:22 state 10 at 20, wait, draw 1:11 state 1 at 0, select 1800001, "
                   "select ffff0000, exit 1, ");
    log.clear();
    Pump();
    EXPECT_EQ(log, "command 1, "); // once the loop has ended
}

TEST_F(MenuTest, PopupsStayOnTheScreenAndOffTheExclusionRectangle) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    owner.handler = [](UINT message, WPARAM, LPARAM lParam, LRESULT*) {
        if (message != WM_MEASUREITEM) return false;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemWidth = 50; // with the border: a 52 x 62 popup
        mis->itemHeight = 20;
        return true;
    };
    m_menu = CreatePopupMenu();
    for (UINT id = 1; id <= 3; ++id)
        AppendMenuW(m_menu, MF_OWNERDRAW, id, nullptr);
    struct {
        int x, y;
        UINT flags;
        RECT exclude;
        const char* expected;
    } const rows[] = {
        {230, 300, TPM_LEFTALIGN | TPM_TOPALIGN, {}, "178,238"},   // flipped to end at the point
        {20, 20, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {}, "20,20"},   // flipped to start there
        {5, 310, TPM_CENTERALIGN | TPM_VCENTERALIGN, {}, "0,258"}, // centred ones are pushed in
        {100, 100, TPM_VERTICAL, {90, 90, 200, 130}, "100,130"},   // below the rectangle
        {100, 100, TPM_HORIZONTAL, {90, 90, 200, 130}, "38,100"},  // no room right: left of it
    };
    for (const auto& r : rows) {
        RECT p = {};
        TPMPARAMS params = {sizeof params, r.exclude};
        UserSetWaitHook([&] { return GetWindowRect(GetTopWindow(nullptr), &p), false; });
        TrackPopupMenuEx(m_menu, r.flags, r.x, r.y, owner, r.exclude.right ? &params : nullptr);
        EXPECT_EQ(std::to_string(p.left) + "," + std::to_string(p.top), r.expected)
            << r.x << "," << r.y;
    }
    // Too tall for the screen: a second column, from the sixteenth item on.
    for (UINT id = 4; id <= 30; ++id)
        AppendMenuW(m_menu, MF_OWNERDRAW, id, nullptr);
    RECT p = {};
    UserSetWaitHook([&] { return GetWindowRect(GetTopWindow(nullptr), &p), false; });
    TrackPopupMenu(m_menu, 0, 0, 0, 0, owner, nullptr);
    EXPECT_EQ(std::to_string(p.right - p.left) + "x" + std::to_string(p.bottom - p.top), "102x302");
    UserSetWaitHook(nullptr);
}

TEST_F(MenuTest, KeysAndTapsChooseItemsAndSubmenusCascade) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Plain();
    auto outside = [] { TapAt({230, 310}); };
    auto down = KeyStep(VK_DOWN), up = KeyStep(VK_UP), enter = KeyStep(VK_RETURN),
         right = KeyStep(VK_RIGHT), left = KeyStep(VK_LEFT), escape = KeyStep(VK_ESCAPE);
    const std::tuple<const char*, std::vector<Step>, UINT> rows[] = {
        {"down, enter", {down, enter}, 1},
        {"over the separator", {down, down, down, enter}, 3},
        {"up wraps; enter opens", {up, enter, enter}, 7},
        {"right opens, left closes", {up, right, left, up, enter}, 3},
        {"enter on a grayed item", {down, down, enter}, 0},
        {"escape leaves a submenu first", {up, right, escape, escape}, 0},
        {"tap", {TapStep(m_menu, 3)}, 3},
        {"tap on a grayed item, then outside", {TapStep(m_menu, 1), outside}, 0},
        {"tap on the separator (no highlight), then keys", {TapStep(m_menu, 2), down, enter}, 1},
        {"cascade", {TapStep(m_menu, 4), TapStep(m_sub, 0)}, 7},
    };
    int submenus = 0; // the owner hears of each submenu before it opens
    owner.handler = [&](UINT message, WPARAM wParam, LPARAM, LRESULT*) {
        submenus += message == WM_INITMENUPOPUP && wParam == WPARAM(m_sub);
        return false;
    };
    for (const auto& [what, steps, expected] : rows) {
        EXPECT_EQ(Track(owner, steps), expected) << what;
        EXPECT_EQ(GetTopWindow(nullptr), owner.hwnd()) << what; // every popup is gone
        EXPECT_EQ(GetCapture(), nullptr) << what;
    }
    EXPECT_EQ(submenus, 4);
    // A release left over from before the popup opened chooses nothing.
    UserInjectPointerUp(25, 25); // over the first item
    EXPECT_EQ(Track(owner, {}), 0u);
}

TEST_F(MenuTest, PopupsCloseWhenTheOwnerHearsTheLoopEndOrGoesAway) {
    auto owner = std::make_unique<ProbeWindow>(nullptr, RECT{0, 0, 240, 320}, kWhite, 0,
                                               WS_POPUP | WS_VISIBLE);
    Plain();
    // Without a hook and without a display the popup closes as if tapped outside.
    EXPECT_TRUE(TrackPopupMenu(m_menu, 0, 20, 20, 0, *owner, nullptr));
    EXPECT_EQ(owner->Count(WM_EXITMENULOOP), 1);
    // WM_EXITMENULOOP sent to the owner while the popup is open (here from its timer) closes it.
    owner->handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_TIMER) SendMessage(*owner, WM_EXITMENULOOP, TRUE, 0);
        return false;
    };
    SetTimer(*owner, 1, 100, nullptr);
    int waits = 0;
    UserSetWaitHook([&] { return UserAdvanceClock(60), ++waits < 100; });
    EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 20, 20, 0, *owner, nullptr), 0);
    EXPECT_EQ(waits, 2);
    KillTimer(*owner, 1);
    // An owner that goes away ends the loop.
    UserSetWaitHook([&] { return owner.reset(), true; });
    EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 20, 20, 0, GetTopWindow(nullptr), nullptr), 0);
    UserSetWaitHook(nullptr);
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

} // namespace
