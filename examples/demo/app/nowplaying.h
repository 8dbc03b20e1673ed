// CNowPlayingScreen: the player's main screen (section "main"): the album art and track,
// a level meter that moves while music plays, the transport keys (previous, stop, a play key
// that latches down while playing, next), the volume slider with its label, and the keys to
// the settings, to the other skin and to the playlist.
#pragma once

#include "controls/skinbutton.h"
#include "controls/skinimage.h"
#include "controls/skinslider.h"
#include "controls/skinstatic.h"
#include "demoscreen.h"

class CNowPlayingScreen : public CDemoScreen {
public:
    explicit CNowPlayingScreen(PlayerState& state) : CDemoScreen(u"main", state) {}

    // The volume slider reports to cmdParent (a permanent window: the frame).
    void SetSliderParent(CWnd* cmdParent) { m_volume.SetCmdParent(cmdParent); }

    DemoAction OnCommand(UINT id) override;
    DemoAction OnSlider(WPARAM code) override;
    // One step of the level meter's animation while music plays.
    void OnTick() override;
    void Apply() override;

protected:
    bool CreateControls() override;

private:
    void ChangeTrack(int delta);

    CSkinStatic m_title, m_track, m_volumeLabel;
    CSkinImage m_logo, m_art, m_meter;
    CSkinButton m_settings, m_skin, m_prev, m_stop, m_play, m_next, m_playlist;
    CSkinSlider m_volume;
};
