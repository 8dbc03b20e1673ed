// CTreeCtrl's members that do more than send one message.
#include "platform/afx/treectrl.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    InitCommonControls();
    return CWnd::Create(WC_TREEVIEW, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCWSTR text, int image, int selectedImage, UINT state,
                                UINT stateMask, LPARAM lParam, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCT insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item = {mask, nullptr, state,         stateMask, const_cast<LPWSTR>(text),
                   0,    image,   selectedImage, 0,         lParam};
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0,
                      0, parent, after);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    TVITEM tv = {};
    tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tv.hItem = item;
    return GetItem(&tv) && tv.cChildren != 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
    if (!rect) return FALSE;
    // The item's handle travels in the rectangle itself.
    std::memcpy(rect, &item, sizeof item);
    return BOOL(Send(TVM_GETITEMRECT, WPARAM(textOnly), LPARAM(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO info = {point, 0, nullptr};
    HTREEITEM item = HitTest(&info);
    if (flags) *flags = info.flags;
    return item;
}

BOOL CTreeCtrl::SetItem(HTREEITEM item, UINT mask, LPCWSTR text, int image, int selectedImage,
                        UINT state, UINT stateMask, LPARAM lParam) {
    TVITEM tv = {mask | TVIF_HANDLE, item, state, stateMask, const_cast<LPWSTR>(text), 0, image,
                 selectedImage,      0,    lParam};
    return SetItem(&tv);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    for (int size = 256;; size *= 4) {
        CString text;
        TVITEM tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = text.GetBuffer(size);
        tv.cchTextMax = size;
        bool ok = GetItem(&tv);
        text.ReleaseBuffer(ok ? -1 : 0);
        if (!ok || text.GetLength() < size - 1 || size >= (1 << 24)) return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCWSTR text) {
    return SetItem(item, TVIF_TEXT, text, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    TVITEM tv = {};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tv.hItem = item;
    if (!GetItem(&tv)) return FALSE;
    image = tv.iImage;
    selectedImage = tv.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    return SetItem(item, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, image, selectedImage, 0, 0, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEM tv = {};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    return GetItem(&tv) ? DWORD_PTR(tv.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    return SetItem(item, TVIF_PARAM, nullptr, 0, 0, 0, 0, LPARAM(data));
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT stateMask) const {
    TVITEM tv = {};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = item;
    tv.stateMask = stateMask;
    return GetItem(&tv) ? tv.state & stateMask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT stateMask) {
    return SetItem(item, TVIF_STATE, nullptr, 0, 0, state, stateMask, 0);
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int type) {
    HIMAGELIST handle = list ? list->GetSafeHandle() : nullptr;
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(Send(TVM_SETIMAGELIST, WPARAM(type), LPARAM(handle))));
}

CImageList* CTreeCtrl::GetImageList(UINT type) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Send(TVM_GETIMAGELIST, type)));
}
