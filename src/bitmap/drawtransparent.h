// Drawing a skin image over what is already drawn, leaving out one colour.
#pragma once

#include "platform/afx/dc.h"

// Copies the width by height area at (sourceX, sourceY) of source to (x, y) of dest, except
// the pixels of colour transparent, which leave dest unchanged. Relies on dest's text and
// background colours being black and white (the defaults). Always returns TRUE.
BOOL DrawTransparent(CDC* dest, int x, int y, int width, int height, CDC* source, int sourceX,
                     int sourceY, COLORREF transparent);
