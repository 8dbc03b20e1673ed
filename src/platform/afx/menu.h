// CMenu: the framework's menu wrapper. A CMenu owns the menu attached to it and destroys it
// when destroyed; FromHandle gives the attached CMenu or a temporary one, freed when the
// application is idle (without touching the menu).
//
// Owner-drawn items reach their CMenu through the owner window's default handling of
// WM_MEASUREITEM and WM_DRAWITEM: a framework window hands the item to the permanent CMenu of
// the menu that holds it (DrawItem, MeasureItem).
#pragma once

#include "platform/afx/gdiobj.h"
#include "platform/base/cstring.h"
#include "platform/user/winuser.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);
    static CMenu* FromHandlePermanent(HMENU menu);
    static void DeleteTempMap();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu() { return AttachNew(::CreateMenu()); }
    BOOL CreatePopupMenu() { return AttachNew(::CreatePopupMenu()); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCWSTR item = nullptr) {
        return ::AppendMenuW(m_hMenu, flags, id, item);
    }
    BOOL AppendMenu(UINT flags, UINT_PTR id, const CBitmap* bitmap);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCWSTR item = nullptr) {
        return ::InsertMenuW(m_hMenu, position, flags, id, item);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id, const CBitmap* bitmap);
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }

    UINT GetMenuItemCount() const { return UINT(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, LPWSTR text, int maxCount, UINT flags) const {
        return ::GetMenuStringW(m_hMenu, id, text, maxCount, flags);
    }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE) {
        return ::GetMenuItemInfoW(m_hMenu, item, byPosition, info);
    }
    BOOL SetMenuItemInfo(UINT item, LPCMENUITEMINFO info, BOOL byPosition = FALSE) {
        return ::SetMenuItemInfoW(m_hMenu, item, byPosition, info);
    }
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

    UINT CheckMenuItem(UINT id, UINT check) { return UINT(::CheckMenuItem(m_hMenu, id, check)); }
    UINT EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }

    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);

    // Owner-drawn items: the base versions do nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item) {}

private:
    // Attaches a menu just made for this wrapper; if the wrapper already holds one, the new menu
    // is destroyed and the call fails.
    BOOL AttachNew(HMENU menu);
};

// The framework's default window handling notes the popup that a window is about to show
// (WM_INITMENUPOPUP), so that WM_MEASUREITEM, which names no menu, can be routed: the
// permanent CMenu of the menu holding the owner-drawn item with the item's identifier and
// data, looked for in the noted popup and its submenus, then among every permanent CMenu.
void AfxNotePopupMenu(HWND owner, HMENU menu);
CMenu* AfxFindMenuOfItem(HWND owner, const MEASUREITEMSTRUCT& item);
