// CDropTreeCtrl: the popup of CSkinDropTree, a tree view that closes itself.
//
// While it is open it holds the pointer capture, so every tap reaches it: a tap on an item's
// image or label chooses the item and closes the tree; a tap on an expand button or beside an
// item only does what the tree does with it; a tap on the tree's border or scroll bars goes to
// them; a tap anywhere else closes the tree without a choice. Losing the focus while shown
// closes it too. Every close posts the close command (WM_COMMAND, wParam kCloseCommand,
// lParam 0) to the owning CSkinDropTree, which then reads m_hHitItem.
#pragma once

#include "platform/afx/treectrl.h"

class CSkinDropTree;

class CDropTreeCtrl : public CTreeCtrl {
public:
    static constexpr UINT kCloseCommand = 12345;

    CDropTreeCtrl() = default;

    int SetDropTree(CSkinDropTree* owner);
    // The item after item in the order SelectItem searches: the root for none; a parent's
    // first child; else the next sibling; else the parent's next sibling (one level up only);
    // null at the end.
    HTREEITEM FindNextItem(HTREEITEM item) const;
    // Posts the close command to the owner and gives up the capture.
    void Close();

    HTREEITEM m_hHitItem = nullptr; // chosen by the last tap on an item
    CSkinDropTree* m_pDropTree = nullptr;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* newWnd);

    DECLARE_MESSAGE_MAP()
};
