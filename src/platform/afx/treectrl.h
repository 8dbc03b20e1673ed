// CTreeCtrl: the framework's wrapper of the tree view control, one member function per
// message. A class derived from it may catch the tree's own notifications with
// ON_NOTIFY_REFLECT.
#pragma once

#include "platform/afx/imagelist.h"
#include "platform/afx/wnd.h"
#include "platform/commctrl/commctrl.h"

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() = default;

    // Registers the common controls' classes and makes the tree as a child of parent.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- Items
    HTREEITEM InsertItem(LPTVINSERTSTRUCT insert) {
        return HTREEITEM(Send(TVM_INSERTITEM, 0, LPARAM(insert)));
    }
    HTREEITEM InsertItem(UINT mask, LPCWSTR text, int image, int selectedImage, UINT state,
                         UINT stateMask, LPARAM lParam, HTREEITEM parent, HTREEITEM after);
    HTREEITEM InsertItem(LPCWSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCWSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item) { return BOOL(Send(TVM_DELETEITEM, 0, LPARAM(item))); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM item, UINT code) {
        return BOOL(Send(TVM_EXPAND, WPARAM(code), LPARAM(item)));
    }
    UINT GetCount() const { return UINT(Send(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return UINT(Send(TVM_GETVISIBLECOUNT)); }

    // ---- Walking the tree
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return HTREEITEM(Send(TVM_GETNEXTITEM, WPARAM(code), LPARAM(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const {
        return GetNextItem(item, TVGN_NEXTVISIBLE);
    }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const {
        return GetNextItem(item, TVGN_PREVIOUSVISIBLE);
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM item) const;

    // ---- Selecting and showing
    BOOL Select(HTREEITEM item, UINT code) {
        return BOOL(Send(TVM_SELECTITEM, WPARAM(code), LPARAM(item)));
    }
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    BOOL EnsureVisible(HTREEITEM item) { return BOOL(Send(TVM_ENSUREVISIBLE, 0, LPARAM(item))); }
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const {
        return HTREEITEM(Send(TVM_HITTEST, 0, LPARAM(info)));
    }
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;

    // ---- Item attributes
    BOOL GetItem(TVITEM* item) const { return BOOL(Send(TVM_GETITEM, 0, LPARAM(item))); }
    BOOL SetItem(TVITEM* item) { return BOOL(Send(TVM_SETITEM, 0, LPARAM(item))); }
    BOOL SetItem(HTREEITEM item, UINT mask, LPCWSTR text, int image, int selectedImage, UINT state,
                 UINT stateMask, LPARAM lParam);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCWSTR text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    UINT GetItemState(HTREEITEM item, UINT stateMask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT stateMask);

    // ---- Looks
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(UINT type) const;
    UINT GetIndent() const { return UINT(Send(TVM_GETINDENT)); }
    void SetIndent(UINT indent) { Send(TVM_SETINDENT, indent); }
    int GetItemHeight() const { return int(Send(TVM_GETITEMHEIGHT)); }
    int SetItemHeight(SHORT height) { return int(Send(TVM_SETITEMHEIGHT, WPARAM(WORD(height)))); }
    COLORREF GetBkColor() const { return COLORREF(Send(TVM_GETBKCOLOR)); }
    COLORREF SetBkColor(COLORREF colour) { return COLORREF(Send(TVM_SETBKCOLOR, 0, colour)); }
    COLORREF GetTextColor() const { return COLORREF(Send(TVM_GETTEXTCOLOR)); }
    COLORREF SetTextColor(COLORREF colour) { return COLORREF(Send(TVM_SETTEXTCOLOR, 0, colour)); }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
};
