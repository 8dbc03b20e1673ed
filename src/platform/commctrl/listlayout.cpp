// The list view's geometry: rows, columns, hit tests, scrolling and the scroll bars.
#include "platform/commctrl/listview.h"

#include <algorithm>
#include <cstdlib>

namespace commctrl {
namespace {

constexpr int kLineScroll = 8; // pixels of one horizontal arrow step

bool Inside(const RECT& r, POINT pt) {
    return PtInRect(&r, pt) != FALSE;
}

} // namespace

void ListView::Measure() {
    m_textHeight = FontHeight(m_font);
    int imageHeight = 0, imageWidth = 0;
    if (m_images[LVSIL_SMALL])
        ImageList_GetIconSize(m_images[LVSIL_SMALL], &imageWidth, &imageHeight);
    m_rowHeight = std::max(m_textHeight, imageHeight) + 1;
}

int ListView::HeaderHeight() const {
    return (Style() & LVS_NOCOLUMNHEADER) ? 0 : m_textHeight + 2 * 3;
}

int ListView::ItemsTop() const {
    return HeaderHeight();
}

int ListView::PerPage() const {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    return std::max(0, int(client.bottom) - ItemsTop()) / m_rowHeight;
}

int ListView::TotalWidth() const {
    int width = 0;
    for (const ListColumn& c : m_columns)
        width += c.width;
    return width;
}

int ListView::ColumnLeft(int column) const {
    int x = -m_scrollX;
    for (int c = 0; c < column && c < int(m_columns.size()); ++c)
        x += m_columns[size_t(c)].width;
    return x;
}

RECT ListView::HeaderRect() const {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    return RECT{0, 0, client.right, HeaderHeight()};
}

RECT ListView::ItemsArea() const {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    client.top = std::min<LONG>(ItemsTop(), client.bottom);
    return client;
}

RECT ListView::ItemRect(int index, int code) const {
    int top = ItemsTop() + (index - m_top) * m_rowHeight, bottom = top + m_rowHeight;
    if (code == LVIR_BOUNDS) return RECT{-m_scrollX, top, TotalWidth() - m_scrollX, bottom};
    int iconWidth = 0, iconHeight = 0;
    if (m_images[LVSIL_SMALL])
        ImageList_GetIconSize(m_images[LVSIL_SMALL], &iconWidth, &iconHeight);
    int left = -m_scrollX + kTextPadding + m_items[size_t(index)].indent * iconWidth;
    RECT icon = {left, top, left + iconWidth, bottom};
    if (code == LVIR_ICON) return icon;
    int columnRight = m_columns.empty() ? 0 : m_columns[0].width - m_scrollX;
    LONG labelLeft = icon.right + (iconWidth ? kTextPadding : 0);
    RECT label = {labelLeft, top, std::max<LONG>(labelLeft, columnRight), bottom};
    if (code == LVIR_LABEL) return label;
    return RECT{icon.left, top, label.right, bottom}; // LVIR_SELECTBOUNDS
}

RECT ListView::SubItemRect(int index, int column, int code) const {
    if (column == 0) return ItemRect(index, code);
    RECT row = ItemRect(index, LVIR_BOUNDS);
    int left = ColumnLeft(column);
    return RECT{left, row.top, left + m_columns[size_t(column)].width, row.bottom};
}

// What a selection highlights: the label's text, or the whole row with LVS_EX_FULLROWSELECT.
RECT ListView::SelectionRect(HDC dc, int index) const {
    RECT label = ItemRect(index, LVIR_LABEL);
    if (m_exStyle & LVS_EX_FULLROWSELECT) {
        label.right = std::max<LONG>(label.right, TotalWidth() - m_scrollX);
        return label;
    }
    int width = TextWidth(dc, m_items[size_t(index)].text) + 2 * kTextPadding;
    label.right = std::min<LONG>(label.right, label.left + width);
    return label;
}

LVHITTESTINFO ListView::HitTest(POINT pt, bool subItems) const {
    LVHITTESTINFO h = {pt, 0, -1, 0};
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    if (pt.x < 0) h.flags |= LVHT_TOLEFT;
    if (pt.x >= client.right) h.flags |= LVHT_TORIGHT;
    if (pt.y < ItemsTop()) h.flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom) h.flags |= LVHT_BELOW;
    if (h.flags) return h;
    int row = m_top + (int(pt.y) - ItemsTop()) / m_rowHeight;
    h.flags = LVHT_NOWHERE;
    if (row >= int(m_items.size())) return h;
    bool rowWide = subItems || (m_exStyle & LVS_EX_FULLROWSELECT);
    if (Inside(ItemRect(row, LVIR_ICON), pt))
        h.flags = LVHT_ONITEMICON;
    else if (Inside(ItemRect(row, LVIR_LABEL), pt) ||
             (rowWide && Inside(ItemRect(row, LVIR_BOUNDS), pt)))
        h.flags = LVHT_ONITEMLABEL;
    if (!(h.flags & LVHT_ONITEM)) return h;
    h.iItem = row;
    for (int c = int(m_columns.size()) - 1; c > 0 && subItems; --c)
        if (pt.x >= ColumnLeft(c)) {
            h.iSubItem = m_columns[size_t(c)].subItem;
            break;
        }
    return h;
}

// ---- Scrolling -------------------------------------------------------------------------------

void ListView::ScrollRows(int delta) {
    int per = std::max(1, PerPage());
    int last = std::max(0, int(m_items.size()) - per);
    int top = int(std::clamp<int64_t>(int64_t(m_top) + delta, 0, last));
    if (top == m_top) return;
    int moved = top - m_top;
    m_top = top;
    if (!m_redraw) return;
    RECT area = ItemsArea();
    // Rows still on screen move; only the rows that come in are painted.
    if (std::abs(moved) < per)
        ScrollWindowEx(m_hwnd, 0, -moved * m_rowHeight, &area, &area, nullptr, nullptr,
                       SW_INVALIDATE | SW_ERASE);
    else
        InvalidateRect(m_hwnd, &area, TRUE);
    SetScrollPos(m_hwnd, SB_VERT, m_top, TRUE);
}

void ListView::ScrollPixels(int dx) {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int last = std::max(0, TotalWidth() - int(client.right));
    int x = int(std::clamp<int64_t>(int64_t(m_scrollX) + dx, 0, last));
    if (x == m_scrollX) return;
    int moved = x - m_scrollX;
    m_scrollX = x;
    if (!m_redraw) return;
    ScrollWindowEx(m_hwnd, -moved, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    SetScrollPos(m_hwnd, SB_HORZ, m_scrollX, TRUE);
}

// LVM_SCROLL: vertical pixels become the nearest whole number of rows.
bool ListView::ScrollMessage(int dx, int dy) {
    int64_t half = m_rowHeight / 2;
    int64_t rows = (int64_t(dy) + (dy < 0 ? -half : half)) / m_rowHeight;
    ScrollRows(int(std::clamp<int64_t>(rows, -int64_t(m_items.size()), int64_t(m_items.size()))));
    if (dx) ScrollPixels(dx);
    return true;
}

void ListView::EnsureVisible(int index, bool partialOk) {
    int per = PerPage();
    if (index < m_top) {
        ScrollRows(index - m_top);
    } else if (index >= m_top + per) {
        RECT area = ItemsArea();
        bool partlyShown = index == m_top + per && ItemRect(index, LVIR_BOUNDS).top < area.bottom;
        if (!(partialOk && partlyShown)) ScrollRows(index - (m_top + std::max(per, 1) - 1));
    }
}

void ListView::UpdateScrollBars() {
    if (m_inBars || !m_redraw || (Style() & LVS_NOSCROLL)) return;
    m_inBars = true;
    SettleScrollBars(m_hwnd, [this](const RECT& client, SCROLLINFO& v, SCROLLINFO& h) {
        v.nMax = int(m_items.size()) - 1, v.nPage = UINT(std::max(1, PerPage())), v.nPos = m_top;
        h.nMax = TotalWidth() - 1, h.nPage = UINT(client.right), h.nPos = m_scrollX;
    });
    m_inBars = false;
    ClampScroll();
}

// After the list shrank or grew, the last page stays full and nothing scrolls past the end.
void ListView::ClampScroll() {
    int last = std::max(0, int(m_items.size()) - std::max(1, PerPage()));
    if (m_top > last) ScrollRows(last - m_top);
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int lastX = std::max(0, TotalWidth() - int(client.right));
    if (m_scrollX > lastX) ScrollPixels(lastX - m_scrollX);
}

void ListView::InvalidateRows(int first, int last) {
    if (!m_redraw || m_items.empty()) return;
    first = std::max({first, m_top, 0});
    last = std::min({last, m_top + PerPage(), int(m_items.size()) - 1});
    if (first > last) return;
    RECT area = ItemsArea();
    RECT rows = {area.left, ItemRect(first, LVIR_BOUNDS).top, area.right,
                 ItemRect(last, LVIR_BOUNDS).bottom};
    InvalidateRect(m_hwnd, &rows, TRUE);
}

// Rows from first down changed (inserted or deleted there): what shows of them is repainted.
void ListView::InvalidateFrom(int first) {
    if (!m_redraw || first > m_top + PerPage()) return;
    RECT area = ItemsArea();
    if (first > m_top) area.top = ItemRect(first, LVIR_BOUNDS).top;
    InvalidateRect(m_hwnd, &area, TRUE);
}

void ListView::Scroll(int bar, UINT code) {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int page = bar == SB_VERT ? std::max(1, PerPage()) : std::max<int>(1, client.right);
    int pos = bar == SB_VERT ? m_top : m_scrollX;
    int target = pos;
    if (!ScrollRequest(m_hwnd, bar, code, pos, bar == SB_VERT ? 1 : kLineScroll, page, &target))
        return;
    if (bar == SB_VERT)
        ScrollRows(target - pos);
    else
        ScrollPixels(target - pos);
}

} // namespace commctrl
