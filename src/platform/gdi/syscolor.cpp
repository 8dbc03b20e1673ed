// System colours: fixed values like the device's defaults, and a brush of each.
#include "platform/gdi/types.h"

namespace {

const COLORREF kSysColours[SK_SYSCOLOR_COUNT] = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(212, 208, 200), // COLOR_STATIC
    RGB(0, 0, 0),       // COLOR_STATICTEXT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
};

// Indices may carry the device's system-colour flag.
int Index(int index) {
    index &= ~SYS_COLOR_INDEX_FLAG;
    return index >= 0 && index < SK_SYSCOLOR_COUNT ? index : -1;
}

} // namespace

DWORD GetSysColor(int index) {
    int i = Index(index);
    return i < 0 ? 0 : kSysColours[i];
}

HBRUSH GetSysColorBrush(int index) {
    static HBRUSH brushes[SK_SYSCOLOR_COUNT] = {};
    int i = Index(index);
    if (i < 0) return nullptr;
    if (!brushes[i]) {
        brushes[i] = CreateSolidBrush(kSysColours[i]);
        gdi::MakeStock(brushes[i]);
    }
    return brushes[i];
}
