#include "controls/skinradiogroup.h"

#include "controls/skinradiobutton.h"

IMPLEMENT_DYNAMIC(CSkinRadioGroup, CObject)

void CSkinRadioGroup::AddRadioButton(CSkinRadioButton* button) {
    if (button) m_listButtons.AddTail(button);
}

void CSkinRadioGroup::SetActive(CSkinRadioButton* active) {
    for (POSITION pos = m_listButtons.GetHeadPosition(); pos;) {
        auto* button = static_cast<CSkinRadioButton*>(m_listButtons.GetNext(pos));
        if (button != active && button->IsChecked()) button->SetChecked(false);
    }
}
