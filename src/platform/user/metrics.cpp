// System metrics: fixed values like the device's, the screen size from the screen itself, and
// the scroll-bar sizes from the window system's registry key, as the device reads them.
#include "platform/gdi/gdidevice.h"
#include "platform/user/winreg.h"
#include "platform/user/wndobj.h"

#include <tuple>

namespace {

constexpr int kScrollBarSize = 13;

// A scroll-bar size under HKEY_LOCAL_MACHINE\SYSTEM\GWE; fallback when it is missing or
// unusable (not a 4-byte value from 1 to 255).
int GweValue(LPCWSTR name, int fallback) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return fallback;
    DWORD value = 0, size = sizeof value;
    LONG result =
        RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && size == sizeof value && value >= 1 && value <= 255
               ? int(value)
               : fallback;
}

struct ScrollSizes {
    uint64_t serial = 0;
    int cxVScroll = kScrollBarSize, cyVScroll = kScrollBarSize;
    int cyHScroll = kScrollBarSize, cxHScroll = kScrollBarSize;
};

// Read again only after the registry changed: the window manager asks on every layout.
const ScrollSizes& Sizes() {
    static ScrollSizes sizes;
    if (sizes.serial != user::RegistrySerial()) {
        const ScrollSizes before = sizes;
        sizes.serial = user::RegistrySerial();
        sizes.cxVScroll = GweValue(u"cxVScr", kScrollBarSize);
        sizes.cyHScroll = GweValue(u"cyHScr", kScrollBarSize);
        // Arrows stay square unless their length is set too.
        sizes.cyVScroll = GweValue(u"cyVScr", sizes.cxVScroll);
        sizes.cxHScroll = GweValue(u"cxHScr", sizes.cyHScroll);
        // Bars of another width give every window with bars another client area.
        if (std::tie(before.cxVScroll, before.cyVScroll, before.cyHScroll, before.cxHScroll) !=
            std::tie(sizes.cxVScroll, sizes.cyVScroll, sizes.cyHScroll, sizes.cxHScroll))
            user::GeometryChanged();
    }
    return sizes;
}

} // namespace

int GetSystemMetrics(int index) {
    SIZE screen = GdiGetScreenSize();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
        return screen.cy;
    case SM_CXVSCROLL:
        return Sizes().cxVScroll;
    case SM_CYVSCROLL:
    case SM_CYVTHUMB:
        return Sizes().cyVScroll;
    case SM_CYHSCROLL:
        return Sizes().cyHScroll;
    case SM_CXHSCROLL:
    case SM_CXHTHUMB:
        return Sizes().cxHScroll;
    case SM_CYCAPTION:
        return 26;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return 26;
    case SM_CXMIN:
    case SM_CYMIN:
        return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 26;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_MOUSEPRESENT:
        return 0; // a stylus, not a mouse
    case SM_CMOUSEBUTTONS:
        return 1;
    case SM_DEBUG:
    case SM_SWAPBUTTON:
        return 0;
    default:
        return 0;
    }
}
