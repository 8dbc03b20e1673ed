#include "controls/droptreectrl.h"

#include "controls/skindroptree.h"

BEGIN_MESSAGE_MAP(CDropTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// On the item's image, label or state image: TVHT_ONITEM.
constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

} // namespace

int CDropTreeCtrl::SetDropTree(CSkinDropTree* owner) {
    m_pDropTree = owner;
    return 0;
}

HTREEITEM CDropTreeCtrl::FindNextItem(HTREEITEM item) const {
    if (!item) return GetRootItem();
    if (HTREEITEM child = GetChildItem(item)) return child;
    if (HTREEITEM next = GetNextSiblingItem(item)) return next;
    HTREEITEM parent = GetParentItem(item);
    return parent ? GetNextSiblingItem(parent) : nullptr;
}

void CDropTreeCtrl::Close() {
    if (m_pDropTree && ::IsWindow(m_pDropTree->m_hWnd))
        m_pDropTree->PostMessage(WM_COMMAND, kCloseCommand, 0);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

// The capture sends every tap here, in client coordinates.
void CDropTreeCtrl::OnLButtonDown(UINT, CPoint point) {
    UINT hitFlags = 0;
    HTREEITEM item = HitTest(point, &hitFlags);
    m_hHitItem = nullptr;
    CRect client, window;
    GetClientRect(&client);
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    if (client.PtInRect(point)) {
        Default(); // selects, or expands on a button
        if (item && (hitFlags & kOnItem)) {
            m_hHitItem = item;
            Invalidate(TRUE);
            UpdateWindow(); // the choice shows as selected
            ShowWindow(SW_HIDE);
        }
    } else if (window.PtInRect(point)) {
        // The border or a scroll bar: the bar tracks with a capture of its own and gives it up.
        ::ReleaseCapture();
        Default();
        SetCapture();
    } else {
        ShowWindow(SW_HIDE);
    }
    if (!IsWindowVisible()) Close();
}

// The tree gives up the capture when a tap ends; while it stays open it takes it back.
void CDropTreeCtrl::OnLButtonUp(UINT, CPoint) {
    Default();
    if (IsWindowVisible() && ::GetCapture() != m_hWnd) SetCapture();
}

// Hiding the focused tree loses the focus as well: that close has posted its command already,
// so only a focus lost while the tree shows closes it here.
void CDropTreeCtrl::OnKillFocus(CWnd*) {
    Default();
    if (!IsWindowVisible()) return;
    Close();
    ShowWindow(SW_HIDE);
}
