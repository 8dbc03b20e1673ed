// CSkinRadioGroup: the radio buttons that exclude each other. It is a plain object, not a
// window, and does not own its buttons. A user's press on a button of the group calls
// SetActive, which switches the others off; an application that checks a button itself calls
// SetActive too.
#pragma once

#include "platform/base/collections.h"
#include "platform/base/object.h"

class CSkinRadioButton;

class CSkinRadioGroup : public CObject {
    DECLARE_DYNAMIC(CSkinRadioGroup)
public:
    CSkinRadioGroup() = default;

    // Appends button (twice when added twice); null is ignored.
    void AddRadioButton(CSkinRadioButton* button);
    // Unchecks every listed button other than active that is checked; checks nothing and
    // notifies nobody.
    void SetActive(CSkinRadioButton* active);

protected:
    CPtrList m_listButtons{10};
};
