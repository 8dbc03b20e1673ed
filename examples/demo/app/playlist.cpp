#include "playlist.h"

namespace {

// The rows are the player's own window, not a component of the skin: kTracks is no skin id.
enum : UINT { kList = 3, kBack = 5, kNow = 6, kTracks = 7 };

} // namespace

bool CPlaylistScreen::Bind() {
    if (!Take(m_list, kList, "a scroll list") || !Take(m_now, kNow, "a static") ||
        !m_tracks.Create(&Window(), kTracks))
        return false;
    m_tracks.onChoose = [this](int track) { Choose(track); };
    m_list->SetListCtrl(&m_tracks);
    return true;
}

// The skin's list colours go to the rows after every skin change (the container keeps them
// for the application); the font reached the rows through the container itself.
void CPlaylistScreen::Apply() {
    m_tracks.SetBkColor(m_list->GetBackgroundColor());
    m_tracks.SetTextColor(m_list->GetFontColor());
    m_tracks.Invalidate();
    m_tracks.ShowTrack(m_state.track);
    Choose(m_state.track);
}

void CPlaylistScreen::Choose(int track) {
    m_state.track = track;
    const Track& t = PlayerState::TrackAt(track);
    m_now->SetText(CString(u"Playing ") + PlayerState::ListText(track) + u"\\n" + t.artist + u", " +
                   t.length);
}

DemoAction CPlaylistScreen::OnCommand(UINT id) {
    return id == kBack ? DemoAction::ShowPlayer : DemoAction::None;
}
