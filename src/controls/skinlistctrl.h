// CSkinListCtrl: the platform's list view, as the framework's CListCtrl, scrolled by a skinned
// bar in rows: one unit is one item, an arrow steps one row, a page is as many whole rows as
// the client area holds.
//
// The list keeps the bar in step itself: selection changes, inserts and deletes (reflected
// notifications, consumed here so that they do not reach the parent) make the bar ask again.
// Deletions are announced before the rows go, so the list also asks the bar once more when
// the deletion is over, through a message it posts to itself.
// After changes that send none of these, the application calls OnListChanged. Style, columns,
// items and font are the application's; SetListWidth and SetListFont are ignored.
//
// A class derived from it may add reflected notifications of its own (NM_CLICK to learn which
// row was tapped) in a message map chained to this one.
#pragma once

#include "controls/skinscrollinterface.h"
#include "platform/afx/listctrl.h"

class CSkinListCtrl : public CListCtrl, public CSkinScrollInterface {
    DECLARE_DYNAMIC(CSkinListCtrl)
public:
    CSkinListCtrl() = default;

    DWORD GetTotalSize() override;
    DWORD GetPageSize() override;
    DWORD GetItemSize() override { return 1; }
    DWORD GetScrollIndex() override;
    void SetPosition(CWnd* parent, const CRect& rect) override;
    void DoScroll(DWORD index) override;

    // Brings the bar up to date after changes that notify nothing.
    void OnListChanged();

protected:
    // Private to the list's object: the platform's list never sees it.
    static constexpr UINT kBarFollowUp = WM_APP + 0x3F5C;

    afx_msg void OnItemChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnInserted(NMHDR* header, LRESULT* result);
    afx_msg void OnDeleting(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnBarFollowUp(WPARAM, LPARAM);

private:
    // The height of a row (item 0's bounds); 0 when the list is empty.
    int RowHeight() const;

    DECLARE_MESSAGE_MAP()
};
