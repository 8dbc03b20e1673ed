// The tree view control's state (class WC_TREEVIEW).
//
// The first row on screen is kept as an item (m_top) with its row number (m_topIndex), both
// brought up to date by every change above them, so painting starts there and walks only the
// rows on screen. Rows of items on screen are found by walking from m_top (a page at most);
// only items off screen need their row counted from the tree. Painting and hit testing take
// their rectangles from RowRect and LabelRect.
#pragma once

#include "platform/commctrl/control.h"
#include "platform/commctrl/treeitems.h"

namespace commctrl {

class TreeView : public Control {
public:
    TreeView(HWND hwnd, const CREATESTRUCT& cs);
    ~TreeView() override;
    static Control* Make(HWND hwnd, const CREATESTRUCT& cs) { return new TreeView(hwnd, cs); }
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- Items (treeview.cpp)
    LRESULT ItemMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT LookMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    HTREEITEM InsertItem(const TVINSERTSTRUCT& insert);
    TreeNode* PlaceAfter(TreeNode* parent, HTREEITEM after, const CString& text, bool* ok) const;
    bool DeleteItem(HTREEITEM item);
    void DeleteNode(TreeNode* node, bool reselect);
    bool GetItem(TVITEM* item) const;
    bool SetItem(const TVITEM& item);
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    bool GetItemRect(RECT* rect, bool textOnly) const;
    bool HasChildren(const TreeNode* node) const;
    void NotifyDelete(TreeNode* node);

    // ---- Expanding and selecting (treeinput.cpp)
    bool Expand(TreeNode* node, UINT code, bool notify);
    bool SelectItem(UINT code, HTREEITEM item);
    bool Select(TreeNode* node, UINT action);
    bool RevealAncestors(TreeNode* node);
    void ButtonDown(POINT pt, bool doubleClick);
    void ButtonUp();
    void KeyDown(UINT key);
    TreeNode* KeyTarget(UINT key);
    void Scroll(int bar, UINT code);
    LRESULT NotifyTree(UINT code, UINT action, TreeNode* oldItem, TreeNode* newItem);

    // ---- Geometry and scrolling (treelayout.cpp)
    void Measure();
    int RootLevel() const;
    int Level(const TreeNode* node) const;
    int Page() const;
    int ImageWidth() const;
    int RowOf(const TreeNode* node) const;
    RECT RowRect(int row) const;
    RECT LabelRect(const TreeNode* node, int row) const;
    int TextWidth(TreeNode* node) const;
    TVHITTESTINFO HitTest(POINT pt) const;
    void MeasureItem(TreeNode* node);
    void MeasureBelow(TreeNode* node);
    void MeasureAll();
    void Inserted(TreeNode* node);
    void Expanded(TreeNode* node);
    void Collapsing(TreeNode* node);
    void Deleting(TreeNode* node);
    void ScrollTo(int index);
    void ScrollPixels(int dx);
    bool EnsureVisible(TreeNode* node);
    void UpdateScrollBars();
    void ClampScroll();
    void InvalidateItem(const TreeNode* node);
    void InvalidateFrom(const TreeNode* node);
    const TreeNode* LineStart(const TreeNode* node) const;

    // ---- Painting (treepaint.cpp)
    void Paint();
    bool Erase(HDC dc);
    void PaintItem(HDC dc, const TreeNode* node, int row, HPEN dots);
    void PaintLines(HDC dc, const TreeNode* node, int row, HPEN dots);
    void PaintButton(HDC dc, const TreeNode* node, int row);
    COLORREF Background() const;
    COLORREF TextColour() const;
    COLORREF LineColour() const;

    TreeItems m_items;
    TreeNode* m_top = nullptr; // the first row on screen
    int m_topIndex = 0;
    TreeNode* m_selected = nullptr;
    TreeNode* m_drop = nullptr;
    int m_scrollX = 0;
    HIMAGELIST m_normal = nullptr;
    HIMAGELIST m_state = nullptr;
    HFONT m_font = nullptr;
    int m_textHeight = 0;
    int m_itemHeight = 2;
    int m_indent = 0;
    int m_setHeight = -1;     // TVM_SETITEMHEIGHT, -1 for the natural height
    int m_setIndent = -1;     // TVM_SETINDENT, -1 for the natural indent
    COLORREF m_bk = CLR_NONE; // CLR_NONE: the system colour
    COLORREF m_text = CLR_NONE;
    COLORREF m_line = CLR_DEFAULT;
    int m_maxWidth = 0;              // widest row measured, for the horizontal bar
    mutable HDC m_measure = nullptr; // measuring context with the font selected
    bool m_redraw = true;
    bool m_inBars = false;
    bool m_pressed = false;
};

} // namespace commctrl
