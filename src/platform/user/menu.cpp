// Menu objects: the menu table, items by position and by command, their flags, texts and data.
#include "platform/user/menuobj.h"
#include "platform/user/userdevice.h"

#include "platform/base/handletable.h"

#include <algorithm>

namespace user {
namespace {

// Deep enough for any real cascade; it also stops a menu that was made its own descendant.
constexpr int kMaxDepth = 32;

constexpr UINT kTypeFlags = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW |
                            MFT_RADIOCHECK | MFT_SEPARATOR | MFT_RIGHTJUSTIFY;
constexpr UINT kStateFlags = MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT;

// Never destroyed: menus may be looked up while the process exits.
HandleTable<Menu>& Table() {
    static auto* table = new HandleTable<Menu>;
    return *table;
}

int& LiveMenus() {
    static int count = 0;
    return count;
}

HMENU NewMenu(bool popup) {
    auto menu = std::make_unique<Menu>();
    Menu* m = menu.get();
    m->popup = popup;
    void* handle = Table().Add(std::move(menu));
    if (!handle) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    ++LiveMenus();
    m->handle = static_cast<HMENU>(handle);
    return m->handle;
}

struct Place {
    Menu* menu = nullptr;
    size_t index = 0;
};

bool FindCommand(Menu* menu, UINT id, int depth, Place* out) {
    if (!menu || depth > kMaxDepth) return false;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.submenu) {
            if (FindCommand(LookupMenu(item.submenu), id, depth + 1, out)) return true;
        } else if (item.id == id) {
            *out = {menu, i};
            return true;
        }
    }
    return false;
}

// The item that (item, flags) names; false with ERROR_MENU_ITEM_NOT_FOUND when none.
bool Locate(HMENU handle, UINT item, UINT flags, Place* out) {
    Menu* menu = CheckedMenu(handle);
    if (!menu) return false;
    bool found = false;
    if (flags & MF_BYPOSITION) {
        found = item < menu->items.size();
        if (found) *out = {menu, item};
    } else {
        found = FindCommand(menu, item, 0, out);
    }
    if (!found) SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return found;
}

MenuItem& ItemOf(const Place& p) {
    return p.menu->items[p.index];
}

// An item as AppendMenu and InsertMenu describe it; false for a bad submenu.
bool MakeItem(Menu* menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text, MenuItem* out) {
    MenuItem item;
    item.type = flags & kTypeFlags;
    item.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
        if (item.submenu == menu->handle || !CheckedMenu(item.submenu)) return false;
    } else {
        item.id = UINT(idOrSubmenu);
    }
    if (flags & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(text);
    else if (flags & MF_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<WCHAR*>(text));
    else if (!(flags & MF_SEPARATOR) && text)
        item.text = text;
    *out = std::move(item);
    return true;
}

bool Remove(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
    Place p;
    if (!Locate(handle, position, flags, &p)) return false;
    HMENU submenu = ItemOf(p).submenu;
    p.menu->items.erase(p.menu->items.begin() + ptrdiff_t(p.index));
    if (destroySubmenu && submenu) DestroyMenu(submenu);
    return true;
}

void CopyText(const MenuItem& item, MENUITEMINFOW* info) {
    UINT length = UINT(item.text.GetLength());
    if (!info->dwTypeData || info->cch == 0) {
        info->cch = length;
        return;
    }
    UINT n = std::min(length, info->cch - 1);
    std::copy_n(item.text.GetString(), n, info->dwTypeData);
    info->dwTypeData[n] = 0;
    info->cch = n;
}

bool IsTextItem(UINT type) {
    return !(type & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR));
}

} // namespace

Menu* LookupMenu(HMENU menu) {
    return Table().Find(menu);
}

Menu* CheckedMenu(HMENU menu) {
    Menu* m = LookupMenu(menu);
    if (!m) SetLastError(ERROR_INVALID_MENU_HANDLE);
    return m;
}

} // namespace user

using namespace user;

int UserGetMenuCount() {
    return LiveMenus();
}

HMENU CreateMenu() {
    return NewMenu(false);
}

HMENU CreatePopupMenu() {
    return NewMenu(true);
}

BOOL DestroyMenu(HMENU handle) {
    std::unique_ptr<Menu> menu = CheckedMenu(handle) ? Table().Remove(handle) : nullptr;
    if (!menu) return FALSE;
    --LiveMenus();
    // Gone from the table first, so a menu held twice (or by itself) is destroyed once.
    for (const MenuItem& item : menu->items)
        if (item.submenu && LookupMenu(item.submenu)) DestroyMenu(item.submenu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return LookupMenu(menu) != nullptr;
}

BOOL AppendMenuW(HMENU handle, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
    return InsertMenuW(handle, 0xFFFFFFFF, flags | MF_BYPOSITION, idOrSubmenu, text);
}

BOOL InsertMenuW(HMENU handle, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
    Menu* menu = CheckedMenu(handle);
    if (!menu) return FALSE;
    Place p{menu, menu->items.size()};
    if (flags & MF_BYPOSITION) {
        p.index = std::min<size_t>(position, menu->items.size());
    } else if (!FindCommand(menu, position, 0, &p)) {
        // By command, only "no item" (-1) means "at the end".
        if (position != 0xFFFFFFFF) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
        p = {menu, menu->items.size()};
    }
    MenuItem item;
    if (!MakeItem(p.menu, flags, idOrSubmenu, text, &item)) return FALSE;
    p.menu->items.insert(p.menu->items.begin() + ptrdiff_t(p.index), std::move(item));
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return Remove(menu, position, flags, false);
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return Remove(menu, position, flags, true);
}

int GetMenuItemCount(HMENU handle) {
    Menu* menu = CheckedMenu(handle);
    return menu ? int(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU handle, int position) {
    Menu* menu = CheckedMenu(handle);
    if (!menu || position < 0 || size_t(position) >= menu->items.size()) return 0xFFFFFFFF;
    const MenuItem& item = menu->items[size_t(position)];
    return item.submenu ? 0xFFFFFFFF : item.id;
}

HMENU GetSubMenu(HMENU handle, int position) {
    Menu* menu = CheckedMenu(handle);
    if (!menu || position < 0 || size_t(position) >= menu->items.size()) return nullptr;
    HMENU submenu = menu->items[size_t(position)].submenu;
    return LookupMenu(submenu) ? submenu : nullptr;
}

UINT GetMenuState(HMENU handle, UINT item, UINT flags) {
    Place p;
    if (!Locate(handle, item, flags, &p)) return 0xFFFFFFFF;
    const MenuItem& it = ItemOf(p);
    UINT state = it.type | it.state;
    if (Menu* sub = LookupMenu(it.submenu))
        return (UINT(std::min<size_t>(sub->items.size(), 0xFF)) << 8) | ((state | MF_POPUP) & 0xFF);
    return state;
}

BOOL GetMenuItemInfoW(HMENU handle, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
    if (!info || info->cbSize != sizeof(MENUITEMINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Place p;
    if (!Locate(handle, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &p)) return FALSE;
    const MenuItem& it = ItemOf(p);
    if (info->fMask & MIIM_TYPE) {
        info->fType = it.type;
        if (it.type & MFT_BITMAP)
            info->dwTypeData = reinterpret_cast<LPWSTR>(it.bitmap);
        else if (IsTextItem(it.type))
            CopyText(it, info);
    }
    if (info->fMask & MIIM_STATE) info->fState = it.state;
    if (info->fMask & MIIM_ID) info->wID = it.id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = LookupMenu(it.submenu) ? it.submenu : nullptr;
    if (info->fMask & MIIM_CHECKMARKS) info->hbmpChecked = info->hbmpUnchecked = nullptr;
    if (info->fMask & MIIM_DATA) info->dwItemData = it.data;
    return TRUE;
}

BOOL SetMenuItemInfoW(HMENU handle, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
    if (!info || info->cbSize != sizeof(MENUITEMINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Place p;
    if (!Locate(handle, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &p)) return FALSE;
    if ((info->fMask & MIIM_SUBMENU) && info->hSubMenu &&
        (info->hSubMenu == p.menu->handle || !CheckedMenu(info->hSubMenu)))
        return FALSE;
    MenuItem& it = ItemOf(p);
    if (info->fMask & MIIM_TYPE) {
        it.type = info->fType & kTypeFlags;
        it.text.Empty();
        it.bitmap = nullptr;
        if (it.type & MFT_BITMAP)
            it.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
        else if (IsTextItem(it.type) && info->dwTypeData)
            it.text = info->dwTypeData;
    }
    if (info->fMask & MIIM_STATE) it.state = info->fState & (kStateFlags | MFS_HILITE);
    if (info->fMask & MIIM_ID) it.id = info->wID;
    if (info->fMask & MIIM_SUBMENU) it.submenu = info->hSubMenu;
    if (info->fMask & MIIM_DATA) it.data = info->dwItemData;
    return TRUE;
}

int GetMenuStringW(HMENU handle, UINT item, LPWSTR text, int maxCount, UINT flags) {
    Place p;
    if (!Locate(handle, item, flags, &p)) return 0;
    const MenuItem& it = ItemOf(p);
    const CString empty;
    const CString& s = IsTextItem(it.type) ? it.text : empty;
    if (!text) return s.GetLength();
    if (maxCount <= 0) return 0;
    int n = std::min(s.GetLength(), maxCount - 1);
    std::copy_n(s.GetString(), n, text);
    text[n] = 0;
    return n;
}

DWORD CheckMenuItem(HMENU handle, UINT item, UINT check) {
    Place p;
    if (!Locate(handle, item, check, &p)) return 0xFFFFFFFF;
    MenuItem& it = ItemOf(p);
    DWORD previous = it.state & MF_CHECKED;
    it.state = (it.state & ~UINT(MF_CHECKED)) | (check & MF_CHECKED);
    return previous;
}

UINT EnableMenuItem(HMENU handle, UINT item, UINT enable) {
    Place p;
    if (!Locate(handle, item, enable, &p)) return 0xFFFFFFFF;
    MenuItem& it = ItemOf(p);
    UINT previous = it.state & MFS_GRAYED;
    it.state = (it.state & ~UINT(MFS_GRAYED)) | (enable & MFS_GRAYED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT item, UINT flags) {
    Place a, b, c;
    if (!Locate(handle, first, flags, &a) || !Locate(handle, last, flags, &b) ||
        !Locate(handle, item, flags, &c))
        return FALSE;
    if (a.menu != b.menu) return FALSE;
    if (c.menu != a.menu) c.index = a.menu->items.size(); // not in the range
    size_t from = std::min(a.index, b.index), to = std::max(a.index, b.index);
    // As on the device, the range is unchecked even when item lies outside it.
    bool done = false;
    for (size_t i = from; i <= to; ++i) {
        MenuItem& it = a.menu->items[i];
        if (i == c.index) {
            it.type |= MFT_RADIOCHECK;
            it.state |= MFS_CHECKED;
            done = true;
        } else {
            it.state &= ~UINT(MFS_CHECKED);
        }
    }
    return done;
}
