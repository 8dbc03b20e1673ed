// CSettingsScreen: the player's settings (section "settings"): the play mode as a radio group
// with a sentence on what it does, two check boxes, and the way back.
#pragma once

#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skinradiobutton.h"
#include "controls/skinradiogroup.h"
#include "controls/skinstatic.h"
#include "demoscreen.h"

class CSettingsScreen : public CDemoScreen {
public:
    explicit CSettingsScreen(PlayerState& state) : CDemoScreen(u"settings", state) {}

    DemoAction OnCommand(UINT id) override;
    void Apply() override;

protected:
    bool CreateControls() override;

private:
    CSkinStatic m_heading, m_modeLabel, m_modeHelp;
    // The group outlives its buttons: it is declared before them.
    CSkinRadioGroup m_modes;
    CSkinRadioButton m_modeButtons[3];
    CSkinCheckBox m_crossfade, m_lyrics;
    CSkinButton m_back;
};
