// Popup menus as an application sees them: items after inserts and removals, their flags,
// what the owner receives around a popup and in which order, placement on the screen, choices
// by key and by tap, and dismissal.
#include "platform/base/cstring.h"
#include "support/screen_fixture.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// "text/id" per item, "-" for a separator, a submenu in brackets.
std::string Describe(HMENU menu) {
    std::string s;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        WCHAR text[32];
        GetMenuStringW(menu, UINT(i), text, 32, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i))
            s += "[" + Describe(sub) + "] ";
        else if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR)
            s += "- ";
        else
            s += CString(text).ToUtf8() + "/" + std::to_string(GetMenuItemID(menu, i)) + " ";
    }
    return s;
}

// Which items of a menu are checked ("x") and which not (".").
std::string Checks(HMENU menu) {
    std::string s;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        s += (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_CHECKED) ? 'x' : '.';
    return s;
}

MENUITEMINFOW Info(UINT mask) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

const char* MenuMessage(UINT message) {
    switch (message) {
    case WM_ENTERMENULOOP:
        return "enter";
    case WM_INITMENU:
        return "init";
    case WM_INITMENUPOPUP:
        return "popup";
    case WM_MENUSELECT:
        return "select";
    case WM_EXITMENULOOP:
        return "exit";
    case WM_COMMAND:
        return "command";
    default:
        return nullptr;
    }
}

class MenuTest : public ScreenTest {
protected:
    void TearDown() override {
        if (m_menu) DestroyMenu(m_menu);
        ScreenTest::TearDown();
    }
    HMENU Plain() {
        m_menu = CreatePopupMenu();
        m_sub = CreatePopupMenu();
        AppendMenuW(m_sub, MF_STRING, 7, u"Inner");
        AppendMenuW(m_menu, MF_STRING, 1, u"One");
        AppendMenuW(m_menu, MF_STRING | MF_GRAYED, 2, u"Two");
        AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(m_menu, MF_STRING, 3, u"Three");
        AppendMenuW(m_menu, MF_POPUP, UINT_PTR(m_sub), u"More");
        return m_menu;
    }
    // Runs the popup; each wait performs the next step, then the popup waits for nothing.
    UINT Track(HWND owner, std::vector<std::function<void()>> steps, UINT flags = TPM_RETURNCMD,
               int x = 20, int y = 20) {
        size_t next = 0;
        UserSetWaitHook([&] {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        });
        UINT result = UINT(TrackPopupMenu(m_menu, flags, x, y, 0, owner, nullptr));
        UserSetWaitHook(nullptr);
        return result;
    }
    static std::function<void()> KeyStep(UINT vk) {
        return [vk] {
            UserInjectKey(vk, true);
            UserInjectKey(vk, false);
        };
    }
    static void TapAt(POINT p) {
        UserInjectPointerDown(p.x, p.y);
        UserInjectPointerUp(p.x, p.y);
    }
    std::function<void()> TapStep(HMENU menu, UINT item) {
        return [menu, item] {
            RECT r;
            ASSERT_TRUE(GetMenuItemRect(nullptr, menu, item, &r));
            TapAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        };
    }

    HMENU m_menu = nullptr;
    HMENU m_sub = nullptr;
};

TEST_F(MenuTest, ItemQueriesFollowInsertsAndRemovals) {
    int before = UserGetMenuCount();
    Plain();
    EXPECT_EQ(Describe(m_menu), "One/1 Two/2 - Three/3 [Inner/7 ] ");
    EXPECT_EQ(GetMenuItemID(m_menu, 4), 0xFFFFFFFFu); // a submenu
    EXPECT_EQ(GetMenuItemID(m_menu, 5), 0xFFFFFFFFu); // past the last item
    EXPECT_TRUE(InsertMenuW(m_menu, 0, MF_BYPOSITION, 9, u"Zero"));
    EXPECT_TRUE(InsertMenuW(m_menu, 3, MF_BYCOMMAND, 8, u"Before three"));
    EXPECT_TRUE(InsertMenuW(m_menu, 7, MF_BYCOMMAND, 6, u"Before inner")); // found in the submenu
    EXPECT_TRUE(InsertMenuW(m_menu, 99, MF_BYPOSITION, 5, u"Last"));
    EXPECT_FALSE(InsertMenuW(m_menu, 42, MF_BYCOMMAND, 4, u"Nowhere"));
    EXPECT_EQ(Describe(m_menu),
              "Zero/9 One/1 Two/2 - Before three/8 Three/3 [Before inner/6 Inner/7 ] Last/5 ");
    EXPECT_TRUE(RemoveMenu(m_menu, 1, MF_BYCOMMAND));
    EXPECT_TRUE(DeleteMenu(m_menu, 3, MF_BYPOSITION));
    EXPECT_FALSE(RemoveMenu(m_menu, 1, MF_BYCOMMAND));
    EXPECT_EQ(Describe(m_menu), "Zero/9 Two/2 - Three/3 [Before inner/6 Inner/7 ] Last/5 ");
    EXPECT_EQ(UserGetMenuCount(), before + 2);
    // Removing keeps the submenu for the caller; deleting destroys it.
    EXPECT_TRUE(RemoveMenu(m_menu, 4, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(m_sub));
    EXPECT_TRUE(InsertMenuW(m_menu, 0, MF_BYPOSITION | MF_POPUP, UINT_PTR(m_sub), u"Again"));
    EXPECT_TRUE(DeleteMenu(m_menu, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(m_sub));
    EXPECT_EQ(UserGetMenuCount(), before + 1);
}

TEST_F(MenuTest, StaleHandlesFailCleanlyAndSubmenusDieWithTheirParent) {
    Plain();
    HMENU menu = std::exchange(m_menu, nullptr);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(m_sub));
    MENUITEMINFOW info = Info(MIIM_ID);
    WCHAR text[8];
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, u"x"));
    EXPECT_FALSE(InsertMenuW(menu, 0, MF_BYPOSITION, 1, u"x"));
    EXPECT_FALSE(RemoveMenu(menu, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_EQ(GetMenuItemID(menu, 0), 0xFFFFFFFFu);
    EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, &info));
    EXPECT_EQ(GetMenuStringW(menu, 0, text, 8, MF_BYPOSITION), 0);
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, GetDesktopWindow(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
    HMENU self = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuW(self, MF_POPUP, UINT_PTR(self), u"itself"));
    EXPECT_FALSE(AppendMenuW(self, MF_POPUP, UINT_PTR(menu), u"stale"));
    DestroyMenu(self);
}

TEST_F(MenuTest, ItemInfoAndStatesRoundTrip) {
    Plain();
    MENUITEMINFOW set = Info(MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_DATA);
    set.fType = MFT_STRING | MFT_RADIOCHECK;
    set.fState = MFS_CHECKED;
    set.wID = 11;
    set.dwItemData = 0xABCD;
    set.dwTypeData = const_cast<LPWSTR>(u"Renamed");
    EXPECT_TRUE(SetMenuItemInfoW(m_menu, 1, FALSE, &set)); // by command
    WCHAR text[4];
    MENUITEMINFOW get = Info(MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU);
    get.dwTypeData = text;
    get.cch = 4;
    EXPECT_TRUE(GetMenuItemInfoW(m_menu, 0, TRUE, &get));
    EXPECT_EQ(CString(text), u"Ren"); // cut to the buffer
    EXPECT_EQ(get.cch, 3u);
    EXPECT_EQ(get.fType, UINT(MFT_RADIOCHECK));
    EXPECT_EQ(get.fState, UINT(MFS_CHECKED));
    EXPECT_EQ(get.wID, 11u);
    EXPECT_EQ(get.dwItemData, 0xABCDu);
    EXPECT_EQ(get.hSubMenu, nullptr);
    EXPECT_TRUE(GetMenuItemInfoW(m_menu, 4, TRUE, &get));
    EXPECT_EQ(get.hSubMenu, m_sub);
    get.cbSize = sizeof get - 1;
    EXPECT_FALSE(GetMenuItemInfoW(m_menu, 0, TRUE, &get));
    // Previous states come back; an item found nowhere gives 0xFFFFFFFF.
    EXPECT_EQ(CheckMenuItem(m_menu, 11, MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(m_menu, 7, MF_CHECKED), DWORD(MF_UNCHECKED)); // in the submenu
    EXPECT_EQ(EnableMenuItem(m_menu, 1, MF_BYPOSITION | MF_ENABLED), UINT(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(m_menu, 3, MF_DISABLED), UINT(MF_ENABLED));
    EXPECT_EQ(GetMenuState(m_menu, 3, MF_BYCOMMAND), UINT(MF_DISABLED));
    EXPECT_EQ(GetMenuState(m_menu, 4, MF_BYPOSITION), UINT(0x100 | MF_POPUP)); // one item
    EXPECT_EQ(EnableMenuItem(m_menu, 99, MF_GRAYED), 0xFFFFFFFFu);
}

TEST_F(MenuTest, RadioChecksCoverTheirRangeOnly) {
    m_menu = CreatePopupMenu();
    for (UINT id = 10; id < 15; ++id)
        AppendMenuW(m_menu, MF_STRING | MF_CHECKED, id, u"item");
    struct Row {
        UINT first, last, check, flags;
        BOOL result;
        const char* checks;
    } rows[] = {
        {11, 13, 12, MF_BYCOMMAND, TRUE, "x.x.x"},
        {3, 1, 1, MF_BYPOSITION, TRUE, "xx..x"}, // either order
        {0, 4, 4, MF_BYPOSITION, TRUE, "....x"},
        {10, 12, 14, MF_BYCOMMAND, FALSE, "....x"}, // outside the range: the range is cleared
        {10, 99, 10, MF_BYCOMMAND, FALSE, "....x"}, // no such last item: nothing changes
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CheckMenuRadioItem(m_menu, r.first, r.last, r.check, r.flags), r.result);
        EXPECT_EQ(Checks(m_menu), r.checks) << r.first << ".." << r.last << " " << r.check;
    }
    MENUITEMINFOW info = Info(MIIM_TYPE);
    GetMenuItemInfoW(m_menu, 4, TRUE, &info);
    EXPECT_EQ(info.fType, UINT(MFT_RADIOCHECK));
}

TEST_F(MenuTest, TheOwnerHearsOfThePopupInOrderAndGetsTheCommandAfterwards) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    m_menu = CreatePopupMenu();
    AppendMenuW(m_menu, MF_OWNERDRAW, 1, reinterpret_cast<LPCWSTR>(0x11));
    AppendMenuW(m_menu, MF_OWNERDRAW | MF_GRAYED | MF_CHECKED, 2, reinterpret_cast<LPCWSTR>(0x22));
    AppendMenuW(m_menu, MF_STRING, 3, u"Plain");
    std::string log;
    owner.handler = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
        if (message == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            log += "measure " + std::to_string(mis->itemID) + ":" + std::to_string(mis->itemData) +
                   ", ";
            mis->itemWidth = 80;
            mis->itemHeight = 20;
        } else if (message == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            EXPECT_EQ(dis->hwndItem, reinterpret_cast<HWND>(m_menu));
            EXPECT_EQ(dis->CtlType, UINT(ODT_MENU));
            log += "draw " + std::to_string(dis->itemID) + ":" + std::to_string(dis->itemData) +
                   " state " + std::to_string(dis->itemState) + " at " +
                   std::to_string(dis->rcItem.top) + ", ";
        } else if (const char* name = MenuMessage(message)) {
            char value[16];
            std::snprintf(value, sizeof value, "%lx", static_cast<unsigned long>(wParam));
            log += name + std::string(" ") + (wParam == WPARAM(m_menu) ? "m" : value) + ", ";
        }
        return false;
    };
    UINT result = Track(owner, {[&] { log += "wait, "; }, TapStep(m_menu, 0)}, 0);
    EXPECT_EQ(result, 1u); // shown
    // Measured and drawn before the first wait; the grayed, checked item as such (state 10);
    // the tap redraws its item highlighted (state 1) and names it in WM_MENUSELECT.
    EXPECT_EQ(log, "enter 1, init m, popup m, measure 1:17, measure 2:34, draw 1:17 state 0 at 0, "
                   "draw 2:34 state 10 at 20, wait, draw 1:17 state 1 at 0, select 1800001, "
                   "select ffff0000, exit 1, ");
    log.clear();
    Pump();
    EXPECT_EQ(log, "command 1, "); // once the loop has ended
    // TPM_RETURNCMD returns the command and posts nothing.
    EXPECT_EQ(Track(owner, {TapStep(m_menu, 0)}), 1u);
    log.clear();
    Pump();
    EXPECT_EQ(log, "");
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
    struct Row {
        int x, y;
        UINT flags;
        RECT exclude;
        POINT expected;
    } rows[] = {
        {10, 10, TPM_LEFTALIGN | TPM_TOPALIGN, {}, {10, 10}},
        {230, 300, TPM_LEFTALIGN | TPM_TOPALIGN, {}, {178, 238}}, // flipped to end at the point
        {100, 100, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {}, {48, 38}},
        {20, 20, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {}, {20, 20}}, // flipped to start there
        {120, 160, TPM_CENTERALIGN | TPM_VCENTERALIGN, {}, {94, 129}},
        {5, 310, TPM_CENTERALIGN | TPM_VCENTERALIGN, {}, {0, 258}}, // centred ones are pushed in
        {300, 400, 0, {}, {188, 258}},
        {100, 100, TPM_VERTICAL, {90, 90, 200, 130}, {100, 130}},  // below the rectangle
        {100, 100, TPM_HORIZONTAL, {90, 90, 200, 130}, {38, 100}}, // no room right: left of it
        {100, 280, TPM_VERTICAL, {90, 270, 200, 300}, {100, 208}}, // no room below: above it
    };
    for (const Row& r : rows) {
        RECT placed = {};
        TPMPARAMS params = {sizeof params, r.exclude};
        UserSetWaitHook([&] { return GetWindowRect(GetTopWindow(nullptr), &placed), false; });
        TrackPopupMenuEx(m_menu, r.flags, r.x, r.y, owner,
                         IsRectEmpty(&r.exclude) ? nullptr : &params);
        EXPECT_EQ(placed.left, r.expected.x) << r.x << "," << r.y << " flags " << r.flags;
        EXPECT_EQ(placed.top, r.expected.y) << r.x << "," << r.y << " flags " << r.flags;
        EXPECT_EQ(placed.right - placed.left, 52);
    }
    UserSetWaitHook(nullptr);
}

TEST_F(MenuTest, KeysAndTapsChooseItemsAndSubmenusCascade) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Plain();
    auto tapOutside = [] { TapAt({230, 310}); };
    struct Row {
        const char* what;
        std::vector<std::function<void()>> steps;
        UINT expected;
    } rows[] = {
        {"down, enter", {KeyStep(VK_DOWN), KeyStep(VK_RETURN)}, 1},
        {"over the separator",
         {KeyStep(VK_DOWN), KeyStep(VK_DOWN), KeyStep(VK_DOWN), KeyStep(VK_RETURN)},
         3},
        {"up wraps; enter opens", {KeyStep(VK_UP), KeyStep(VK_RETURN), KeyStep(VK_RETURN)}, 7},
        {"right opens, left closes",
         {KeyStep(VK_UP), KeyStep(VK_RIGHT), KeyStep(VK_LEFT), KeyStep(VK_UP), KeyStep(VK_RETURN)},
         3},
        {"enter on a grayed item", {KeyStep(VK_DOWN), KeyStep(VK_DOWN), KeyStep(VK_RETURN)}, 0},
        {"escape", {KeyStep(VK_DOWN), KeyStep(VK_ESCAPE)}, 0},
        {"escape leaves a submenu first",
         {KeyStep(VK_UP), KeyStep(VK_RIGHT), KeyStep(VK_ESCAPE), KeyStep(VK_RETURN),
          KeyStep(VK_RETURN)},
         7},
        {"tap", {TapStep(m_menu, 3)}, 3},
        {"tap on a grayed item, then outside", {TapStep(m_menu, 1), tapOutside}, 0},
        // The separator takes no highlight and the menu stays open.
        {"tap on the separator, then keys",
         {TapStep(m_menu, 2), KeyStep(VK_DOWN), KeyStep(VK_RETURN)},
         1},
        {"cascade", {TapStep(m_menu, 4), TapStep(m_sub, 0)}, 7},
        {"outside", {tapOutside}, 0},
        {"no more input", {KeyStep(VK_DOWN)}, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Track(owner, r.steps), r.expected) << r.what;
        EXPECT_EQ(GetTopWindow(nullptr), owner.hwnd()) << r.what; // every popup is gone
        EXPECT_EQ(GetCapture(), nullptr) << r.what;
    }
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
    // A second popup while one is open is refused; an owner that goes away ends the loop.
    UserSetWaitHook([&] {
        EXPECT_FALSE(TrackPopupMenu(m_menu, 0, 0, 0, 0, *owner, nullptr));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_POPUP_ALREADY_ACTIVE));
        owner.reset();
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 20, 20, 0, GetTopWindow(nullptr), nullptr), 0);
    UserSetWaitHook(nullptr);
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
    // An empty menu shows nothing.
    ProbeWindow other(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    HMENU empty = CreatePopupMenu();
    EXPECT_FALSE(TrackPopupMenu(empty, 0, 20, 20, 0, other, nullptr));
    EXPECT_EQ(other.Count(WM_EXITMENULOOP), 1);
    DestroyMenu(empty);
}

TEST_F(MenuTest, PlainItemsShowTheirStatesInTheSystemColours) {
    ProbeWindow owner(nullptr, {0, 0, 240, 320}, kWhite, 0, WS_POPUP | WS_VISIBLE);
    Plain();
    CheckMenuItem(m_menu, 3, MF_CHECKED);
    // Per item: which of the colours it shows, and whether its check column holds a mark.
    std::string seen;
    auto look = [&] {
        for (UINT item : {0u, 1u, 3u}) {
            RECT r;
            GetMenuItemRect(nullptr, m_menu, item, &r);
            for (int colour :
                 {COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT, COLOR_MENUTEXT}) {
                bool any = false;
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x)
                        any = any || Pixel(x, y) == GetSysColor(colour);
                seen += any ? 'x' : '.';
            }
            RECT column = {r.left, r.top, r.left + 16, r.bottom};
            seen += CheckFill(column, Pixel(r.left, r.top)).empty() ? " " : "v ";
        }
    };
    Track(owner, {KeyStep(VK_DOWN), look});
    // One highlighted, Two grayed, Three checked.
    EXPECT_EQ(seen, "xx.. ..x. ...xv ");
}

} // namespace
