#include "nowplaying.h"

#include "optionsmenu.h"

namespace {

enum : UINT {
    kTrack = 3,
    kMeter = 4,
    kVolumeLabel = 5,
    kSettings = 6, // the rest only notify
    kSkin = 7,
    kPrev = 8,
    kStop = 9,
    kPlay = 10,
    kNext = 11,
    kVolume = 12,
    kArt = 13,
    kLogo = 14,
    kPlaylist = 15
};

} // namespace

bool CNowPlayingScreen::Bind() {
    return Take(m_logo, kLogo, "an image") && Take(m_track, kTrack, "a static") &&
           Take(m_art, kArt, "an image") && Take(m_meter, kMeter, "an image") &&
           Take(m_prev, kPrev, "a button") && Take(m_stop, kStop, "a button") &&
           Take(m_play, kPlay, "a button") && Take(m_next, kNext, "a button") &&
           Take(m_volumeLabel, kVolumeLabel, "a static") && Take(m_volume, kVolume, "a slider");
}

void CNowPlayingScreen::Apply() {
    m_track->SetText(m_state.TrackText());
    m_volumeLabel->SetText(m_state.VolumeText());
    m_volume->SetRange(0, 100);
    m_volume->SetPos(m_state.volume); // an Update put the thumb back at the left end
    m_art->SetImage(DWORD(m_state.track % PlayerState::kArtCount));
    m_meter->SetImage(m_state.playing ? m_state.meterFrame : 0);
    m_play->Toggle(m_state.playing);
    m_stop->EnableWindow(m_state.playing);
    m_prev->EnableWindow(m_state.track > 0);
    m_next->EnableWindow(m_state.track + 1 < PlayerState::kTrackCount);
}

DemoAction CNowPlayingScreen::OnCommand(UINT id) {
    switch (id) {
    case kSettings:
        return DemoAction::ShowSettings;
    case kSkin:
        return DemoAction::SwitchSkin;
    case kPlaylist:
        return DemoAction::ShowPlaylist;
    case kLogo:
        return ShowOptions();
    case kPrev:
        ChangeTrack(-1);
        break;
    case kNext:
        ChangeTrack(+1);
        break;
    case kPlay: // the key latched down
        m_state.playing = true;
        Apply();
        break;
    case kStop: // only the application brings the play key up again
        m_state.playing = false;
        m_state.meterFrame = 0;
        Apply();
        break;
    default:
        break;
    }
    return DemoAction::None;
}

// The popup hangs from the logo's bottom corner nearest the screen's middle.
DemoAction CNowPlayingScreen::ShowOptions() {
    COptionsMenu menu;
    if (!menu.Build(m_pRepository, m_state)) return DemoAction::None;
    CRect logo;
    m_logo->GetWindowRect(&logo);
    bool right = logo.CenterPoint().x > ::GetSystemMetrics(SM_CXSCREEN) / 2;
    switch (menu.Run(&Window(), right ? logo.right : logo.left, logo.bottom, right)) {
    case COptionsMenu::kPlay:
        m_state.playing = !m_state.playing;
        if (!m_state.playing) m_state.meterFrame = 0;
        Apply();
        break;
    case COptionsMenu::kPrevious:
        ChangeTrack(-1);
        break;
    case COptionsMenu::kNext:
        ChangeTrack(+1);
        break;
    case COptionsMenu::kLyrics:
        m_state.lyrics = !m_state.lyrics;
        break;
    case COptionsMenu::kSettings:
        return DemoAction::ShowSettings;
    case COptionsMenu::kNextSkin:
        return DemoAction::SwitchSkin;
    default:
        break;
    }
    return DemoAction::None;
}

void CNowPlayingScreen::ChangeTrack(int delta) {
    int track = m_state.track + delta;
    if (track < 0 || track >= PlayerState::kTrackCount) return;
    m_state.track = track;
    Apply();
}

DemoAction CNowPlayingScreen::OnSlider(WPARAM) {
    // Posted after the move, so the thumb is already where the user put it.
    m_state.volume = m_volume->GetPos();
    m_volumeLabel->SetText(m_state.VolumeText());
    return DemoAction::None;
}

void CNowPlayingScreen::OnTick() {
    if (!m_state.playing || m_meter->GetImageCount() == 0) return;
    m_state.meterFrame = (m_state.meterFrame + 1) % m_meter->GetImageCount();
    m_meter->SetImage(m_state.meterFrame);
}
