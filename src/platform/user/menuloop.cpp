// TrackPopupMenu: the notifications around a popup menu and its modal loop.
//
// The loop takes messages with PeekMessage like every other loop, so it sees the queue in the
// platform's one order. Pointer and key input belong to the menu (the root popup holds the
// capture, and hit tests use the screen point, so cascaded popups share it); everything else
// is dispatched as usual, so timers, posted messages and painting go on while the popup is
// open. When nothing is left, the loop waits like GetMessage does: a wait that says nothing
// more will come (no hook, no display) dismisses the popup as a tap outside would.
#include "platform/user/menuobj.h"
#include "platform/user/userdevice.h"

#include <memory>
#include <string>
#include <utility>

namespace user {
namespace {

constexpr int kMaxEmptyWaits = 10000;
constexpr int kMaxDispatches = 20000;

struct Tracker {
    HWND owner = nullptr;
    HMENU root = nullptr;
    UINT flags = 0;
    std::vector<std::unique_ptr<Popup>> popups; // the root popup first, cascades after it
    bool done = false;
    bool pressed = false; // the pointer went down while the popup was open
    bool chosen = false;
    UINT command = 0;
};

Tracker*& Current() {
    static Tracker* tracker = nullptr;
    return tracker;
}

bool Notifies(const Tracker& t) {
    return !(t.flags & TPM_NONOTIFY);
}

bool Alive(const Tracker& t) {
    if (!IsWindow(t.owner) || !LookupMenu(t.root)) return false;
    for (const auto& p : t.popups)
        if (!IsWindow(p->hwnd) || !LookupMenu(p->menu)) return false;
    return true;
}

void CloseAbove(Tracker& t, size_t level) {
    while (t.popups.size() > level + 1) {
        ClosePopup(*t.popups.back());
        t.popups.pop_back();
    }
}

RECT ItemAnchor(const Popup& parent, int index) {
    RECT window, box = parent.boxes[size_t(index)];
    GetWindowRect(parent.hwnd, &window);
    POINT origin = {0, 0};
    ClientToScreen(parent.hwnd, &origin);
    int border = GetSystemMetrics(SM_CXBORDER);
    // Beside the parent popup, with its first item level with the item that opens it.
    return RECT{window.left, origin.y + box.top - border, window.right,
                origin.y + box.bottom + border};
}

// The item at index of a popup's menu while both the menu and a box for the item exist; the
// owner may change or destroy the menu while the popup is open.
const MenuItem* ItemOf(const Popup& popup, int index) {
    Menu* menu = LookupMenu(popup.menu);
    if (!menu || index < 0 || size_t(index) >= menu->items.size() ||
        size_t(index) >= popup.boxes.size())
        return nullptr;
    return &menu->items[size_t(index)];
}

int FirstSelectable(HMENU handle, int from, int step) {
    Menu* menu = LookupMenu(handle);
    int n = menu ? int(menu->items.size()) : 0;
    for (int k = 0, i = from; k < n; ++k, i += step) {
        i = (i % n + n) % n;
        if (Selectable(*menu, i)) return i;
    }
    return -1;
}

// Opens the submenu of item index in popup level (closing deeper ones first).
void OpenSubmenu(Tracker& t, size_t level, int index, bool selectFirst) {
    CloseAbove(t, level);
    Popup& parent = *t.popups[level];
    const MenuItem* item = ItemOf(parent, index);
    if (!item || (item->state & MFS_GRAYED) || !LookupMenu(item->submenu)) return;
    HMENU submenu = item->submenu;
    RECT anchor = ItemAnchor(parent, index);
    if (Notifies(t)) SendMessage(t.owner, WM_INITMENUPOPUP, WPARAM(submenu), MAKELPARAM(index, 0));
    if (!Alive(t) || !LookupMenu(submenu)) return;
    auto popup = std::make_unique<Popup>();
    popup->menu = submenu;
    t.popups.push_back(std::move(popup));
    if (!OpenPopup(*t.popups.back(), t.owner, anchor, 0, nullptr, true)) {
        ClosePopup(*t.popups.back());
        t.popups.pop_back();
        return;
    }
    if (selectFirst) SelectPopupItem(*t.popups.back(), t.owner, FirstSelectable(submenu, 0, 1));
}

// Opens the submenu of item index unless it is open already; from the keyboard, its first
// item takes the highlight.
void EnterSubmenu(Tracker& t, size_t level, int index, bool byKey) {
    const MenuItem* item = ItemOf(*t.popups[level], index);
    if (!item) return;
    HMENU submenu = item->submenu;
    if (t.popups.size() <= level + 1 || t.popups[level + 1]->menu != submenu)
        OpenSubmenu(t, level, index, byKey);
    else if (byKey && t.popups[level + 1]->selected < 0)
        SelectPopupItem(*t.popups[level + 1], t.owner, FirstSelectable(submenu, 0, 1));
}

// Acts on the highlighted item of popup level: opens its submenu or chooses it.
void Execute(Tracker& t, size_t level, bool byKey) {
    Popup& popup = *t.popups[level];
    const MenuItem* item = ItemOf(popup, popup.selected);
    if (item && item->submenu) {
        EnterSubmenu(t, level, popup.selected, byKey);
        return;
    }
    if (item && Choosable(*LookupMenu(popup.menu), popup.selected)) {
        t.chosen = true;
        t.command = item->id;
        t.done = true;
    } else if (byKey) {
        t.done = true; // Enter on nothing, or on a grayed item, ends the menu
    }
}

// The deepest popup under a screen point: its level (-1 for none) and the item there.
int HitPopup(const Tracker& t, POINT pt, int* item) {
    for (size_t level = t.popups.size(); level-- > 0;) {
        int index = PopupItemAt(*t.popups[level], pt);
        if (index != -1) {
            *item = index;
            return int(level);
        }
    }
    return -1;
}

// The pointer is over item index of popup level: it takes the highlight and opens its submenu.
void Hover(Tracker& t, size_t level, int index) {
    Popup& popup = *t.popups[level];
    if (index == -2) return; // on the border: nothing changes
    bool submenuOpen = t.popups.size() > level + 1 && popup.selected == index;
    if (!submenuOpen) CloseAbove(t, level);
    SelectPopupItem(popup, t.owner, index);
    const MenuItem* item = ItemOf(popup, index);
    if (!submenuOpen && item && item->submenu && popup.selected == index)
        OpenSubmenu(t, level, index, false);
}

void OnPointer(Tracker& t, const MSG& msg) {
    int item = -1;
    int level = HitPopup(t, msg.pt, &item);
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        t.pressed = true;
        if (level < 0)
            t.done = true; // a tap outside dismisses the menu
        else
            Hover(t, size_t(level), item);
        break;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (level >= 0) Hover(t, size_t(level), item);
        break;
    default: // button up
        // A release that began before the popup opened chooses nothing.
        if (!std::exchange(t.pressed, false) || level < 0 || item < 0) break;
        Hover(t, size_t(level), item);
        if (t.popups.size() > size_t(level) && t.popups[size_t(level)]->selected == item)
            Execute(t, size_t(level), false);
        break;
    }
}

void OnKey(Tracker& t, const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return;
    size_t level = t.popups.size() - 1;
    Popup& popup = *t.popups[level];
    switch (msg.wParam) {
    case VK_DOWN:
    case VK_UP: {
        bool down = msg.wParam == VK_DOWN;
        int from = popup.selected < 0 ? (down ? 0 : -1) : popup.selected + (down ? 1 : -1);
        SelectPopupItem(popup, t.owner, FirstSelectable(popup.menu, from, down ? 1 : -1));
        break;
    }
    case VK_RIGHT:
        if (const MenuItem* item = ItemOf(popup, popup.selected); item && item->submenu)
            EnterSubmenu(t, level, popup.selected, true);
        break;
    case VK_LEFT:
    case VK_ESCAPE:
        if (level > 0)
            CloseAbove(t, level - 1);
        else if (msg.wParam == VK_ESCAPE)
            t.done = true;
        break;
    case VK_RETURN:
        Execute(t, level, true);
        break;
    default:
        break;
    }
}

bool IsPointer(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCLBUTTONDBLCLK);
}

bool IsKey(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

void Run(Tracker& t) {
    int waits = 0, dispatches = 0;
    while (!t.done && Alive(t)) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (WaitHookInstalled() && ++waits >= kMaxEmptyWaits) {
                NoteRunaway("a popup menu waited " + std::to_string(kMaxEmptyWaits) +
                            " times without receiving anything");
                break;
            }
            if (!UserWaitForInput()) break; // nothing more will come: as a tap outside
            continue;
        }
        waits = 0;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the loop outside
            break;
        }
        if (IsPointer(msg.message) || IsKey(msg.message)) {
            dispatches = 0;
            if (IsPointer(msg.message))
                OnPointer(t, msg);
            else
                OnKey(t, msg);
            continue;
        }
        if (++dispatches > kMaxDispatches) {
            NoteRunaway("a popup menu dispatched " + std::to_string(kMaxDispatches) +
                        " messages without input; last " +
                        UserDescribeMessage(msg.hwnd, msg.message));
            break;
        }
        DispatchMessage(&msg);
    }
}

void Close(Tracker& t) {
    CloseAbove(t, 0);
    if (t.popups.empty()) return;
    if (GetCapture() == t.popups[0]->hwnd) ReleaseCapture();
    ClosePopup(*t.popups[0]);
    t.popups.clear();
}

} // namespace

Popup* TrackedPopup(HWND hwnd) {
    if (Tracker* t = Current())
        for (auto& p : t->popups)
            if (p->hwnd == hwnd) return p.get();
    return nullptr;
}

HWND TrackingOwner() {
    return Current() ? Current()->owner : nullptr;
}

void NoteMenuLoopExit(Window* w) {
    if (Tracker* t = Current(); t && w->handle == t->owner && !t->popups.empty()) t->done = true;
}

} // namespace user

using namespace user;

BOOL GetMenuItemRect(HWND, HMENU menu, UINT item, LPRECT rect) {
    Tracker* t = Current();
    for (size_t i = 0; t && rect && i < t->popups.size(); ++i) {
        const Popup& p = *t->popups[i];
        if (p.menu != menu || item >= p.boxes.size()) continue;
        *rect = p.boxes[item];
        MapWindowPoints(p.hwnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
        return TRUE;
    }
    return FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    if (!CheckedMenu(menu) || !Checked(owner)) return FALSE;
    if (Current()) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    Tracker t;
    t.owner = owner;
    t.root = menu;
    t.flags = flags;
    Current() = &t;
    if (Notifies(t)) {
        SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
        SendMessage(owner, WM_INITMENU, WPARAM(menu), 0);
        SendMessage(owner, WM_INITMENUPOPUP, WPARAM(menu), 0);
    }
    bool shown = false;
    if (IsWindow(owner) && LookupMenu(menu)) {
        t.popups.push_back(std::make_unique<Popup>());
        t.popups[0]->menu = menu;
        const RECT* exclude =
            params && params->cbSize == sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
        shown = OpenPopup(*t.popups[0], owner, RECT{x, y, x, y}, flags, exclude, false);
        if (shown) {
            SetCapture(t.popups[0]->hwnd);
            Run(t);
        }
    }
    Close(t);
    // The owner may open the next popup menu from here on.
    Current() = nullptr;
    if (IsWindow(owner)) SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (Notifies(t) && IsWindow(owner)) SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (t.chosen && !(flags & TPM_RETURNCMD) && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(t.command, 0), 0);
    if (flags & TPM_RETURNCMD) return t.chosen ? BOOL(t.command) : 0;
    return shown;
}
