// CListCtrl's members that do more than send one message.
#include "platform/afx/listctrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    InitCommonControls();
    return CWnd::Create(WC_LISTVIEW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCWSTR text, UINT state, UINT stateMask, int image,
                          LPARAM lParam) {
    LVITEM item = {mask, index, 0, state, stateMask, const_cast<LPWSTR>(text), 0, image, lParam, 0};
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int index, LPCWSTR text) {
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, LPCWSTR text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCWSTR text, int image, UINT state,
                        UINT stateMask, LPARAM lParam) {
    LVITEM item = {mask, index, subItem, state, stateMask, const_cast<LPWSTR>(text),
                   0,    image, lParam,  0};
    return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCWSTR text) {
    LVITEM item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    return BOOL(Send(LVM_SETITEMTEXT, WPARAM(index), LPARAM(&item)));
}

int CListCtrl::GetItemText(int index, int subItem, LPWSTR text, int length) const {
    LVITEM item = {};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = length;
    return int(Send(LVM_GETITEMTEXT, WPARAM(index), LPARAM(&item)));
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    // Grow the buffer until the text fits with room to spare.
    for (int size = 256;; size *= 4) {
        CString text;
        int length = GetItemText(index, subItem, text.GetBuffer(size), size);
        text.ReleaseBuffer(length);
        if (length < size - 1 || size >= (1 << 24)) return text;
    }
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    return SetItem(index, 0, LVIF_PARAM, nullptr, 0, 0, 0, LPARAM(data));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    LVITEM item = {};
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
    if (!rect) return FALSE;
    rect->left = LONG(code);
    return BOOL(Send(LVM_GETITEMRECT, WPARAM(index), LPARAM(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const {
    rect.top = subItem;
    rect.left = code;
    return BOOL(Send(LVM_GETSUBITEMRECT, WPARAM(index), LPARAM(static_cast<RECT*>(&rect))));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info = {point, 0, -1, 0};
    int index = HitTest(&info);
    if (flags) *flags = info.flags;
    return index;
}

int CListCtrl::InsertColumn(int index, LPCWSTR heading, int format, int width, int subItem) {
    LVCOLUMN column = {LVCF_TEXT | LVCF_FMT, format, 0, const_cast<LPWSTR>(heading), 0, 0};
    if (width != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    if (subItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = subItem;
    }
    return InsertColumn(index, &column);
}

CImageList* CListCtrl::SetImageList(CImageList* list, int type) {
    HIMAGELIST handle = list ? list->GetSafeHandle() : nullptr;
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, WPARAM(type), LPARAM(handle))));
}

CImageList* CListCtrl::GetImageList(int type) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, type)));
}
