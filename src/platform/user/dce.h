// Device contexts handed out to windows. Each one draws on the screen from the window's
// client (or window) origin and is clipped to the window's visible region, which is brought up
// to date whenever the window tree changes while the context is out.
#pragma once

#include "platform/user/wndobj.h"

namespace user {

enum class DcKind {
    Client, // GetDC
    Window, // GetWindowDC: the border too
    Paint,  // BeginPaint: the client area cut to the area being painted
    Screen, // GetDC(null) or of the desktop: the whole screen
};

// paintArea (screen coordinates) is used by paint contexts only.
HDC MakeWindowDC(Window* w, DcKind kind, const gdi::PixRegion* paintArea);
// Sends WM_ERASEBKGND for the update region without validating it.
void EraseUpdateNow(Window* w);

} // namespace user
