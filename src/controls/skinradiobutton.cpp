#include "controls/skinradiobutton.h"

#include "controls/skinradiogroup.h"

IMPLEMENT_DYNAMIC(CSkinRadioButton, CSkinCheckBox)

BEGIN_MESSAGE_MAP(CSkinRadioButton, CSkinCheckBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

bool CSkinRadioButton::Create(CWnd* parent, const CString& section, UINT id,
                              CSkinRepository* repository, CSkinRadioGroup* group) {
    m_pGroup = group;
    if (group) group->AddRadioButton(this);
    return CSkinObject::Create(parent, section, id, repository);
}

void CSkinRadioButton::OnLButtonDown(UINT, CPoint) {
    if (!m_bEnabled || m_bChecked) return;
    m_bChecked = true;
    Invalidate(TRUE);
    if (m_pGroup) m_pGroup->SetActive(this);
    Click();
}

// The second press of a double click finds the button checked and does nothing.
void CSkinRadioButton::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}
