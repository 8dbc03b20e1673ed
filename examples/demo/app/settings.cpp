#include "settings.h"

namespace {

enum : UINT {
    kHeading = 2,
    kModeLabel = 3,
    kFirstMode = 4,
    kModeHelp = 7,
    kCrossfade = 8,
    kLyrics = 9,
    kBack = 10,
    kSkinChooser = 11
};

// The popup's colours, from the chooser's properties where the skin gives them.
void ApplyPopupLook(CSkinDropList& list) {
    const struct {
        const char16_t* property;
        void (CSkinMenu::*set)(COLORREF);
    } colours[] = {{u"menu_background", &CSkinMenu::SetBackgroundColor},
                   {u"menu_text", &CSkinMenu::SetTextColor},
                   {u"menu_selection", &CSkinMenu::SetSelectionColor},
                   {u"menu_selected_text", &CSkinMenu::SetSelectedTextColor}};
    for (const auto& colour : colours)
        if (DWORD value = 0; list.GetProperty(colour.property, value))
            (list.GetMenu().*colour.set)(value);
}

} // namespace

bool CSettingsScreen::CreateControls() {
    bool made = Add(m_heading, kHeading) && Add(m_modeLabel, kModeLabel);
    for (UINT i = 0; made && i < 3; ++i) {
        m_controls.push_back(&m_modeButtons[i]);
        made = m_modeButtons[i].Create(&m_window, m_strSection, kFirstMode + i, m_pRepository,
                                       &m_modes);
    }
    return made && Add(m_modeHelp, kModeHelp) && Add(m_crossfade, kCrossfade) &&
           Add(m_lyrics, kLyrics) && Add(m_back, kBack) && Add(m_skinChooser, kSkinChooser);
}

void CSettingsScreen::Apply() {
    CSkinRadioButton& active = m_modeButtons[int(m_state.mode)];
    active.SetChecked(true);
    m_modes.SetActive(&active); // an application's own check clears the others itself
    m_modeHelp.SetText(m_state.ModeText());
    m_crossfade.SetChecked(m_state.crossfade);
    m_lyrics.SetChecked(m_state.lyrics);
    ApplyPopupLook(m_skinChooser);
}

void CSettingsScreen::ShowSkins(const std::vector<CString>& names, size_t current) {
    m_skinChooser.Clear();
    for (size_t i = 0; i < names.size(); ++i)
        m_skinChooser.Append(kFirstSkinCommand + UINT(i), names[i]);
    m_skinChooser.Select(kFirstSkinCommand + UINT(current), MF_BYCOMMAND);
    m_skinChooser.SetDropLabel(u"Skins");
}

DemoAction CSettingsScreen::OnCommand(UINT id) {
    if (id >= kFirstMode && id < kFirstMode + 3) {
        m_state.mode = PlayMode(id - kFirstMode);
        m_modeHelp.SetText(m_state.ModeText());
    } else if (id == kCrossfade) {
        m_state.crossfade = m_crossfade.IsChecked();
    } else if (id == kLyrics) {
        m_state.lyrics = m_lyrics.IsChecked();
    } else if (id == kBack) {
        return DemoAction::ShowPlayer;
    }
    return DemoAction::None;
}
