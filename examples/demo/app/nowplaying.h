// CNowPlayingScreen: the player's main screen (section "main"): the album art and track,
// a level meter that moves while music plays, the transport keys (previous, stop, a play key
// that latches down while playing, next), the volume slider with its label, and the keys to
// the settings, to the other skin and to the playlist. A tap on the logo opens the options
// (COptionsMenu).
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
    void SetSliderParent(CWnd* cmdParent) { m_volume->SetCmdParent(cmdParent); }

    DemoAction OnCommand(UINT id) override;
    DemoAction OnSlider(WPARAM code) override;
    // One step of the level meter's animation while music plays.
    void OnTick() override;
    void Apply() override;
    CSkinImage& Logo() { return *m_logo; }

protected:
    bool Bind() override;

private:
    void ChangeTrack(int delta);
    // Runs the options popup at the logo and does what was chosen.
    DemoAction ShowOptions();

    CSkinStatic *m_track = nullptr, *m_volumeLabel = nullptr;
    CSkinImage *m_logo = nullptr, *m_art = nullptr, *m_meter = nullptr;
    CSkinButton *m_prev = nullptr, *m_stop = nullptr, *m_play = nullptr, *m_next = nullptr;
    CSkinSlider* m_volume = nullptr;
};
