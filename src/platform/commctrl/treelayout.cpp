// The tree view's geometry: rows, indents and labels, hit tests, keeping the first row on
// screen up to date, scrolling and the scroll bars.
#include "platform/commctrl/treeview.h"

#include <algorithm>
#include <cstdlib>

namespace commctrl {
namespace {

constexpr int kMinIndent = 19;
constexpr int kImageGap = 3;     // between an item's image and its label
constexpr int kLabelPadding = 2; // around the label's text, inside its box
constexpr int kLineScroll = 8;   // pixels of one horizontal arrow step
constexpr int kWalkLimit = 64;   // farther scrolls find the new first row from the tree

} // namespace

void TreeView::Measure() {
    m_textHeight = FontHeight(m_font);
    int cx = 0, cy = 0;
    if (m_normal) ImageList_GetIconSize(m_normal, &cx, &cy);
    int height = m_setHeight > 0 ? m_setHeight : std::max(m_textHeight, cy) + 2;
    // Even rows keep the dotted lines joined from one row to the next.
    if (!(Style() & TVS_NONEVENHEIGHT)) height += height & 1;
    m_itemHeight = std::max(height, 2);
    m_indent = m_setIndent >= 0 ? std::max(m_setIndent, 2) : std::max(kMinIndent, cx + kImageGap);
}

int TreeView::RootLevel() const {
    DWORD style = Style();
    return (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS)) ? 1 : 0;
}

int TreeView::Level(const TreeNode* node) const {
    return node->depth + RootLevel();
}

int TreeView::Page() const {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    return int(client.bottom) / m_itemHeight;
}

int TreeView::ImageWidth() const {
    int cx = 0, cy = 0;
    return m_normal && ImageList_GetIconSize(m_normal, &cx, &cy) ? cx + kImageGap : 0;
}

// The item's row counted from the first row on screen, or -1 when it is not on screen.
int TreeView::RowOf(const TreeNode* node) const {
    if (!node) return -1;
    int page = Page();
    const TreeNode* n = m_top;
    for (int row = 0; n && row <= page; ++row, n = m_items.NextShown(n))
        if (n == node) return row;
    return -1;
}

RECT TreeView::RowRect(int row) const {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    return RECT{0, row * m_itemHeight, client.right, (row + 1) * m_itemHeight};
}

int TreeView::TextWidth(TreeNode* node) const {
    if (node->width < 0) {
        if (!m_measure) {
            m_measure = CreateCompatibleDC(nullptr);
            SelectObject(m_measure, ControlFont(m_font));
        }
        node->width = commctrl::TextWidth(m_measure, node->text);
    }
    return node->width;
}

RECT TreeView::LabelRect(const TreeNode* node, int row) const {
    int left = Level(node) * m_indent - m_scrollX + ImageWidth();
    int width = TextWidth(const_cast<TreeNode*>(node)) + 2 * kLabelPadding;
    return RECT{left, row * m_itemHeight, left + width, (row + 1) * m_itemHeight};
}

TVHITTESTINFO TreeView::HitTest(POINT pt) const {
    TVHITTESTINFO h = {pt, 0, nullptr};
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    if (pt.x < 0) h.flags |= TVHT_TOLEFT;
    if (pt.x >= client.right) h.flags |= TVHT_TORIGHT;
    if (pt.y < 0) h.flags |= TVHT_ABOVE;
    if (pt.y >= client.bottom) h.flags |= TVHT_BELOW;
    if (h.flags) return h;
    const TreeNode* node = m_top;
    for (int row = int(pt.y) / m_itemHeight; node && row > 0; --row)
        node = m_items.NextShown(node);
    if (!node) {
        h.flags = TVHT_NOWHERE;
        return h;
    }
    h.hItem = node->handle;
    int x0 = Level(node) * m_indent - m_scrollX;
    RECT label = LabelRect(node, 0);
    bool button = (Style() & TVS_HASBUTTONS) && HasChildren(node) && Level(node) > 0;
    if (pt.x < x0 - m_indent)
        h.flags = TVHT_ONITEMINDENT;
    else if (pt.x < x0)
        h.flags = button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (pt.x < label.left)
        h.flags = m_normal ? TVHT_ONITEMICON : TVHT_ONITEMLABEL;
    else
        h.flags = pt.x < label.right ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
    return h;
}

// ---- Widths for the horizontal bar -----------------------------------------------------------

void TreeView::MeasureItem(TreeNode* node) {
    node->width = -1;
    RECT label = LabelRect(node, 0);
    m_maxWidth = std::max(m_maxWidth, int(label.right) + m_scrollX);
}

// The rows an expansion brought on: the shown items below node.
void TreeView::MeasureBelow(TreeNode* node) {
    TreeNode* end = m_items.NextAfterSubtree(node);
    for (TreeNode* n = m_items.NextShown(node); n && n != end; n = m_items.NextShown(n))
        MeasureItem(n);
}

void TreeView::MeasureAll() {
    if (m_measure) SelectObject(m_measure, ControlFont(m_font));
    m_maxWidth = 0;
    for (TreeNode* n = m_items.FirstShown(); n; n = m_items.NextShown(n))
        MeasureItem(n);
}

// ---- Keeping the first row on screen ---------------------------------------------------------

void TreeView::Inserted(TreeNode* node) {
    if (!m_top) {
        m_top = m_items.FirstShown();
        m_topIndex = 0;
    } else if (m_items.Before(node, m_top)) {
        ++m_topIndex; // the same item stays first; rows above it grew
    }
}

void TreeView::Expanded(TreeNode* node) {
    int added = node->rows - 1;
    if (added && m_top && m_items.Before(node, m_top)) m_topIndex += added;
}

void TreeView::Collapsing(TreeNode* node) {
    int gone = node->rows - 1;
    if (!m_top || !gone) return;
    if (m_items.IsAncestor(node, m_top)) {
        m_topIndex = m_items.IndexOf(node);
        m_top = node;
    } else if (m_items.Before(node, m_top)) {
        m_topIndex -= gone;
    }
}

void TreeView::Deleting(TreeNode* node) {
    if (!m_top) return;
    if (m_top == node || m_items.IsAncestor(node, m_top)) {
        TreeNode* next = m_items.NextAfterSubtree(node);
        TreeNode* prev = next ? nullptr : m_items.PrevShown(node);
        m_topIndex = next ? m_items.IndexOf(node) : (prev ? m_items.IndexOf(prev) : 0);
        m_top = next ? next : prev;
    } else if (m_items.Before(node, m_top)) {
        m_topIndex -= node->rows;
    }
}

// ---- Scrolling -------------------------------------------------------------------------------

void TreeView::ScrollTo(int index) {
    int page = std::max(1, Page());
    index = std::clamp(index, 0, std::max(0, m_items.TotalRows() - page));
    if (!m_top || index == m_topIndex) return;
    int delta = index - m_topIndex;
    if (std::abs(delta) <= kWalkLimit) {
        for (int i = 0; i < delta; ++i)
            m_top = m_items.NextShown(m_top);
        for (int i = 0; i > delta; --i)
            m_top = m_items.PrevShown(m_top);
    } else {
        m_top = m_items.AtIndex(index);
    }
    m_topIndex = index;
    if (!m_redraw) return;
    if (std::abs(delta) < page)
        ScrollWindowEx(m_hwnd, 0, -delta * m_itemHeight, nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE | SW_ERASE);
    else
        InvalidateRect(m_hwnd, nullptr, TRUE);
    SetScrollPos(m_hwnd, SB_VERT, m_topIndex, TRUE);
}

void TreeView::ScrollPixels(int dx) {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int last = std::max(0, m_maxWidth - int(client.right));
    int x = int(std::clamp<int64_t>(int64_t(m_scrollX) + dx, 0, last));
    if (x == m_scrollX) return;
    int moved = x - m_scrollX;
    m_scrollX = x;
    if (!m_redraw) return;
    ScrollWindowEx(m_hwnd, -moved, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    SetScrollPos(m_hwnd, SB_HORZ, m_scrollX, TRUE);
}

// Expands the items above (with notifications) and scrolls so that the item's row is on
// screen; false when it could not be shown.
bool TreeView::EnsureVisible(TreeNode* node) {
    if (!node || !RevealAncestors(node) || !(node = m_items.Find(node->handle))) return false;
    int page = std::max(1, Page());
    if (m_top && m_items.Before(node, m_top)) {
        ScrollTo(m_items.IndexOf(node));
    } else {
        int row = RowOf(node);
        if (row < 0 || row >= page) ScrollTo(m_items.IndexOf(node) - page + 1);
    }
    return true;
}

void TreeView::UpdateScrollBars() {
    if (m_inBars || !m_redraw || (Style() & TVS_NOSCROLL)) return;
    m_inBars = true;
    SettleScrollBars(m_hwnd, [this](const RECT& client, SCROLLINFO& v, SCROLLINFO& h) {
        v.nMax = m_items.TotalRows() - 1, v.nPage = UINT(std::max(1, Page())), v.nPos = m_topIndex;
        h.nMax = m_maxWidth - 1, h.nPage = UINT(client.right), h.nPos = m_scrollX;
    });
    m_inBars = false;
    ClampScroll();
}

// The last page stays full, and an emptied tree starts again at its top.
void TreeView::ClampScroll() {
    if (!m_top) {
        m_top = m_items.FirstShown();
        m_topIndex = 0;
    }
    int last = std::max(0, m_items.TotalRows() - std::max(1, Page()));
    if (m_topIndex > last) ScrollTo(last);
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int lastX = std::max(0, m_maxWidth - int(client.right));
    if (m_scrollX > lastX) ScrollPixels(lastX - m_scrollX);
}

void TreeView::InvalidateItem(const TreeNode* node) {
    int row = m_redraw ? RowOf(node) : -1;
    if (row < 0) return;
    RECT r = RowRect(row);
    InvalidateRect(m_hwnd, &r, TRUE);
}

// Rows from the item's down change (and the lines through them): what shows is repainted.
void TreeView::InvalidateFrom(const TreeNode* node) {
    if (!m_redraw) return;
    if (!m_top || m_items.Before(node, m_top)) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return;
    }
    int row = RowOf(node);
    if (row < 0) return;
    RECT r = RowRect(row);
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    r.bottom = client.bottom;
    InvalidateRect(m_hwnd, &r, TRUE);
}

// Where a change at the item starts to show: the line from the sibling before it, else the
// parent's button.
const TreeNode* TreeView::LineStart(const TreeNode* node) const {
    if (node->prev) return node->prev;
    return node->parent != m_items.Root() ? node->parent : node;
}

void TreeView::Scroll(int bar, UINT code) {
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    int page = bar == SB_VERT ? std::max(1, Page()) : std::max<int>(1, client.right);
    int pos = bar == SB_VERT ? m_topIndex : m_scrollX;
    int target = pos;
    if (!ScrollRequest(m_hwnd, bar, code, pos, bar == SB_VERT ? 1 : kLineScroll, page, &target))
        return;
    if (bar == SB_VERT)
        ScrollTo(target);
    else
        ScrollPixels(target - pos);
}

} // namespace commctrl
