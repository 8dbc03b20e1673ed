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
    static constexpr int kTrackCount = 3;
    static const Track kTracks[kTrackCount];

    int track = 0;
    bool playing = false;
    DWORD volume = 40; // percent
    PlayMode mode = PlayMode::InOrder;
    bool crossfade = false;
    bool lyrics = true;
    DWORD meterFrame = 0; // the level meter's animation step

    // The track as the now-playing text shows it: title, artist and length on their lines.
    CString TrackText() const;
    CString VolumeText() const;
    // A sentence on what the play mode does.
    CString ModeText() const;
};
