// The objects behind menu handles, the popup windows that show them, and the tracking state
// that ties the two together while a popup menu is open.
//
// A menu lives in the menu table and is reached only through its handle, so a destroyed
// menu's handle finds nothing. A submenu is owned by the item that holds it: destroying the
// menu destroys its submenus; removing the item hands the submenu back to the caller.
#pragma once

#include "platform/base/cstring.h"
#include "platform/user/wndobj.h"

#include <deque>
#include <vector>

namespace user {

struct MenuItem {
    UINT type = MFT_STRING; // MFT_* flags
    UINT state = 0;         // MFS_* flags
    UINT id = 0;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
    CString text;
    HBITMAP bitmap = nullptr; // MFT_BITMAP items; not owned
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;
    // In blocks: a long menu grows without moving its items into ever larger single blocks.
    std::deque<MenuItem> items;
};

// ---- Menu table (menu.cpp) -------------------------------------------------------------------

Menu* LookupMenu(HMENU menu);
// Like LookupMenu, and sets ERROR_INVALID_MENU_HANDLE when the handle is bad.
Menu* CheckedMenu(HMENU menu);

// ---- Popup windows (menupopup.cpp) -----------------------------------------------------------

struct Popup {
    HMENU menu = nullptr;
    HWND hwnd = nullptr;
    std::vector<RECT> boxes; // one per item when the popup opened, client coordinates
    int selected = -1;
};

// Measures the items (WM_MEASUREITEM to the owner for owner-drawn ones) and shows the popup
// window with its top-left corner at the place chosen by PlacePopup; false when the window
// could not be made.
bool OpenPopup(Popup& popup, HWND owner, const RECT& anchor, UINT flags, const RECT* exclude,
               bool cascade);
void ClosePopup(Popup& popup);
// Moves the highlight, redrawing the items it leaves and reaches at once.
void SelectPopupItem(Popup& popup, HWND owner, int index);
// The item under a screen point: its index, -1 outside the popup, -2 on its border.
int PopupItemAt(const Popup& popup, POINT screen);
// Whether the item at index can take the highlight (not a separator), and be chosen.
bool Selectable(const Menu& menu, int index);
bool Choosable(const Menu& menu, int index);

// ---- Tracking (menuloop.cpp) -----------------------------------------------------------------

// The open popup shown in hwnd, or null.
Popup* TrackedPopup(HWND hwnd);
HWND TrackingOwner();
// WM_EXITMENULOOP reached w: closes the open popup menu that w owns.
void NoteMenuLoopExit(Window* w);

} // namespace user
