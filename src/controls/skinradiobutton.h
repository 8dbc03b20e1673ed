// CSkinRadioButton: a check box that only the application can switch off, one of a
// CSkinRadioGroup. A press on an unchecked button checks it, switches the group's other
// buttons off and posts WM_COMMAND (BN_CLICKED) to the parent; a press on a checked one does
// nothing. Skin attributes, painting and enabling are the check box's.
//
// The button joins its group in Create and never leaves it: the application keeps the group
// and its buttons together (for example as members of one screen object) and destroys them
// together.
#pragma once

#include "controls/skincheckbox.h"

class CSkinRadioGroup;

class CSkinRadioButton : public CSkinCheckBox {
    DECLARE_DYNAMIC(CSkinRadioButton)
public:
    CSkinRadioButton() = default;

    // Joins group (when not null) first, so the button stays in it even when the window cannot
    // be made; then creates the window as every control does.
    bool Create(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository,
                CSkinRadioGroup* group);

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

    CSkinRadioGroup* m_pGroup = nullptr;

    DECLARE_MESSAGE_MAP()
};
