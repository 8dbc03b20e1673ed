// For the window manager: setting a screen context's visible region from a region value, without
// a region handle in between (window contexts are made and given back on every paint).
#pragma once

#include "platform/gdi/region.h"

#include <functional>

// As GdiSetDCVisibleRegion, from screen coordinates held in a region value.
BOOL GdiSetDCVisiblePixRegion(HDC dc, const gdi::PixRegion& screenRegion);
// The same with the region worked out by source when the context first clips a drawing: the
// window manager renews every context it handed out after each change to the window tree, and
// most are renewed again, or given back, before they draw.
BOOL GdiSetDCVisibleSource(HDC dc, std::function<gdi::PixRegion()> source);
