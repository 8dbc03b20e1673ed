// PaintParentBackground: gives a control a see-through look by painting into dest what the
// screen shows behind the control's window.
//
// The control hides itself, has its parent repaint at once, copies the screen area under its
// window, and shows itself again without moving, sizing, activating or reordering. Called from
// paint and erase handlers; the window manager keeps such a hide-and-show inside a paint from
// starting another paint. With a null dest the copy draws nothing.
#pragma once

#include "platform/afx/wnd.h"

void PaintParentBackground(CWnd* control, CDC* dest);
