// CPlaylistCtrl: the playlist's rows, a skinned list of every track of the library: the
// number, title and artist, and the length in a right-aligned column. It takes the list font
// the skin gives its container, fits its columns to the width it is told, and reports the row
// a tap chose.
#pragma once

#include "controls/skinlistctrl.h"

#include <functional>

class CPlaylistCtrl : public CSkinListCtrl {
public:
    static constexpr int kLengthWidth = 40;

    // A child of parent (a permanent window) holding every track, without a header.
    bool Create(CWnd* parent, UINT id);
    // Selects track and scrolls it into view, the bar following.
    void ShowTrack(int track);

    void SetListWidth(int width) override;
    void SetListFont(CFont* font) override;

    std::function<void(int track)> onChoose;

protected:
    afx_msg void OnClick(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()
};
