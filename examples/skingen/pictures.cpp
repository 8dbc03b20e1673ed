// Ocean's bitmaps: backgrounds, a four-frame button strip, a four-frame check box strip and a
// logo. Magenta (255, 0, 255) marks pixels the controls treat as transparent.
#include "pictures.h"

#include <algorithm>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kDeep = RGB(8, 24, 48), kSea = RGB(16, 72, 120), kFoam = RGB(224, 240, 255);

Canvas MainBackground() {
    Canvas c(240, 320);
    c.Gradient(0, 0, 240, 320, kSea, kDeep);
    // Soft wave crests across the lower half.
    for (int row = 0; row < 6; ++row) {
        int base = 170 + row * 24;
        COLORREF crest = Mix(kSea, kFoam, 1, 5 + row);
        for (int x = 0; x < 240; ++x) {
            int phase = (x + row * 17) % 40;
            int lift = phase < 20 ? phase / 4 : (40 - phase) / 4;
            c.Set(x, base - lift, crest);
        }
    }
    return c;
}

Canvas Tile() {
    Canvas c(16, 16, RGB(12, 32, 60));
    c.Line(0, 15, 15, 0, RGB(20, 48, 84));
    c.Set(4, 4, RGB(28, 64, 104));
    c.Set(11, 11, RGB(28, 64, 104));
    return c;
}

// Four 96 x 32 frames: normal, pressed, disabled, focused.
Canvas ButtonStrip() {
    const int w = 96, h = 32;
    Canvas c(4 * w, h, kMagenta);
    struct Face {
        COLORREF top, bottom, edge;
    } faces[] = {{RGB(64, 160, 220), RGB(24, 96, 168), RGB(200, 232, 255)},
                 {RGB(16, 72, 132), RGB(40, 120, 192), RGB(120, 180, 230)},
                 {RGB(120, 128, 136), RGB(88, 96, 104), RGB(160, 168, 176)},
                 {RGB(72, 176, 236), RGB(28, 104, 180), RGB(255, 224, 96)}};
    for (int f = 0; f < 4; ++f) {
        int x = f * w;
        c.FillRoundRect(x, 0, x + w, h, 8, faces[f].edge);
        Canvas face(w - 4, h - 4);
        face.Gradient(0, 0, w - 4, h - 4, faces[f].top, faces[f].bottom);
        for (int y = 2; y < h - 2; ++y)
            for (int dx = 2; dx < w - 2; ++dx) {
                int ex = std::max({10 - dx, dx - (w - 11), 0});
                int ey = std::max({10 - y, y - (h - 11), 0});
                if (ex * ex + ey * ey <= 36) c.Set(x + dx, y, face.Get(dx - 2, y - 2));
            }
    }
    return c;
}

// Four 20 x 20 frames: unchecked, unchecked disabled, checked, checked disabled.
Canvas CheckBoxStrip() {
    Canvas c(80, 20, kMagenta);
    for (int f = 0; f < 4; ++f) {
        int x = f * 20;
        bool disabled = f % 2 == 1, checked = f >= 2;
        COLORREF edge = disabled ? RGB(128, 136, 144) : kFoam;
        c.FillRoundRect(x + 1, 1, x + 19, 19, 3, edge);
        c.FillRect(x + 3, 3, x + 17, 17, disabled ? RGB(72, 80, 88) : RGB(16, 56, 100));
        if (checked) {
            COLORREF mark = disabled ? RGB(160, 168, 176) : RGB(120, 232, 140);
            c.Line(x + 5, 10, x + 8, 14, mark, 2);
            c.Line(x + 8, 14, x + 15, 5, mark, 2);
        }
    }
    return c;
}

// A round logo with a wave, in few colours so that it fits an 8-bit palette.
Canvas Logo() {
    Canvas c(32, 32, kMagenta);
    c.FillCircle(16, 16, 15, kFoam);
    c.FillCircle(16, 16, 13, kSea);
    for (int y = 3; y < 30; ++y)
        for (int x = 3; x < 30; ++x) {
            bool inside = (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 13 * 13;
            if (inside && y >= 18 + (x / 4) % 2 * 2) c.Set(x, y, RGB(40, 140, 200));
        }
    return c;
}

} // namespace

const std::map<std::u16string, Picture>& Pictures() {
    static const std::map<std::u16string, Picture> pictures = {
        {u"main_bg.bmp", {MainBackground, 24}},
        {u"tile.bmp", {Tile, 24}},
        {u"button.bmp", {ButtonStrip, 24}},
        {u"checkbox.bmp", {CheckBoxStrip, 24}},
        {u"logo.bmp", {Logo, 8}},
    };
    return pictures;
}
