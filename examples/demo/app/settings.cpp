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
    kSkinChooser = 11,
    kFolders = 12,
    kFolderLabel = 13
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
           Add(m_lyrics, kLyrics) && Add(m_back, kBack) && Add(m_skinChooser, kSkinChooser) &&
           Add(m_folderLabel, kFolderLabel) && CreateFolders();
}

// The music's folders, each with the icons of the skin's strip.
bool CSettingsScreen::CreateFolders() {
    enum Icon { kFolder, kOpenFolder, kArtist, kAlbum, kGenre };
    m_controls.push_back(&m_folders);
    if (!m_folders.Create(&m_window, m_strSection, kFolders, m_pRepository, 208, 180)) return false;
    CTreeCtrl& tree = *m_folders.GetTree();
    HTREEITEM artists = tree.InsertItem(u"Artists", kFolder, kOpenFolder);
    HTREEITEM albums = tree.InsertItem(u"Albums", kFolder, kOpenFolder);
    HTREEITEM genres = tree.InsertItem(u"Genres", kFolder, kOpenFolder);
    for (int i = 0; i < PlayerState::kArtCount; ++i) { // the tracks with albums of their own
        tree.InsertItem(PlayerState::TrackAt(i).artist, kArtist, kArtist, artists);
        tree.InsertItem(PlayerState::TrackAt(i).title, kAlbum, kAlbum, albums);
    }
    for (const char16_t* genre : {u"Ambient", u"Folk", u"Jazz"})
        tree.InsertItem(genre, kGenre, kGenre, genres);
    tree.Expand(artists, TVE_EXPAND);
    tree.Expand(albums, TVE_EXPAND);
    m_folders.SelectItem(u"Albums");
    m_folders.SetDropLabel(u"Folders");
    return true;
}

void CSettingsScreen::Apply() {
    CSkinRadioButton& active = m_modeButtons[int(m_state.mode)];
    active.SetChecked(true);
    m_modes.SetActive(&active); // an application's own check clears the others itself
    m_modeHelp.SetText(m_state.ModeText());
    m_crossfade.SetChecked(m_state.crossfade);
    m_lyrics.SetChecked(m_state.lyrics);
    ApplyPopupLook(m_skinChooser);
    DWORD colour = 0;
    if (m_folders.GetProperty(u"tree_background", colour)) m_folders.GetTree()->SetBkColor(colour);
    if (m_folders.GetProperty(u"tree_text", colour)) m_folders.GetTree()->SetTextColor(colour);
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
    } else if (id == kFolders) { // the folder chosen in the tree becomes the label
        m_folders.SetLabel(m_folders.GetSelectedCaption());
    } else if (id == kBack) {
        return DemoAction::ShowPlayer;
    }
    return DemoAction::None;
}
