// The skinned scroll bar as both scroll tests draw it: a 16-pixel bar whose parts each have
// colours of their own, read back from the screen as runs of parts down one column.
#pragma once

#include "support/press_fixture.h"

// Arrows 12 high with frames a b c (less) and x y z (more): normal, pressed, disabled; the
// shaft s; the elevator's top cap t, middle m and end cap e.
inline const std::vector<COLORREF> kScrollParts = {
    RGB(200, 0, 0),   RGB(200, 80, 0), RGB(200, 160, 0), RGB(0, 200, 0),   RGB(80, 200, 0),
    RGB(160, 200, 0), RGB(0, 0, 90),   RGB(0, 90, 200),  RGB(90, 90, 250), RGB(0, 200, 200)};
inline const char kScrollPartNames[] = "abcxyzstme";

class ScrollTest : public PressTest {
public:
    static PackageEntries ScrollBitmaps() {
        const auto& p = kScrollParts;
        return {{u"less.bmp", FrameStrip({p[0], p[1], p[2]}, 16, 12)},
                {u"more.bmp", FrameStrip({p[3], p[4], p[5]}, 16, 12)},
                {u"shaft.bmp", BmpBytes(16, 4, 24, p[6])},
                {u"elevator.bmp", BmpBytes(16, 15, 24, [](int, int y) { return p[7 + y / 5]; })}};
    }
    static void AddScrollBar(SkinDef& skin, const CString& id) {
        Control(skin, id, u"scrollbar",
                "image_arrowless=less.bmp;image_arrowmore=more.bmp;image_shaft=shaft.bmp;"
                "image_elevator=elevator.bmp");
    }

protected:
    // Screen column x from top to bottom as runs of parts, e.g. "12a 5t 10m 5e 180s 12x".
    std::string Column(int x, int top, int bottom) const {
        std::string runs;
        for (int y = top, n = 1; y < bottom; ++y, ++n) {
            char part = Part(Pixel(x, y));
            if (y + 1 < bottom && Part(Pixel(x, y + 1)) == part) continue;
            runs += (runs.empty() ? "" : " ") + std::to_string(n) + part;
            n = 0;
        }
        return runs;
    }
    static char Part(COLORREF c) {
        char frame = FrameOf(c, kScrollParts);
        return frame == '-' ? '-' : kScrollPartNames[frame - '0'];
    }
};
