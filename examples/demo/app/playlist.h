// CPlaylistScreen: the player's playlist (section "playlist"): every track of the library in a
// skinned scroll list driven by its skinned bar, the track playing below it, and the way back.
// A tap on a row makes that track the one playing.
#pragma once

#include "controls/skinbutton.h"
#include "controls/skinscrolllist.h"
#include "controls/skinstatic.h"
#include "demoscreen.h"
#include "playlistctrl.h"

class CPlaylistScreen : public CDemoScreen {
public:
    explicit CPlaylistScreen(PlayerState& state) : CDemoScreen(u"playlist", state) {}

    DemoAction OnCommand(UINT id) override;
    void Apply() override;
    // The scroll list with its bar and rows (for drivers that tap and drag them).
    CSkinScrollList& List() { return m_list; }
    CPlaylistCtrl& Tracks() { return m_tracks; }

protected:
    bool CreateControls() override;

private:
    void Choose(int track);

    CSkinStatic m_heading, m_now;
    CSkinButton m_back;
    // The rows outlive their container, which lets go of them when it goes.
    CPlaylistCtrl m_tracks;
    CSkinScrollList m_list;
};
