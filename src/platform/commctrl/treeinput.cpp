// The tree view's expanding and selecting, with their notifications, and its input: taps on
// buttons and labels, keys and scroll-bar codes.
#include "platform/commctrl/treeview.h"

namespace commctrl {
namespace {

void Describe(TVITEM& item, const TreeNode* node) {
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = node ? node->handle : nullptr;
    item.state = node ? node->state : 0;
    item.stateMask = 0xFFFFFFFFu;
    item.lParam = node ? node->param : 0;
}

} // namespace

LRESULT TreeView::NotifyTree(UINT code, UINT action, TreeNode* oldItem, TreeNode* newItem) {
    NMTREEVIEW nm = {};
    nm.action = action;
    Describe(nm.itemOld, oldItem);
    Describe(nm.itemNew, newItem);
    return Notify(m_hwnd, code, &nm.hdr);
}

// TVM_EXPAND notifies nobody; a tap or a key does, and the parent may refuse. Collapsing an
// item with the selection below it selects the item.
bool TreeView::Expand(TreeNode* node, UINT code, bool notify) {
    if (!node) return false;
    UINT action = code & TVE_ACTIONMASK;
    bool expanded = node->state & TVIS_EXPANDED;
    bool expand = action == TVE_EXPAND || (action == TVE_TOGGLE && !expanded);
    if (!action || (expand && !HasChildren(node))) return false;
    if (expand == expanded && !(code & TVE_COLLAPSERESET)) return true;
    HTREEITEM handle = node->handle;
    UINT what = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (notify && NotifyTree(TVN_ITEMEXPANDING, what, nullptr, node)) return false;
    if (!(node = m_items.Find(handle))) return false;
    if (!expand && m_items.IsAncestor(node, m_selected)) Select(node, TVC_UNKNOWN);
    if (!(node = m_items.Find(handle))) return false;
    bool shown = m_items.IsShown(node);
    if (shown && !expand) Collapsing(node);
    m_items.SetExpanded(node, expand);
    if (expand) node->state |= TVIS_EXPANDEDONCE;
    if (shown && expand) {
        Expanded(node);
        MeasureBelow(node);
    }
    if (!expand && (code & TVE_COLLAPSERESET)) {
        while (node->first)
            DeleteNode(node->first, false);
        node->state &= ~UINT(TVIS_EXPANDEDONCE);
    }
    if (shown) {
        InvalidateFrom(node);
        UpdateScrollBars();
        ClampScroll();
    }
    if (notify) NotifyTree(TVN_ITEMEXPANDED, what, nullptr, node);
    return true;
}

// Expands every collapsed item above node, as a user would (with notifications).
bool TreeView::RevealAncestors(TreeNode* node) {
    HTREEITEM handle = node->handle;
    std::vector<HTREEITEM> closed;
    for (TreeNode* p = node->parent; p != m_items.Root(); p = p->parent)
        if (!(p->state & TVIS_EXPANDED)) closed.push_back(p->handle);
    for (auto it = closed.rbegin(); it != closed.rend(); ++it)
        if (TreeNode* p = m_items.Find(*it)) Expand(p, TVE_EXPAND, true);
    node = m_items.Find(handle);
    return node && m_items.IsShown(node);
}

// The parent may refuse with TVN_SELCHANGING; the new selection is brought on screen.
bool TreeView::Select(TreeNode* node, UINT action) {
    if (node == m_selected) return true;
    HTREEITEM handle = node ? node->handle : nullptr;
    if (NotifyTree(TVN_SELCHANGING, action, m_selected, node)) return false;
    if (handle && !(node = m_items.Find(handle))) return false;
    TreeNode* old = m_selected;
    if (old) {
        old->state &= ~UINT(TVIS_SELECTED);
        InvalidateItem(old);
    }
    m_selected = node;
    if (node) {
        node->state |= TVIS_SELECTED;
        EnsureVisible(node);
        InvalidateItem(node);
    }
    NotifyTree(TVN_SELCHANGED, action, old, m_items.Find(handle));
    return true;
}

bool TreeView::SelectItem(UINT code, HTREEITEM item) {
    TreeNode* node = m_items.Find(item);
    if (item && !node) return false;
    switch (code) {
    case TVGN_CARET:
        if (node && !RevealAncestors(node)) return false;
        return Select(m_items.Find(item), TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        if (m_drop) {
            m_drop->state &= ~UINT(TVIS_DROPHILITED);
            InvalidateItem(m_drop);
        }
        m_drop = node;
        if (node) node->state |= TVIS_DROPHILITED;
        InvalidateItem(node);
        return true;
    case TVGN_FIRSTVISIBLE:
        if (!node || !RevealAncestors(node) || !(node = m_items.Find(item))) return false;
        ScrollTo(m_items.IndexOf(node));
        return true;
    default:
        return false;
    }
}

// A tap on a button expands or collapses; on an image or label it selects. Its release
// notifies NM_CLICK; a second tap soon after notifies NM_DBLCLK and, unless the parent
// answers it, toggles the item.
void TreeView::ButtonDown(POINT pt, bool doubleClick) {
    if (!HasFocus()) SetFocus(m_hwnd);
    if (ForwardBarPress(m_hwnd, pt)) return;
    TVHITTESTINFO hit = HitTest(pt);
    TreeNode* node = m_items.Find(hit.hItem);
    if (doubleClick) {
        NMHDR header = {};
        bool answered = Notify(m_hwnd, NM_DBLCLK, &header) != 0;
        if ((node = m_items.Find(hit.hItem)) && !answered &&
            (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)))
            Expand(node, TVE_TOGGLE, true);
        return;
    }
    if (node && (hit.flags & TVHT_ONITEMBUTTON))
        Expand(node, TVE_TOGGLE, true);
    else if (node && (hit.flags & TVHT_ONITEM))
        Select(node, TVC_BYMOUSE);
    m_pressed = true;
    SetCapture(m_hwnd);
}

void TreeView::ButtonUp() {
    if (!m_pressed) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    NMHDR header = {};
    Notify(m_hwnd, NM_CLICK, &header);
}

TreeNode* TreeView::KeyTarget(UINT key) {
    TreeNode* current = m_selected;
    int page = std::max(1, Page());
    switch (key) {
    case VK_UP:
        return current ? m_items.PrevShown(current) : m_items.FirstShown();
    case VK_DOWN:
        return current ? m_items.NextShown(current) : m_items.FirstShown();
    case VK_HOME:
        return m_items.FirstShown();
    case VK_END:
        return m_items.LastShown();
    case VK_PRIOR:
    case VK_NEXT: {
        TreeNode* n = current ? current : m_items.FirstShown();
        for (int i = 1; n && i < page; ++i) {
            TreeNode* step = key == VK_NEXT ? m_items.NextShown(n) : m_items.PrevShown(n);
            if (!step) break;
            n = step;
        }
        return n;
    }
    case VK_LEFT:
        if (current && (current->state & TVIS_EXPANDED) && HasChildren(current)) {
            Expand(current, TVE_COLLAPSE, true);
            return nullptr;
        }
        return current && current->parent != m_items.Root() ? current->parent : nullptr;
    case VK_RIGHT:
        if (!current || !HasChildren(current)) return nullptr;
        if (!(current->state & TVIS_EXPANDED)) {
            Expand(current, TVE_EXPAND, true);
            return nullptr;
        }
        return current->first;
    default:
        return nullptr;
    }
}

void TreeView::KeyDown(UINT key) {
    NMTVKEYDOWN nk = {};
    nk.wVKey = WORD(key);
    Notify(m_hwnd, TVN_KEYDOWN, &nk.hdr);
    if (key == VK_RETURN) {
        NMHDR header = {};
        Notify(m_hwnd, NM_RETURN, &header);
        return;
    }
    if (TreeNode* target = KeyTarget(key)) Select(target, TVC_BYKEYBOARD);
}

} // namespace commctrl
