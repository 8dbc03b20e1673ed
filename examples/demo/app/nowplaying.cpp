#include "nowplaying.h"

namespace {

enum : UINT {
    kTitle = 2,
    kTrack = 3,
    kMeter = 4,
    kVolumeLabel = 5,
    kSettings = 6,
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

bool CNowPlayingScreen::CreateControls() {
    return Add(m_logo, kLogo) && Add(m_title, kTitle) && Add(m_art, kArt) && Add(m_track, kTrack) &&
           Add(m_meter, kMeter) && Add(m_prev, kPrev) && Add(m_stop, kStop) && Add(m_play, kPlay) &&
           Add(m_next, kNext) && Add(m_volumeLabel, kVolumeLabel) && Add(m_volume, kVolume) &&
           Add(m_settings, kSettings) && Add(m_skin, kSkin) && Add(m_playlist, kPlaylist);
}

void CNowPlayingScreen::Apply() {
    m_track.SetText(m_state.TrackText());
    m_volumeLabel.SetText(m_state.VolumeText());
    m_volume.SetRange(0, 100);
    m_volume.SetPos(m_state.volume); // an Update put the thumb back at the left end
    m_art.SetImage(DWORD(m_state.track % PlayerState::kArtCount));
    m_meter.SetImage(m_state.playing ? m_state.meterFrame : 0);
    m_play.Toggle(m_state.playing);
    m_stop.EnableWindow(m_state.playing);
    m_prev.EnableWindow(m_state.track > 0);
    m_next.EnableWindow(m_state.track + 1 < PlayerState::kTrackCount);
}

DemoAction CNowPlayingScreen::OnCommand(UINT id) {
    switch (id) {
    case kSettings:
        return DemoAction::ShowSettings;
    case kSkin:
        return DemoAction::SwitchSkin;
    case kPlaylist:
        return DemoAction::ShowPlaylist;
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

void CNowPlayingScreen::ChangeTrack(int delta) {
    int track = m_state.track + delta;
    if (track < 0 || track >= PlayerState::kTrackCount) return;
    m_state.track = track;
    Apply();
}

DemoAction CNowPlayingScreen::OnSlider(WPARAM) {
    // Posted after the move, so the thumb is already where the user put it.
    m_state.volume = m_volume.GetPos();
    m_volumeLabel.SetText(m_state.VolumeText());
    return DemoAction::None;
}

void CNowPlayingScreen::OnTick() {
    if (!m_state.playing || m_meter.GetImageCount() == 0) return;
    m_state.meterFrame = (m_state.meterFrame + 1) % m_meter.GetImageCount();
    m_meter.SetImage(m_state.meterFrame);
}
