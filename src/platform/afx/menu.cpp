// CMenu, its handle map, and the routing of owner-drawn menu items to their CMenu.
#include "platform/afx/menu.h"

#include "platform/afx/handlemap.h"
#include "platform/afx/wnd.h"
#include "platform/user/userdevice.h"

#include <utility>

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

// A cascade deeper than this is a menu made its own descendant.
constexpr int kMaxDepth = 32;

CHandleMap<CMenu>& Map() {
    static auto* map = new CHandleMap<CMenu>;
    return *map;
}

struct NotedPopup {
    HWND owner = nullptr;
    HMENU menu = nullptr;
};

NotedPopup& Noted() {
    static NotedPopup noted;
    return noted;
}

bool HoldsItem(HMENU menu, const MEASUREITEMSTRUCT& item, int pos) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_TYPE | MIIM_SUBMENU;
    return ::GetMenuItemInfoW(menu, UINT(pos), TRUE, &info) && !info.hSubMenu &&
           (info.fType & MFT_OWNERDRAW) && info.wID == item.itemID &&
           info.dwItemData == item.itemData;
}

// The menu within menu's tree that holds the item, or null.
HMENU FindHolder(HMENU menu, const MEASUREITEMSTRUCT& item, int depth) {
    int count = ::GetMenuItemCount(menu);
    for (int pos = 0; depth <= kMaxDepth && pos < count; ++pos) {
        if (HoldsItem(menu, item, pos)) return menu;
        if (HMENU sub = ::GetSubMenu(menu, pos))
            if (HMENU found = FindHolder(sub, item, depth + 1)) return found;
    }
    return nullptr;
}

} // namespace

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu) return nullptr;
    UserAddIdleHook(&AfxDeleteTempMaps);
    return Map().FromHandle(menu, [menu] {
        auto* wrapper = new CMenu;
        wrapper->m_hMenu = menu;
        return wrapper;
    });
}

CMenu* CMenu::FromHandlePermanent(HMENU menu) {
    return Map().LookupPermanent(menu);
}

void CMenu::DeleteTempMap() {
    Map().DeleteTemp([](CMenu* wrapper) { wrapper->m_hMenu = nullptr; });
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu) return FALSE;
    m_hMenu = menu;
    Map().SetPermanent(menu, this);
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = std::exchange(m_hMenu, nullptr);
    if (menu) Map().RemoveHandle(menu, this);
    return menu;
}

BOOL CMenu::AttachNew(HMENU menu) {
    if (menu && m_hMenu) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return Attach(menu);
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const CBitmap* bitmap) {
    HGDIOBJ handle = bitmap ? bitmap->GetSafeHandle() : nullptr;
    return ::AppendMenuW(m_hMenu, flags | MF_BITMAP, id, static_cast<LPCWSTR>(handle));
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, const CBitmap* bitmap) {
    HGDIOBJ handle = bitmap ? bitmap->GetSafeHandle() : nullptr;
    return ::InsertMenuW(m_hMenu, position, flags | MF_BITMAP, id, static_cast<LPCWSTR>(handle));
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const {
    int length = ::GetMenuStringW(m_hMenu, id, nullptr, 0, flags);
    LPWSTR buffer = text.GetBuffer(length + 1);
    int copied = ::GetMenuStringW(m_hMenu, id, buffer, length + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd ? wnd->GetSafeHwnd() : nullptr, rect);
}

void AfxNotePopupMenu(HWND owner, HMENU menu) {
    Noted() = {owner, menu};
}

CMenu* AfxFindMenuOfItem(HWND owner, const MEASUREITEMSTRUCT& item) {
    const NotedPopup& noted = Noted();
    if (noted.owner == owner && ::IsMenu(noted.menu))
        if (HMENU holder = FindHolder(noted.menu, item, 0))
            if (CMenu* menu = CMenu::FromHandlePermanent(holder)) return menu;
    return Map().FindPermanent([&](CMenu* menu) {
        int count = ::GetMenuItemCount(menu->m_hMenu);
        for (int pos = 0; pos < count; ++pos)
            if (HoldsItem(menu->m_hMenu, item, pos)) return true;
        return false;
    });
}
