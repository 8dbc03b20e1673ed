// CDemoFrame: the demo player's main window. It holds the player's state and its screens,
// shows one screen at a time, passes each notification to the screen whose control sent it,
// animates the now-playing screen with a timer, and switches between the skins it was given
// (every control repaints from the new skin; the state stays and is shown again), by its key
// or from the settings' skin chooser.
//
// Frames are made with new and delete themselves when their window is destroyed; the
// repository must outlive the frame.
#pragma once

#include "nowplaying.h"
#include "platform/afx/frame.h"
#include "playlist.h"
#include "settings.h"

#include <vector>

class CDemoFrame : public CFrameWnd {
public:
    static constexpr UINT_PTR kMeterTimer = 1;
    static constexpr UINT kMeterInterval = 150; // ms
    static constexpr UINT kSliderMessage = WM_USER + 0x32;

    CDemoFrame() = default;

    // A full-screen frame with every screen made from the demo's screen map, the now-playing
    // one shown. skins are the names to switch between; the first is already loaded. False
    // with a message in error when a screen cannot be made.
    bool Create(CSkinRepository* repository, const std::vector<CString>& skins, std::string& error);

    enum Screen { kPlayer = 0, kSettings = 1, kPlaylist = 2 };
    static constexpr int kScreenCount = 3;
    // Shows the state on screen (it may have changed elsewhere) and only that screen.
    void ShowScreen(Screen screen);
    // Loads the next skin of the list and shows the state on every screen again.
    bool SwitchSkin();
    // The same for skin index of the list.
    bool ChooseSkin(size_t index);
    const CString& CurrentSkin() const { return m_skins[m_nSkin]; }
    CDemoScreen& GetScreen(Screen screen);
    CDemoScreen& ActiveScreen() { return GetScreen(m_active); }
    const PlayerState& State() const { return m_state; }
    CNowPlayingScreen& Player() { return m_player; }
    CSettingsScreen& Settings() { return m_settings; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnSliderMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR id);

    void Perform(DemoAction action);
    CDemoScreen* ScreenOf(HWND control);
    // The skins by the names they give themselves.
    std::vector<CString> SkinNames();

    PlayerState m_state;
    CScreenMap m_map; // the screens' entries point into it
    CSkinRepository* m_pRepository = nullptr;
    std::vector<CString> m_skins;
    size_t m_nSkin = 0;
    CNowPlayingScreen m_player{m_state};
    CSettingsScreen m_settings{m_state};
    CPlaylistScreen m_playlist{m_state};
    Screen m_active = kPlayer;

    DECLARE_MESSAGE_MAP()
};
