#include "playerstate.h"

#include <string>
#include <vector>

namespace {

const Track kFirstTracks[PlayerState::kArtCount] = {
    {u"Harbour Lights", u"The Tide Pools", u"3:42"},
    {u"Night Crossing", u"Lanterns", u"4:05"},
    {u"Island Time", u"Coral & Sand", u"2:58"},
};

// The rest of the library, named from word lists (16 and 19 words: every title differs).
struct Library {
    std::vector<std::u16string> texts;
    std::vector<Track> tracks;

    Library() {
        static const char16_t* const kFirst[16] = {
            u"Silver", u"Quiet",  u"Northern", u"Paper",   u"Electric", u"Midnight",
            u"Golden", u"Hidden", u"Falling",  u"Distant", u"Velvet",   u"Summer",
            u"Winter", u"Lonely", u"Salt",     u"Morning"};
        static const char16_t* const kSecond[19] = {
            u"Harbour", u"Rivers",  u"Tides",    u"Skies",   u"Gardens", u"Letters",  u"Islands",
            u"Engines", u"Echoes",  u"Streets",  u"Mirrors", u"Kites",   u"Stations", u"Lights",
            u"Waves",   u"Bridges", u"Lanterns", u"Fields",  u"Clouds"};
        static const char16_t* const kArtists[8] = {
            u"The Tide Pools", u"Lanterns",     u"Coral & Sand", u"Paper Boats",
            u"Saltwater",      u"North Window", u"The Keepers",  u"Low Orbit"};
        texts.reserve(2 * PlayerState::kTrackCount);
        for (int i = 0; i < PlayerState::kTrackCount; ++i) {
            texts.push_back(std::u16string(kFirst[i % 16]) + u" " + kSecond[i % 19]);
            std::string length =
                std::to_string(2 + i * 7 % 4) + ":" + std::to_string(10 + i * 37 % 50);
            texts.push_back(std::u16string(length.begin(), length.end()));
        }
        for (int i = 0; i < PlayerState::kTrackCount; ++i)
            tracks.push_back(i < PlayerState::kArtCount
                                 ? kFirstTracks[i]
                                 : Track{texts[size_t(2 * i)].c_str(), kArtists[i * 5 % 8],
                                         texts[size_t(2 * i + 1)].c_str()});
    }
};

} // namespace

const Track& PlayerState::TrackAt(int index) {
    static const Library library;
    return library.tracks[size_t(index < 0 || index >= kTrackCount ? 0 : index)];
}

CString PlayerState::TrackText() const {
    const Track& t = TrackAt(track);
    // "\n" as the two characters the static text breaks lines at.
    return CString(t.title) + u"\\n" + t.artist + u"\\n" + t.length;
}

CString PlayerState::ListText(int index) {
    const Track& t = TrackAt(index);
    CString text;
    text.Format(u"%d. %s", index + 1, t.title);
    return text;
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
