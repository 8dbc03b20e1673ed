// Painting the list view: the header of column captions and the rows that the paint reaches.
#include "platform/commctrl/listview.h"

#include <algorithm>

namespace commctrl {
namespace {

UINT Align(int fmt) {
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

bool ListView::Erase(HDC dc) {
    if (m_bk == CLR_NONE) return false;
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    Fill(dc, client, m_bk);
    return true;
}

void ListView::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (!dc) return;
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    if (Overlaps(ps.rcPaint, HeaderRect())) PaintHeader(dc);
    int top = ItemsTop();
    if (ps.rcPaint.bottom > top && !m_items.empty()) {
        // Only the rows the paint reaches: the cost follows the screen, not the item count.
        int first = m_top + std::max(0, int(ps.rcPaint.top) - top) / m_rowHeight;
        int last = m_top + (int(ps.rcPaint.bottom) - 1 - top) / m_rowHeight;
        last = std::min(last, int(m_items.size()) - 1);
        IntersectClipRect(dc, 0, top, int(ps.rcPaint.right), int(ps.rcPaint.bottom));
        for (int i = first; i <= last; ++i)
            PaintRow(dc, i, ps.rcPaint);
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

void ListView::PaintHeader(HDC dc) {
    RECT header = HeaderRect();
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int x = -m_scrollX;
    for (const ListColumn& column : m_columns) {
        RECT cell = {x, 0, x + column.width, header.bottom};
        x += column.width;
        if (cell.right <= 0 || cell.left >= header.right) continue;
        DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
        RECT text = {cell.left + kHeaderPadding, 0, cell.right - kHeaderPadding, header.bottom};
        DrawCellText(dc, column.text, text, Align(column.fmt));
    }
    // The header continues, empty, to the list's right edge.
    RECT rest = {std::max<LONG>(x, 0), 0, header.right, header.bottom};
    if (!IsRectEmpty(&rest)) DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
}

void ListView::PaintRow(HDC dc, int index, const RECT& paint) {
    const ListItem& item = m_items[size_t(index)];
    RECT bounds = ItemRect(index, LVIR_BOUNDS);
    bool highlighted =
        (item.state & LVIS_SELECTED) && (HasFocus() || (Style() & LVS_SHOWSELALWAYS));
    bool fullRow = m_exStyle & LVS_EX_FULLROWSELECT;
    if (m_textBk != CLR_DEFAULT && m_textBk != CLR_NONE) Fill(dc, bounds, m_textBk);
    if (highlighted && fullRow)
        Fill(dc, SelectionRect(dc, index),
             GetSysColor(HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    COLORREF plain = m_text,
             selected = GetSysColor(HasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    for (int c = 0; c < int(m_columns.size()); ++c) {
        RECT cell = SubItemRect(index, c, LVIR_BOUNDS);
        if (cell.right <= paint.left || cell.left >= paint.right) continue;
        if (c == 0) {
            PaintLabel(dc, index, cell, highlighted);
            continue;
        }
        const ListColumn& column = m_columns[size_t(c)];
        SetTextColor(dc, highlighted && fullRow ? selected : plain);
        RECT text = {cell.left + kHeaderPadding, cell.top, cell.right - kHeaderPadding,
                     cell.bottom};
        DrawCellText(dc, *SubText(index, column.subItem), text, Align(column.fmt));
    }
}

// The first column: the small image and the item's text, highlighted when selected.
void ListView::PaintLabel(HDC dc, int index, const RECT& cell, bool highlighted) {
    const ListItem& item = m_items[size_t(index)];
    int saved = SaveDC(dc);
    IntersectClipRect(dc, int(cell.left), int(cell.top), int(cell.right), int(cell.bottom));
    HIMAGELIST small = m_images[LVSIL_SMALL];
    int cx = 0, cy = 0;
    if (small && item.image >= 0 && ImageList_GetIconSize(small, &cx, &cy)) {
        RECT icon = ItemRect(index, LVIR_ICON);
        ImageList_Draw(small, item.image, dc, int(icon.left),
                       int(icon.top) + (m_rowHeight - cy) / 2, ILD_TRANSPARENT);
    }
    bool fullRow = m_exStyle & LVS_EX_FULLROWSELECT;
    if (highlighted && !fullRow)
        Fill(dc, SelectionRect(dc, index),
             GetSysColor(HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    SetTextColor(dc, highlighted ? GetSysColor(HasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT)
                                 : m_text);
    RECT label = ItemRect(index, LVIR_LABEL);
    RECT text = {label.left + kTextPadding, label.top, label.right - kTextPadding, label.bottom};
    DrawCellText(dc, item.text, text, DT_LEFT);
    RestoreDC(dc, saved);
}

} // namespace commctrl
