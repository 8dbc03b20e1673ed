// CSkinDropTree: a drop-down control whose popup is a tree. Closed, it is CSkinDropBase's
// label box (its box is the text's height plus 4). Opening shows the tree, a child of the
// application window at the size given to Create, next to the label box: below or above it
// ("dropdown"), its left edge at the box's left edge or its right edge at the box's right edge
// ("dropright"). Opening does not wait: the tree stays open, focused and holding the capture,
// until a tap chooses an item, a tap lands outside it, it loses the focus, or DropDown(false).
//
// The application fills the tree through GetTree. A chosen item's caption and data are kept
// (GetSelectedCaption, GetSelectedData) and the parent receives WM_COMMAND with the control's
// id (high word 0) and window, sent, once the close has been processed; the label does not
// change by itself (SetLabel, or SelectItem, does that). A close without a choice sets the
// selected data to 0 and keeps the caption. Opening forgets the previous choice, so that a
// close without a new one never reports an old one.
//
// Attributes read by Update: those of CSkinDropBase, then "icons_image" (a strip of square
// icons in the control's section, as tall as they are wide) and "icons_transcolor" (its
// transparent colour); the icons become the tree's normal image list.
#pragma once

#include "controls/droptreectrl.h"
#include "controls/skindropbase.h"

#include <memory>

class CSkinDropTree : public CSkinDropBase {
    DECLARE_DYNAMIC(CSkinDropTree)
public:
    CSkinDropTree();
    ~CSkinDropTree() override;

    // Creates the control, then the hidden tree (dropWidth by dropHeight) as a child of the
    // application window. False when the control, the application window or the tree cannot
    // be had.
    bool Create(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository,
                DWORD dropWidth, DWORD dropHeight);

    // Refit the box as CSkinDropBase does, and repaint when the text is the one showing.
    void SetLabel(const CString& text) override;
    void SetDropLabel(const CString& text) override;
    // Where the tree opens from now on; the tree keeps the size it was made with.
    void SetDropSize(DWORD width, DWORD height);
    void DropDown(bool open) override;
    // Selects the first item whose caption matches (letter case ignored) in FindNextItem's
    // order, keeps its caption and data, closes the tree and makes the caption the label.
    void SelectItem(const CString& caption);

    CTreeCtrl* GetTree() { return m_pTree.get(); }
    CImageList* GetImageList() { return &m_imageList; }
    CString GetSelectedCaption() const { return m_strSelectedCaption; }
    DWORD GetSelectedData() const { return m_dwSelectedData; }
    // Where the tree opens, in its parent's client coordinates (the drop size at the box).
    CRect DropRect() const;

protected:
    void Unload() override;
    void ReadPopup(const CAttributeIndex& attributes) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    std::unique_ptr<CDropTreeCtrl> m_pTree;
    CImageList m_imageList;
    DWORD m_dwDropWidth = 0;
    DWORD m_dwDropHeight = 0;
    CString m_strSelectedCaption;
    DWORD m_dwSelectedData = 0;

private:
    bool TreeExists() const { return m_pTree->m_hWnd && ::IsWindow(m_pTree->m_hWnd); }
};
