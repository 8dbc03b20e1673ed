#include "settings.h"

namespace {

enum : UINT {
    kFirstMode = 4,
    kModeHelp = 7,
    kCrossfade = 8,
    kLyrics = 9,
    kBack = 10,
    kSkinChooser = 11,
    kFolders = 12
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

bool CSettingsScreen::Bind() {
    for (UINT i = 0; i < 3; ++i)
        if (!Take(m_modeButtons[i], kFirstMode + i, "a radio button")) return false;
    m_modes = m_screen.Group(u"mode");
    return Take(m_modeHelp, kModeHelp, "a static") &&
           Take(m_crossfade, kCrossfade, "a check box") && Take(m_lyrics, kLyrics, "a check box") &&
           Take(m_skinChooser, kSkinChooser, "a drop list") &&
           Take(m_folders, kFolders, "a drop tree") && FillFolders();
}

// The music's folders, each with the icons of the skin's strip.
bool CSettingsScreen::FillFolders() {
    enum Icon { kFolder, kOpenFolder, kArtist, kAlbum, kGenre };
    CTreeCtrl& tree = *m_folders->GetTree();
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
    m_folders->SelectItem(u"Albums");
    m_folders->SetDropLabel(u"Folders");
    return true;
}

void CSettingsScreen::Apply() {
    CSkinRadioButton& active = *m_modeButtons[int(m_state.mode)];
    active.SetChecked(true);
    m_modes->SetActive(&active); // an application's own check clears the others itself
    m_modeHelp->SetText(m_state.ModeText());
    m_crossfade->SetChecked(m_state.crossfade);
    m_lyrics->SetChecked(m_state.lyrics);
    ApplyPopupLook(*m_skinChooser);
    DWORD colour = 0;
    if (m_folders->GetProperty(u"tree_background", colour))
        m_folders->GetTree()->SetBkColor(colour);
    if (m_folders->GetProperty(u"tree_text", colour)) m_folders->GetTree()->SetTextColor(colour);
}

void CSettingsScreen::ShowSkins(const std::vector<CString>& names, size_t current) {
    m_skinChooser->Clear();
    for (size_t i = 0; i < names.size(); ++i)
        m_skinChooser->Append(kFirstSkinCommand + UINT(i), names[i]);
    m_skinChooser->Select(kFirstSkinCommand + UINT(current), MF_BYCOMMAND);
    m_skinChooser->SetDropLabel(u"Skins");
}

DemoAction CSettingsScreen::OnCommand(UINT id) {
    if (id >= kFirstMode && id < kFirstMode + 3) {
        m_state.mode = PlayMode(id - kFirstMode);
        m_modeHelp->SetText(m_state.ModeText());
    } else if (id == kCrossfade) {
        m_state.crossfade = m_crossfade->IsChecked();
    } else if (id == kLyrics) {
        m_state.lyrics = m_lyrics->IsChecked();
    } else if (id == kFolders) { // the folder chosen in the tree becomes the label
        m_folders->SetLabel(m_folders->GetSelectedCaption());
    } else if (id == kBack) {
        return DemoAction::ShowPlayer;
    }
    return DemoAction::None;
}
