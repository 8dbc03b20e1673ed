// For the window manager: setting a screen context's visible region from a region value, without
// a region handle in between (window contexts are made and given back on every paint).
#pragma once

#include "platform/gdi/region.h"

// As GdiSetDCVisibleRegion, from screen coordinates held in a region value.
BOOL GdiSetDCVisiblePixRegion(HDC dc, const gdi::PixRegion& screenRegion);
