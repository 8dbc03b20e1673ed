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
    ~CPlaylistScreen() override {
        if (m_list) m_list->SetListCtrl(nullptr);
    }

    DemoAction OnCommand(UINT id) override;
    void Apply() override;
    // The scroll list with its bar and rows (for drivers that tap and drag them).
    CSkinScrollList& List() { return *m_list; }
    CPlaylistCtrl& Tracks() { return m_tracks; }

protected:
    bool Bind() override;

private:
    void Choose(int track);

    CSkinStatic* m_now = nullptr;
    CSkinScrollList* m_list = nullptr;
    // The rows go before the screen's controls (members of the base): the container lets go
    // of them first (see the destructor).
    CPlaylistCtrl m_tracks;
};
