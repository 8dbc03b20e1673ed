// The list view control's state (class WC_LISTVIEW), in report view.
//
// Items live in one array in display order; the rows on screen are the items from m_top for a
// page. Painting, hit testing and invalidation all take their rectangles from ItemRect and
// HeaderRect, and every cost of painting and scrolling follows the rows on screen, never the
// number of items. Indices kept across changes (the focused item, the selection mark) follow
// inserts and deletes.
#pragma once

#include "platform/commctrl/control.h"

#include <vector>

namespace commctrl {

// Room between a cell's edge and its text, in the rows and in the header.
constexpr int kTextPadding = 2;
constexpr int kHeaderPadding = 6;

struct ListItem {
    CString text;
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;
    std::vector<CString> sub; // sub-items 1, 2, ...
};

struct ListColumn {
    CString text;
    int width = 0;
    int fmt = LVCFMT_LEFT;
    int subItem = 0;
};

class ListView : public Control {
public:
    ListView(HWND hwnd, const CREATESTRUCT& cs);
    ~ListView() override;
    static Control* Make(HWND hwnd, const CREATESTRUCT& cs) { return new ListView(hwnd, cs); }
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- Items and columns (listview.cpp)
    LRESULT ItemMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT ColumnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    int InsertItem(const LVITEM& item);
    int SortedPlace(const CString& text) const;
    bool SetItem(const LVITEM& item);
    bool SetSubItemText(int index, int sub, LPCWSTR text);
    bool GetItem(LVITEM* item) const;
    const CString* SubText(int index, int sub) const;
    bool DeleteItem(int index);
    bool DeleteAllItems();
    int GetNextItem(int start, UINT flags) const;
    int FindItem(int start, const LVFINDINFO& find) const;
    int InsertColumn(int index, const LVCOLUMN& column);
    bool SetColumn(int index, const LVCOLUMN& column);
    bool GetColumn(int index, LVCOLUMN* column) const;
    bool SetColumnWidth(int index, int width);
    int AutoWidth(int index, int mode) const;
    HIMAGELIST SetImageList(int type, HIMAGELIST list);
    void ShiftIndices(int from, int by);

    // ---- Geometry and scrolling (listlayout.cpp)
    void Measure();
    int HeaderHeight() const;
    int ItemsTop() const;
    int PerPage() const;
    int TotalWidth() const;
    int ColumnLeft(int column) const;
    RECT HeaderRect() const;
    RECT ItemsArea() const;
    RECT ItemRect(int index, int code) const;
    RECT SubItemRect(int index, int column, int code) const;
    RECT SelectionRect(HDC dc, int index) const;
    LVHITTESTINFO HitTest(POINT pt, bool subItems) const;
    void ScrollRows(int delta);
    void ScrollPixels(int dx);
    bool ScrollMessage(int dx, int dy);
    void EnsureVisible(int index, bool partialOk);
    void UpdateScrollBars();
    void ClampScroll();
    void InvalidateRows(int first, int last);
    void InvalidateFrom(int first);

    // ---- Painting (listpaint.cpp)
    void Paint();
    bool Erase(HDC dc);
    void PaintHeader(HDC dc);
    void PaintRow(HDC dc, int index, const RECT& paint);
    void PaintLabel(HDC dc, int index, const RECT& cell, bool highlighted);

    // ---- State and input (listinput.cpp)
    bool ChangeState(int index, UINT state, UINT mask);
    bool ApplyState(int index, UINT state);
    void SetAllStates(UINT state, UINT mask);
    void SelectOnly(int index);
    LRESULT NotifyItem(UINT code, int index, UINT changed, UINT oldState, UINT newState);
    void ButtonDown(POINT pt, bool doubleClick);
    void ButtonUp();
    void KeyDown(UINT key);
    int KeyTarget(UINT key) const;
    void Scroll(int bar, UINT code);
    void FocusChanged(bool focused);

    bool Valid(int index) const { return index >= 0 && index < int(m_items.size()); }

    std::vector<ListItem> m_items;
    std::vector<ListColumn> m_columns;
    HIMAGELIST m_images[3] = {}; // LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE
    HFONT m_font = nullptr;
    COLORREF m_bk;
    COLORREF m_text;
    COLORREF m_textBk = CLR_DEFAULT;
    DWORD m_exStyle = 0;
    int m_top = 0;     // first row on screen
    int m_scrollX = 0; // pixels scrolled to the right
    int m_focused = -1;
    int m_mark = -1;
    int m_selectedCount = 0;
    int m_rowHeight = 1;
    int m_textHeight = 0;
    bool m_redraw = true;
    bool m_inBars = false;
    bool m_pressed = false; // a press in the list waits for its release (NM_CLICK)
    int m_pressItem = -1;
    POINT m_pressPoint = {};
};

} // namespace commctrl
