// The tree view: its messages, inserting, deleting, reading and changing items.
#include "platform/commctrl/treeview.h"

#include <algorithm>
#include <utility>
#include <cstring>

namespace commctrl {
namespace {

CString TextOf(LPCWSTR text) {
    return text && text != LPSTR_TEXTCALLBACK ? CString(text) : CString();
}

// State bits an application may set directly; expansion and selection have their own ways.
constexpr UINT kPlainState = ~UINT(TVIS_EXPANDED | TVIS_SELECTED | TVIS_EXPANDEDONCE);

} // namespace

TreeView::TreeView(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

TreeView::~TreeView() {
    if (m_measure) DeleteDC(m_measure);
}

LRESULT TreeView::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    LRESULT result = ItemMessage(message, wParam, lParam, &handled);
    if (handled) return result;
    handled = true;
    result = LookMessage(message, wParam, lParam, &handled);
    if (handled) return result;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        Measure();
        return 0;
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return Erase(reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(pt, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        m_pressed = false;
        return 0;
    case WM_KEYDOWN:
        KeyDown(UINT(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        InvalidateItem(m_selected); // the selection changes colour with the focus
        NMHDR header = {};
        Notify(m_hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &header);
        return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        // The parent hears of every item going, so that it can free what their data hold.
        m_redraw = false;
        DeleteItem(TVI_ROOT);
        return 0;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

LRESULT TreeView::ItemMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
    case TVM_INSERTITEM:
        return lParam ? LRESULT(InsertItem(*reinterpret_cast<const TVINSERTSTRUCT*>(lParam))) : 0;
    case TVM_DELETEITEM:
        return DeleteItem(item);
    case TVM_EXPAND:
        return Expand(m_items.Find(item), UINT(wParam), false);
    case TVM_GETNEXTITEM:
        return LRESULT(GetNextItem(item, UINT(wParam)));
    case TVM_SELECTITEM:
        return SelectItem(UINT(wParam), item);
    case TVM_GETITEM:
        return GetItem(reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEM:
        return lParam && SetItem(*reinterpret_cast<const TVITEM*>(lParam));
    case TVM_GETCOUNT:
        return LRESULT(m_items.Count());
    case TVM_GETVISIBLECOUNT:
        return Page();
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info) return 0;
        *info = HitTest(info->pt);
        return LRESULT(info->hItem);
    }
    case TVM_GETITEMRECT:
        return GetItemRect(reinterpret_cast<RECT*>(lParam), wParam != 0);
    case TVM_ENSUREVISIBLE:
        return EnsureVisible(m_items.Find(item));
    default:
        *handled = false;
        return 0;
    }
}

LRESULT TreeView::LookMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    auto changed = [this] {
        Measure();
        MeasureAll();
        UpdateScrollBars();
        ClampScroll();
        InvalidateRect(m_hwnd, nullptr, TRUE);
    };
    auto colour = [this, lParam](COLORREF* target) {
        COLORREF old = std::exchange(*target, COLORREF(lParam));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return LRESULT(old);
    };
    switch (message) {
    case TVM_SETIMAGELIST: {
        if (wParam != TVSIL_NORMAL && wParam != TVSIL_STATE) return 0;
        HIMAGELIST& slot = wParam == TVSIL_NORMAL ? m_normal : m_state;
        HIMAGELIST old = std::exchange(slot, reinterpret_cast<HIMAGELIST>(lParam));
        changed();
        return LRESULT(old);
    }
    case TVM_GETIMAGELIST:
        return LRESULT(wParam == TVSIL_NORMAL  ? m_normal
                       : wParam == TVSIL_STATE ? m_state
                                               : nullptr);
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (m_measure) SelectObject(m_measure, ControlFont(m_font));
        changed();
        return 0;
    case WM_GETFONT:
        return LRESULT(m_font);
    case TVM_SETINDENT:
        m_setIndent = int(wParam);
        changed();
        return 0;
    case TVM_GETINDENT:
        return m_indent;
    case TVM_SETITEMHEIGHT: {
        int old = m_itemHeight;
        m_setHeight = int(short(LOWORD(wParam)));
        changed();
        return old;
    }
    case TVM_GETITEMHEIGHT:
        return m_itemHeight;
    case TVM_SETBKCOLOR:
        return colour(&m_bk);
    case TVM_GETBKCOLOR:
        return m_bk;
    case TVM_SETTEXTCOLOR:
        return colour(&m_text);
    case TVM_GETTEXTCOLOR:
        return m_text;
    case TVM_SETLINECOLOR:
        return colour(&m_line);
    case TVM_GETLINECOLOR:
        return m_line;
    case WM_SETREDRAW:
        m_redraw = wParam != 0;
        if (m_redraw) changed();
        return 0;
    default:
        *handled = false;
        return 0;
    }
}

// ---- Inserting -------------------------------------------------------------------------------

TreeNode* TreeView::PlaceAfter(TreeNode* parent, HTREEITEM after, const CString& text,
                               bool* ok) const {
    *ok = true;
    if (after == TVI_FIRST) return nullptr;
    if (after == TVI_LAST || !after) return parent->last;
    if (after == TVI_SORT) {
        TreeNode* place = nullptr;
        for (TreeNode* c = parent->first; c && c->text.CompareNoCase(text) <= 0; c = c->next)
            place = c;
        return place;
    }
    TreeNode* sibling = m_items.Find(after);
    *ok = sibling && sibling->parent == parent;
    return sibling;
}

HTREEITEM TreeView::InsertItem(const TVINSERTSTRUCT& in) {
    TreeNode* parent =
        in.hParent == TVI_ROOT || !in.hParent ? m_items.Root() : m_items.Find(in.hParent);
    const TVITEM& item = in.item;
    CString text = (item.mask & TVIF_TEXT) ? TextOf(item.pszText) : CString();
    bool ok = false;
    TreeNode* after = parent ? PlaceAfter(parent, in.hInsertAfter, text, &ok) : nullptr;
    TreeNode* node = ok ? m_items.Insert(parent, after) : nullptr;
    if (!node) return nullptr;
    node->text = text;
    if (item.mask & TVIF_IMAGE) node->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE) node->selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_PARAM) node->param = item.lParam;
    if (item.mask & TVIF_STATE) node->state = item.state & item.stateMask & kPlainState;
    if (item.mask & TVIF_CHILDREN)
        node->children = item.cChildren == I_CHILDRENCALLBACK ? kAutoChildren : item.cChildren;
    if ((item.mask & TVIF_STATE) && (item.state & item.stateMask & TVIS_EXPANDED))
        m_items.SetExpanded(node, true);
    if (m_items.IsShown(node)) {
        Inserted(node);
        MeasureItem(node);
        InvalidateFrom(LineStart(node));
        UpdateScrollBars();
    } else if (parent->first == node && parent->last == node) {
        InvalidateItem(parent); // its first child gives it a button
    }
    return node->handle;
}

// ---- Deleting --------------------------------------------------------------------------------

void TreeView::NotifyDelete(TreeNode* node) {
    NMTREEVIEW nm = {};
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = node->handle;
    nm.itemOld.lParam = node->param;
    Notify(m_hwnd, TVN_DELETEITEM, &nm.hdr);
}

bool TreeView::DeleteItem(HTREEITEM item) {
    if (item == TVI_ROOT || !item) {
        while (TreeNode* first = m_items.Root()->first)
            DeleteNode(first, false);
        m_maxWidth = 0;
        UpdateScrollBars();
        ClampScroll();
        return true;
    }
    TreeNode* node = m_items.Find(item);
    if (!node) return false;
    DeleteNode(node, true);
    return true;
}

// Every item goes with a TVN_DELETEITEM, children before their parents; a selection inside
// moves to the next sibling, the previous one or the parent.
void TreeView::DeleteNode(TreeNode* node, bool reselect) {
    HTREEITEM handle = node->handle;
    std::vector<HTREEITEM> doomed;
    m_items.CollectSubtree(node, &doomed);
    for (HTREEITEM h : doomed)
        if (TreeNode* n = m_items.Find(h)) NotifyDelete(n);
    if (!(node = m_items.Find(handle))) return; // the parent deleted it meanwhile
    bool selectedInside =
        m_selected && (m_selected == node || m_items.IsAncestor(node, m_selected));
    TreeNode* parent = node->parent;
    TreeNode* successor = node->next ? node->next : node->prev;
    if (!successor && parent != m_items.Root()) successor = parent;
    if (selectedInside) m_selected = nullptr;
    if (m_drop && (m_drop == node || m_items.IsAncestor(node, m_drop))) m_drop = nullptr;
    bool shown = m_items.IsShown(node);
    if (shown) {
        InvalidateFrom(LineStart(node));
        Deleting(node);
    }
    m_items.Remove(node);
    if (shown) {
        UpdateScrollBars();
        ClampScroll();
    } else if (!parent->first) {
        InvalidateItem(parent); // it lost its button
    }
    if (selectedInside && reselect && successor) Select(successor, TVC_UNKNOWN);
}

// ---- Reading and changing items --------------------------------------------------------------

bool TreeView::HasChildren(const TreeNode* node) const {
    return node->children == kAutoChildren ? node->first != nullptr : node->children > 0;
}

bool TreeView::GetItem(TVITEM* out) const {
    TreeNode* node = out ? m_items.Find(out->hItem) : nullptr;
    if (!node) return false;
    if (out->mask & TVIF_TEXT) CopyText(node->text, out->pszText, out->cchTextMax);
    if (out->mask & TVIF_IMAGE) out->iImage = node->image;
    if (out->mask & TVIF_SELECTEDIMAGE) out->iSelectedImage = node->selectedImage;
    if (out->mask & TVIF_PARAM) out->lParam = node->param;
    if (out->mask & TVIF_STATE) out->state = node->state & out->stateMask;
    if (out->mask & TVIF_CHILDREN) out->cChildren = HasChildren(node) ? 1 : 0;
    return true;
}

bool TreeView::SetItem(const TVITEM& in) {
    TreeNode* node = m_items.Find(in.hItem);
    if (!node) return false;
    if (in.mask & TVIF_TEXT) {
        node->text = TextOf(in.pszText);
        node->width = -1;
        if (m_items.IsShown(node)) MeasureItem(node);
    }
    if (in.mask & TVIF_IMAGE) node->image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE) node->selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_PARAM) node->param = in.lParam;
    if (in.mask & TVIF_CHILDREN)
        node->children = in.cChildren == I_CHILDRENCALLBACK ? kAutoChildren : in.cChildren;
    if (in.mask & TVIF_STATE) {
        UINT mask = in.stateMask & ~UINT(TVIS_EXPANDED);
        node->state = (node->state & ~mask) | (in.state & mask);
        if (in.stateMask & TVIS_EXPANDED)
            Expand(node, (in.state & TVIS_EXPANDED) ? TVE_EXPAND : TVE_COLLAPSE, false);
    }
    InvalidateItem(m_items.Find(in.hItem));
    UpdateScrollBars();
    return true;
}

HTREEITEM TreeView::GetNextItem(HTREEITEM item, UINT code) const {
    TreeNode* node = m_items.Find(item);
    const TreeNode* root = m_items.Root();
    TreeNode* found = nullptr;
    switch (code) {
    case TVGN_ROOT:
        found = root->first;
        break;
    case TVGN_CARET:
        found = m_selected;
        break;
    case TVGN_FIRSTVISIBLE:
        found = m_top;
        break;
    case TVGN_DROPHILITE:
        found = m_drop;
        break;
    case TVGN_LASTVISIBLE:
        found = m_items.LastShown();
        break;
    case TVGN_CHILD:
        found = node ? node->first : (item == TVI_ROOT || !item ? root->first : nullptr);
        break;
    case TVGN_NEXT:
        found = node ? node->next : nullptr;
        break;
    case TVGN_PREVIOUS:
        found = node ? node->prev : nullptr;
        break;
    case TVGN_PARENT:
        found = node && node->parent != root ? node->parent : nullptr;
        break;
    case TVGN_NEXTVISIBLE:
        found = m_items.IsShown(node) ? m_items.NextShown(node) : nullptr;
        break;
    case TVGN_PREVIOUSVISIBLE:
        found = m_items.IsShown(node) ? m_items.PrevShown(node) : nullptr;
        break;
    default:
        break;
    }
    return found ? found->handle : nullptr;
}

// The item's handle arrives in the rectangle itself.
bool TreeView::GetItemRect(RECT* rect, bool textOnly) const {
    if (!rect) return false;
    HTREEITEM handle = nullptr;
    std::memcpy(&handle, rect, sizeof handle);
    TreeNode* node = m_items.Find(handle);
    if (!m_items.IsShown(node)) return false;
    int row = RowOf(node);
    if (row < 0) row = m_items.IndexOf(node) - m_topIndex;
    *rect = textOnly ? LabelRect(node, row) : RowRect(row);
    return true;
}

} // namespace commctrl
