#include "demoframe.h"

#include "demomap.h"

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_MESSAGE(CDemoFrame::kSliderMessage, OnSliderMessage)
ON_WM_TIMER()
END_MESSAGE_MAP()

bool CDemoFrame::Create(CSkinRepository* repository, const std::vector<CString>& skins,
                        std::string& error) {
    m_pRepository = repository;
    m_skins = skins.empty() ? std::vector<CString>{repository->GetCurrentSkinName()} : skins;
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (!CFrameWnd::Create(nullptr, u"skinkit player", WS_POPUP | WS_VISIBLE, screen))
        return error = "cannot make the main window", false;
    std::vector<std::string> mapErrors;
    if (!m_map.Parse(DemoScreenMapText(), kDemoScreenMapName, mapErrors))
        return error = mapErrors.front(), false;
    if (!m_player.Create(this, repository, m_map, error) ||
        !m_settings.Create(this, repository, m_map, error) ||
        !m_playlist.Create(this, repository, m_map, error))
        return false;
    m_player.SetSliderParent(this);
    m_settings.ShowSkins(SkinNames(), m_nSkin);
    ShowScreen(kPlayer);
    SetTimer(kMeterTimer, kMeterInterval);
    return true;
}

CDemoScreen& CDemoFrame::GetScreen(Screen screen) {
    if (screen == kPlaylist) return m_playlist;
    return screen == kSettings ? static_cast<CDemoScreen&>(m_settings) : m_player;
}

void CDemoFrame::ShowScreen(Screen screen) {
    m_active = screen;
    for (int other = 0; other < kScreenCount; ++other)
        if (other != screen) GetScreen(Screen(other)).Show(false);
    GetScreen(screen).Apply(); // the state may have changed on another screen
    GetScreen(screen).Show(true);
}

bool CDemoFrame::SwitchSkin() {
    if (m_skins.size() < 2) return false;
    return ChooseSkin((m_nSkin + 1) % m_skins.size());
}

bool CDemoFrame::ChooseSkin(size_t index) {
    if (index >= m_skins.size() || !m_pRepository->LoadSkin(m_skins[index])) return false;
    m_nSkin = index;
    m_settings.ShowSkins(SkinNames(), m_nSkin);
    // Every skinned window shows itself as its skin says: only the active screen stays.
    m_player.Apply();
    m_settings.Apply();
    m_playlist.Apply();
    ShowScreen(m_active);
    return true;
}

CDemoScreen* CDemoFrame::ScreenOf(HWND control) {
    if (m_player.Owns(control)) return &m_player;
    if (m_settings.Owns(control)) return &m_settings;
    if (m_playlist.Owns(control)) return &m_playlist;
    return nullptr;
}

std::vector<CString> CDemoFrame::SkinNames() {
    std::vector<CString> names;
    for (const CString& skin : m_skins) {
        tagSKININFORMATION information;
        bool named =
            m_pRepository->GetSkinInformation(skin, information) && !information.name.IsEmpty();
        names.push_back(named ? information.name : skin);
    }
    return names;
}

BOOL CDemoFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The skin chooser's choice: a menu command, passed on by the settings' window.
    UINT skin = LOWORD(wParam) - CSettingsScreen::kFirstSkinCommand;
    if (lParam == 0 && HIWORD(wParam) == 0 && skin < m_skins.size()) return ChooseSkin(skin), TRUE;
    CDemoScreen* screen = ScreenOf(reinterpret_cast<HWND>(lParam));
    if (!screen) return CFrameWnd::OnCommand(wParam, lParam);
    Perform(screen->OnCommand(LOWORD(wParam)));
    return TRUE;
}

LRESULT CDemoFrame::OnSliderMessage(WPARAM wParam, LPARAM) {
    Perform(m_player.OnSlider(wParam));
    return 0;
}

void CDemoFrame::OnTimer(UINT_PTR id) {
    if (id == kMeterTimer) m_player.OnTick();
}

void CDemoFrame::Perform(DemoAction action) {
    switch (action) {
    case DemoAction::ShowPlayer:
        ShowScreen(kPlayer);
        break;
    case DemoAction::ShowSettings:
        ShowScreen(kSettings);
        break;
    case DemoAction::SwitchSkin:
        SwitchSkin();
        break;
    case DemoAction::ShowPlaylist:
        ShowScreen(kPlaylist);
        break;
    case DemoAction::None:
        break;
    }
}
