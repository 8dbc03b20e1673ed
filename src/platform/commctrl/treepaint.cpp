// Painting the tree view: dotted lines, buttons, images and labels of the rows on screen.
#include "platform/commctrl/treeview.h"

#include <algorithm>

namespace commctrl {
namespace {

constexpr int kButtonSize = 9;

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The dots sit where the content's x and the row's y add up to an even number, so lines stay
// joined from row to row and do not crawl when the tree scrolls sideways.
void DottedLine(HDC dc, int x0, int y0, int x1, int y1, int scrollX, int rowTop) {
    bool vertical = x0 == x1;
    int along = vertical ? y0 : x0;
    if ((x0 + scrollX + y0 - rowTop) & 1) ++along;
    if (vertical) {
        MoveToEx(dc, x0, along, nullptr);
        LineTo(dc, x1, y1);
    } else {
        MoveToEx(dc, along, y0, nullptr);
        LineTo(dc, x1, y1);
    }
}

} // namespace

COLORREF TreeView::Background() const {
    return m_bk == CLR_NONE ? GetSysColor(COLOR_WINDOW) : m_bk;
}

COLORREF TreeView::TextColour() const {
    return m_text == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
}

COLORREF TreeView::LineColour() const {
    return m_line == CLR_DEFAULT || m_line == CLR_NONE ? GetSysColor(COLOR_GRAYTEXT) : m_line;
}

bool TreeView::Erase(HDC dc) {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    Fill(dc, client, Background());
    return true;
}

void TreeView::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (!dc) return;
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    HPEN dots = CreatePen(PS_DOT, 1, LineColour());
    HGDIOBJ oldPen = SelectObject(dc, dots);
    // Walk from the first row on screen to the rows the paint reaches, and no further.
    int first = std::max(0, int(ps.rcPaint.top) / m_itemHeight);
    int last = (int(ps.rcPaint.bottom) - 1) / m_itemHeight;
    const TreeNode* node = m_top;
    for (int row = 0; node && row < first; ++row)
        node = m_items.NextShown(node);
    for (int row = first; node && row <= last; ++row, node = m_items.NextShown(node))
        PaintItem(dc, node, row, dots);
    SelectObject(dc, oldPen);
    DeleteObject(dots);
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

void TreeView::PaintLines(HDC dc, const TreeNode* node, int row, HPEN dots) {
    int top = row * m_itemHeight, bottom = top + m_itemHeight, middle = top + m_itemHeight / 2;
    int level = Level(node);
    if (level > 0) {
        int cx = level * m_indent - m_indent / 2 - m_scrollX;
        bool above = node->prev || node->parent != m_items.Root();
        DottedLine(dc, cx, above ? top : middle, cx, node->next ? bottom : middle + 1, m_scrollX,
                   top);
        DottedLine(dc, cx, middle, level * m_indent - m_scrollX, middle, m_scrollX, top);
    }
    // The lines of the levels above run on through this row to their next siblings.
    for (const TreeNode* a = node->parent; a != m_items.Root(); a = a->parent) {
        if (!a->next || Level(a) == 0) continue;
        int cx = Level(a) * m_indent - m_indent / 2 - m_scrollX;
        DottedLine(dc, cx, top, cx, bottom, m_scrollX, top);
    }
}

void TreeView::PaintButton(HDC dc, const TreeNode* node, int row) {
    int cx = Level(node) * m_indent - m_indent / 2 - m_scrollX;
    int cy = row * m_itemHeight + m_itemHeight / 2;
    int half = kButtonSize / 2;
    RECT box = {cx - half, cy - half, cx + half + 1, cy + half + 1};
    Fill(dc, box, Background());
    HBRUSH frame = CreateSolidBrush(LineColour());
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
    COLORREF sign = TextColour();
    Fill(dc, RECT{cx - half + 2, cy, cx + half - 1, cy + 1}, sign);
    if (!(node->state & TVIS_EXPANDED))
        Fill(dc, RECT{cx, cy - half + 2, cx + 1, cy + half - 1}, sign);
}

void TreeView::PaintItem(HDC dc, const TreeNode* node, int row, HPEN dots) {
    DWORD style = Style();
    if (style & TVS_HASLINES) PaintLines(dc, node, row, dots);
    if ((style & TVS_HASBUTTONS) && HasChildren(node) && Level(node) > 0)
        PaintButton(dc, node, row);
    RECT label = LabelRect(node, row);
    int cx = 0, cy = 0;
    if (m_normal && ImageList_GetIconSize(m_normal, &cx, &cy)) {
        int image = (node->state & TVIS_SELECTED) ? node->selectedImage : node->image;
        if (image >= 0)
            ImageList_Draw(m_normal, image, dc, Level(node) * m_indent - m_scrollX,
                           row * m_itemHeight + (m_itemHeight - cy) / 2, ILD_TRANSPARENT);
    }
    bool selected = (node->state & TVIS_SELECTED) && (HasFocus() || (style & TVS_SHOWSELALWAYS));
    bool highlighted = selected || (node->state & TVIS_DROPHILITED);
    bool bright = HasFocus() || (node->state & TVIS_DROPHILITED);
    if (highlighted) Fill(dc, label, GetSysColor(bright ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    SetTextColor(dc, highlighted ? GetSysColor(bright ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT)
                                 : TextColour());
    RECT text = label;
    InflateRect(&text, -2, 0);
    DrawText(dc, node->text.GetString(), node->text.GetLength(), &text,
             DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace commctrl
