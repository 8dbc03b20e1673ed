#include "playlistctrl.h"

#include "playerstate.h"

BEGIN_MESSAGE_MAP(CPlaylistCtrl, CSkinListCtrl)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
END_MESSAGE_MAP()

bool CPlaylistCtrl::Create(CWnd* parent, UINT id) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER;
    if (!CListCtrl::Create(style, CRect(0, 0, 0, 0), parent, id)) return false;
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(0, u"Track", LVCFMT_LEFT, 160);
    InsertColumn(1, u"Length", LVCFMT_RIGHT, kLengthWidth);
    for (int i = 0; i < PlayerState::kTrackCount; ++i) {
        InsertItem(i, PlayerState::ListText(i));
        SetItemText(i, 1, PlayerState::TrackAt(i).length);
    }
    return true;
}

void CPlaylistCtrl::ShowTrack(int track) {
    SetItemState(track, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(track, FALSE);
    OnListChanged(); // the selection was announced before the list scrolled to it
}

void CPlaylistCtrl::SetListWidth(int width) {
    SetColumnWidth(0, width - kLengthWidth);
    SetColumnWidth(1, kLengthWidth);
}

void CPlaylistCtrl::SetListFont(CFont* font) {
    SetFont(font);
    OnListChanged(); // rows take the font's height: the page changes
}

void CPlaylistCtrl::OnClick(NMHDR* header, LRESULT* result) {
    OnListChanged(); // a tap on a row cut by the edge scrolls it in after selecting it
    int item = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (item >= 0 && onChoose) onChoose(item);
    *result = 0;
}
