#include "controls/skinlistctrl.h"

#include "controls/skinscrollbar.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CSkinListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CSkinListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
ON_NOTIFY_REFLECT(LVN_INSERTITEM, OnInserted)
ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleting)
ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleting)
ON_MESSAGE(CSkinListCtrl::kBarFollowUp, OnBarFollowUp)
END_MESSAGE_MAP()

int CSkinListCtrl::RowHeight() const {
    CRect bounds;
    if (GetItemCount() == 0 || !GetItemRect(0, &bounds, LVIR_BOUNDS)) return 0;
    return bounds.Height();
}

DWORD CSkinListCtrl::GetTotalSize() {
    return DWORD(GetItemCount());
}

DWORD CSkinListCtrl::GetPageSize() {
    const int row = RowHeight();
    if (row <= 0) return 0;
    CRect client;
    GetClientRect(&client);
    return DWORD(client.Height() / row);
}

DWORD CSkinListCtrl::GetScrollIndex() {
    return GetItemCount() == 0 ? 0 : DWORD(GetTopIndex());
}

void CSkinListCtrl::SetPosition(CWnd* parent, const CRect& rect) {
    ::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr);
    MoveWindow(&rect, TRUE);
}

// Rows to pixels in wrapping 32-bit arithmetic: an index that wrapped below zero becomes a
// scroll up, and the list clamps every scroll to its rows.
void CSkinListCtrl::DoScroll(DWORD index) {
    const int row = RowHeight();
    if (row <= 0) return;
    const DWORD dy = (index - DWORD(GetTopIndex())) * DWORD(row);
    Scroll(CSize(0, int32_t(dy)));
}

void CSkinListCtrl::OnListChanged() {
    if (m_pScrollBar) m_pScrollBar->SizeChanged();
}

void CSkinListCtrl::OnItemChanged(NMHDR*, LRESULT* result) {
    if (m_pScrollBar) m_pScrollBar->SelectionChanged();
    *result = 0;
}

void CSkinListCtrl::OnInserted(NMHDR*, LRESULT* result) {
    if (m_pScrollBar) m_pScrollBar->SizeChanged();
    *result = 0;
}

// One follow-up however many rows go (a delete-all announces every row).
void CSkinListCtrl::OnDeleting(NMHDR*, LRESULT* result) {
    *result = 0;
    if (!m_pScrollBar) return;
    m_pScrollBar->SizeChanged();
    MSG pending;
    if (!::PeekMessage(&pending, m_hWnd, kBarFollowUp, kBarFollowUp, PM_NOREMOVE))
        PostMessage(kBarFollowUp);
}

LRESULT CSkinListCtrl::OnBarFollowUp(WPARAM, LPARAM) {
    OnListChanged();
    return 0;
}
