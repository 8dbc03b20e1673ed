#include "settings.h"

namespace {

enum : UINT {
    kHeading = 2,
    kModeLabel = 3,
    kFirstMode = 4,
    kModeHelp = 7,
    kCrossfade = 8,
    kLyrics = 9,
    kBack = 10
};

} // namespace

bool CSettingsScreen::CreateControls() {
    bool made = Add(m_heading, kHeading) && Add(m_modeLabel, kModeLabel);
    for (UINT i = 0; made && i < 3; ++i) {
        m_controls.push_back(&m_modeButtons[i]);
        made = m_modeButtons[i].Create(&m_window, m_strSection, kFirstMode + i, m_pRepository,
                                       &m_modes);
    }
    return made && Add(m_modeHelp, kModeHelp) && Add(m_crossfade, kCrossfade) &&
           Add(m_lyrics, kLyrics) && Add(m_back, kBack);
}

void CSettingsScreen::Apply() {
    CSkinRadioButton& active = m_modeButtons[int(m_state.mode)];
    active.SetChecked(true);
    m_modes.SetActive(&active); // an application's own check clears the others itself
    m_modeHelp.SetText(m_state.ModeText());
    m_crossfade.SetChecked(m_state.crossfade);
    m_lyrics.SetChecked(m_state.lyrics);
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
