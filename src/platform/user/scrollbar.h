// The standard scroll bars' geometry, shared by their painting, hit testing and tracking so
// that the three can never disagree.
//
// A bar is laid out along its length: the less arrow at the start, the shaft, the thumb inside
// the shaft, the more arrow at the end. Offsets along the bar count from the bar's start.
#pragma once

#include "platform/user/wndobj.h"

namespace user {

enum class ScrollPart { None, LessArrow, LessPage, Thumb, MorePage, MoreArrow };

struct ScrollLayout {
    RECT bar = {}; // window coordinates; empty when the bar is not shown
    bool vertical = true;
    int length = 0;   // along the bar
    int arrow = 0;    // length of each arrow
    int thumbPos = 0; // offset of the thumb's start; both 0 when there is no thumb
    int thumbSize = 0;
    bool scrollable = false; // the range leaves something to scroll and the bar is enabled
};

ScrollLayout LayoutScrollBar(const Window* w, int bar);
// The offset along the bar of a point in window coordinates.
int OffsetAlong(const ScrollLayout& layout, POINT windowPt);
ScrollPart PartAt(const ScrollLayout& layout, int offset);
// The rectangle of a part in window coordinates (empty for None or a missing thumb).
RECT PartRect(const ScrollLayout& layout, ScrollPart part);
// The position whose thumb starts at offset thumbStart.
int PosFromThumb(const Window* w, int bar, const ScrollLayout& layout, int thumbStart);
// The highest position the bar's range and page allow.
int MaxScrollPos(const ScrollBarInfo& info);
// Draws the bar on a window device context.
void DrawScrollBar(const Window* w, HDC windowDC, int bar);
// Invalidates the bar's area (its frame part) for the next WM_NCPAINT.
void InvalidateScrollBar(Window* w, int bar);

// What the tracking loop tells painting: the part held, whether the pointer is over it, and
// where a dragged thumb is drawn.
struct ScrollTrack {
    HWND hwnd = nullptr;
    int bar = SB_VERT;
    ScrollPart part = ScrollPart::None;
    bool pressed = false;
    int thumbPos = 0;
    int trackPos = 0; // the position the dragged thumb stands for
};
// The tracking in progress on the window's bar, or null.
const ScrollTrack* TrackingOn(const Window* w, int bar);

} // namespace user
