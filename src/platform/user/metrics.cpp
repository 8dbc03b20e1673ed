// System metrics: fixed values like the device's, the screen size from the screen itself.
#include "platform/gdi/gdidevice.h"
#include "platform/user/winuser.h"

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
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 13;
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
