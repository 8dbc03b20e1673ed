#include "optionsmenu.h"

#include "platform/base/wcsrt.h"
#include "skindesc/skinvalues.h"

namespace {

// The icons in the skin's strip, and where their shadows start.
enum Icon : int {
    kIconPlay,
    kIconPause,
    kIconPrevious,
    kIconNext,
    kIconGear,
    kIconSkin,
    kIconLyrics
};
constexpr int kShadows = 7;

const CString kSection = u"main";
constexpr UINT kComponent = 16;

} // namespace

bool COptionsMenu::Build(CSkinRepository* repository, const PlayerState& state) {
    if (!CreatePopupMenu()) return false;
    if (const tagCOMPONENT* component = repository->GetComponent(kSection, kComponent))
        ApplyLook(repository, *component);
    auto add = [this](UINT flags, UINT id, const char16_t* text, int icon) {
        AppendMenuW(flags, id, text, icon, icon, icon < 0 ? -1 : icon + kShadows);
    };
    add(MF_STRING, kPlay, state.playing ? u"Pause" : u"Play",
        state.playing ? kIconPause : kIconPlay);
    add(state.track > 0 ? MF_STRING : MF_GRAYED, kPrevious, u"Previous track", kIconPrevious);
    add(state.track + 1 < PlayerState::kTrackCount ? MF_STRING : MF_GRAYED, kNext, u"Next track",
        kIconNext);
    add(MF_SEPARATOR, 0, nullptr, -1);
    add(state.lyrics ? MF_CHECKED : MF_STRING, kLyrics, u"Show lyrics", kIconLyrics);
    add(MF_SEPARATOR, 0, nullptr, -1);
    add(MF_STRING, kSettings, u"Settings", kIconGear);
    add(MF_STRING, kNextSkin, u"Next skin", kIconSkin);
    return true;
}

// Colours, font and icons as the component gives them; what it leaves out stays the system's.
void COptionsMenu::ApplyLook(CSkinRepository* repository, const tagCOMPONENT& component) {
    const CPtrList& a = component.attributes;
    const struct {
        const char16_t* key;
        void (CSkinMenu::*set)(COLORREF);
    } colours[] = {{u"background_color", &CSkinMenu::SetBackgroundColor},
                   {u"text_color", &CSkinMenu::SetTextColor},
                   {u"selected_text_color", &CSkinMenu::SetSelectedTextColor},
                   {u"selection_color", &CSkinMenu::SetSelectionColor},
                   {u"selection_border_color", &CSkinMenu::SetSelectionBorderColor},
                   {u"edge_color", &CSkinMenu::SetEdgeColor}};
    for (const auto& colour : colours) {
        DWORD value = 0;
        if (GetAttributeDWord(a, colour.key, value)) (this->*colour.set)(value);
    }
    LOGFONTW font{};
    CString face, icons;
    LONG size = 0;
    GetAttributeString(a, u"font_name", face);
    GetAttributeLong(a, u"font_size", size);
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfHeight = -size;
    font.lfWeight = 400;
    SetFont(&font);
    DWORD mask = 0;
    GetAttributeString(a, u"image_filename", icons);
    GetAttributeDWord(a, u"transparent_color", mask);
    if (HBITMAP strip = repository->GetBitmap(kSection, icons, true)) {
        CBitmap bitmap; // the repository's: lent for the copy into the image list
        bitmap.Attach(strip);
        SetImageList(&bitmap, mask);
        bitmap.Detach();
    }
}

UINT COptionsMenu::Run(CWnd* owner, int x, int y, bool alignRight) {
    UINT flags = TPM_RETURNCMD | (alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    return UINT(TrackPopupMenu(flags, x, y, owner));
}
