// CListCtrl: the framework's wrapper of the list view control, one member function per
// message. A class derived from it may catch the list's own notifications with
// ON_NOTIFY_REFLECT (the framework hands WM_NOTIFY to the control's object first).
#pragma once

#include "platform/afx/imagelist.h"
#include "platform/afx/wnd.h"
#include "platform/commctrl/commctrl.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    // Registers the common controls' classes and makes the list as a child of parent.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- Items
    int GetItemCount() const { return int(Send(LVM_GETITEMCOUNT)); }
    int InsertItem(const LVITEM* item) { return int(Send(LVM_INSERTITEM, 0, LPARAM(item))); }
    int InsertItem(int index, LPCWSTR text);
    int InsertItem(int index, LPCWSTR text, int image);
    int InsertItem(UINT mask, int index, LPCWSTR text, UINT state, UINT stateMask, int image,
                   LPARAM lParam);
    BOOL GetItem(LVITEM* item) const { return BOOL(Send(LVM_GETITEM, 0, LPARAM(item))); }
    BOOL SetItem(const LVITEM* item) { return BOOL(Send(LVM_SETITEM, 0, LPARAM(item))); }
    BOOL SetItem(int index, int subItem, UINT mask, LPCWSTR text, int image, UINT state,
                 UINT stateMask, LPARAM lParam);
    BOOL DeleteItem(int index) { return BOOL(Send(LVM_DELETEITEM, WPARAM(index))); }
    BOOL DeleteAllItems() { return BOOL(Send(LVM_DELETEALLITEMS)); }
    BOOL SetItemText(int index, int subItem, LPCWSTR text);
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPWSTR text, int length) const;
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item) {
        return BOOL(Send(LVM_SETITEMSTATE, WPARAM(index), LPARAM(item)));
    }
    UINT GetItemState(int index, UINT mask) const {
        return UINT(Send(LVM_GETITEMSTATE, WPARAM(index), LPARAM(mask)));
    }
    int GetNextItem(int index, int flags) const {
        return int(Send(LVM_GETNEXTITEM, WPARAM(index), MAKELPARAM(flags, 0)));
    }
    UINT GetSelectedCount() const { return UINT(Send(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return int(Send(LVM_GETSELECTIONMARK)); }
    int FindItem(LVFINDINFO* find, int start = -1) const {
        return int(Send(LVM_FINDITEM, WPARAM(start), LPARAM(find)));
    }
    BOOL RedrawItems(int first, int last) {
        return BOOL(Send(LVM_REDRAWITEMS, WPARAM(first), LPARAM(last)));
    }
    BOOL Update(int index) { return BOOL(Send(LVM_UPDATE, WPARAM(index))); }

    // ---- Geometry and scrolling
    int GetTopIndex() const { return int(Send(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(Send(LVM_GETCOUNTPERPAGE)); }
    BOOL Scroll(CSize size) { return BOOL(Send(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }
    BOOL EnsureVisible(int index, BOOL partialOk) {
        return BOOL(Send(LVM_ENSUREVISIBLE, WPARAM(index), partialOk));
    }
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
    int HitTest(LVHITTESTINFO* info) const { return int(Send(LVM_HITTEST, 0, LPARAM(info))); }
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) {
        return int(Send(LVM_SUBITEMHITTEST, 0, LPARAM(info)));
    }

    // ---- Columns
    int InsertColumn(int index, const LVCOLUMN* column) {
        return int(Send(LVM_INSERTCOLUMN, WPARAM(index), LPARAM(column)));
    }
    int InsertColumn(int index, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int index) { return BOOL(Send(LVM_DELETECOLUMN, WPARAM(index))); }
    BOOL GetColumn(int index, LVCOLUMN* column) const {
        return BOOL(Send(LVM_GETCOLUMN, WPARAM(index), LPARAM(column)));
    }
    BOOL SetColumn(int index, const LVCOLUMN* column) {
        return BOOL(Send(LVM_SETCOLUMN, WPARAM(index), LPARAM(column)));
    }
    int GetColumnWidth(int index) const { return int(Send(LVM_GETCOLUMNWIDTH, WPARAM(index))); }
    BOOL SetColumnWidth(int index, int width) {
        return BOOL(Send(LVM_SETCOLUMNWIDTH, WPARAM(index), MAKELPARAM(width, 0)));
    }

    // ---- Looks
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(int type) const;
    COLORREF GetBkColor() const { return COLORREF(Send(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF colour) { return BOOL(Send(LVM_SETBKCOLOR, 0, LPARAM(colour))); }
    COLORREF GetTextColor() const { return COLORREF(Send(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF colour) { return BOOL(Send(LVM_SETTEXTCOLOR, 0, LPARAM(colour))); }
    COLORREF GetTextBkColor() const { return COLORREF(Send(LVM_GETTEXTBKCOLOR)); }
    BOOL SetTextBkColor(COLORREF colour) {
        return BOOL(Send(LVM_SETTEXTBKCOLOR, 0, LPARAM(colour)));
    }
    DWORD GetExtendedStyle() const { return DWORD(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) {
        return DWORD(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style)));
    }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
};
