#include "playerstate.h"

const Track PlayerState::kTracks[kTrackCount] = {
    {u"Harbour Lights", u"The Tide Pools", u"3:42"},
    {u"Night Crossing", u"Lanterns", u"4:05"},
    {u"Island Time", u"Coral & Sand", u"2:58"},
};

CString PlayerState::TrackText() const {
    const Track& t = kTracks[track];
    // "\n" as the two characters the static text breaks lines at.
    return CString(t.title) + u"\\n" + t.artist + u"\\n" + t.length;
}

CString PlayerState::VolumeText() const {
    CString text;
    text.Format(u"Volume %u%%", unsigned(volume));
    return text;
}

CString PlayerState::ModeText() const {
    switch (mode) {
    case PlayMode::Shuffle:
        return u"Songs play in a new random order each time.";
    case PlayMode::RepeatOne:
        return u"The current song plays again and again.";
    default:
        return u"Songs play one after another, as listed.";
    }
}
