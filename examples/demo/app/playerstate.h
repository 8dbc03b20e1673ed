// What the demo music player knows, apart from any screen: the tracks, what plays, how loud,
// in which order, and the two settings. Screens show it and change it; a skin change keeps it.
#pragma once

#include "platform/base/afx.h"

struct Track {
    const char16_t* title;
    const char16_t* artist;
    const char16_t* length;
};

enum class PlayMode { InOrder = 0, Shuffle = 1, RepeatOne = 2 };

struct PlayerState {
    // The library: the first kArtCount tracks have album art of their own, the others share it.
    static constexpr int kTrackCount = 300;
    static constexpr int kArtCount = 3;
    static const Track& TrackAt(int index);

    int track = 0;
    bool playing = false;
    DWORD volume = 40; // percent
    PlayMode mode = PlayMode::InOrder;
    bool crossfade = false;
    bool lyrics = true;
    DWORD meterFrame = 0; // the level meter's animation step

    // The track as the now-playing text shows it: title, artist and length on their lines.
    CString TrackText() const;
    // The track as the playlist names it: its number and title.
    static CString ListText(int index);
    CString VolumeText() const;
    // A sentence on what the play mode does.
    CString ModeText() const;
};
