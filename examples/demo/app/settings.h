// CSettingsScreen: the player's settings (section "settings"): the play mode as a radio group
// with a sentence on what it does, two check boxes, the skin chooser, the folder the music
// comes from (a drop tree of artists, albums and genres), and the way back.
#pragma once

#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skindroplist.h"
#include "controls/skindroptree.h"
#include "controls/skinradiobutton.h"
#include "controls/skinradiogroup.h"
#include "controls/skinstatic.h"
#include "demoscreen.h"

class CSettingsScreen : public CDemoScreen {
public:
    explicit CSettingsScreen(PlayerState& state) : CDemoScreen(u"settings", state) {}

    // The skin chooser's items run from this command on, one per skin in list order; a choice
    // reaches the frame as that menu command (lParam 0).
    static constexpr UINT kFirstSkinCommand = 0x9000;

    DemoAction OnCommand(UINT id) override;
    void Apply() override;
    // Lists the skins in the chooser, current as its choice.
    void ShowSkins(const std::vector<CString>& names, size_t current);
    CSkinDropList& SkinChooser() { return *m_skinChooser; }
    CSkinDropTree& FolderChooser() { return *m_folders; }

protected:
    bool Bind() override;

private:
    CSkinStatic* m_modeHelp = nullptr;
    CSkinRadioGroup* m_modes = nullptr; // the map's group "mode"
    CSkinRadioButton* m_modeButtons[3] = {};
    CSkinCheckBox *m_crossfade = nullptr, *m_lyrics = nullptr;
    CSkinDropList* m_skinChooser = nullptr;
    CSkinDropTree* m_folders = nullptr;

    // The music's folders, each with the icons of the skin's strip.
    bool FillFolders();
};
