// Ocean's bitmaps: deep blue backgrounds, round glassy transport buttons shaped by their
// transparent corners, a four-frame button strip, check box and radio strips, a level meter,
// album art, a volume track and its thumb, and a logo.
#include "pictures.h"

#include <algorithm>

namespace {

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

// Four w x h frames (96 x 32 unless smaller): normal, pressed, disabled, focused.
Canvas ButtonStrip(int w = 96, int h = 32) {
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

// Round button faces by frame: normal, pressed, disabled, released outside.
struct RoundFace {
    COLORREF top, bottom, edge, icon;
};
const RoundFace kRoundFaces[] = {
    {RGB(72, 170, 230), RGB(20, 84, 150), RGB(200, 232, 255), RGB(255, 255, 255)},
    {RGB(12, 60, 116), RGB(44, 128, 200), RGB(120, 180, 230), RGB(255, 236, 150)},
    {RGB(120, 128, 136), RGB(84, 92, 100), RGB(160, 168, 176), RGB(180, 186, 192)},
    {RGB(72, 170, 230), RGB(20, 84, 150), RGB(255, 214, 90), RGB(255, 255, 255)}};

using Icon = void (*)(Canvas&, int cx, int cy, int r, COLORREF colour, int frame);

// Four round frames of size s: a light rim, a vertical gradient face and an icon.
Canvas RoundButton(int s, Icon icon) {
    return Strip(s, s, 4, [&](Canvas& c, int x, int f) {
        const RoundFace& face = kRoundFaces[f];
        int r = s / 2 - 1, cx = x + s / 2, cy = s / 2;
        c.FillCircle(cx, cy, r, face.edge);
        Canvas g(s, s);
        g.Gradient(0, 0, s, s, face.top, face.bottom);
        for (int y = 0; y < s; ++y)
            for (int dx = 0; dx < s; ++dx) {
                int ex = x + dx - cx, ey = y - cy;
                if (ex * ex + ey * ey <= (r - 2) * (r - 2)) c.Set(x + dx, y, g.Get(dx, y));
            }
        // A soft highlight across the upper half.
        for (int y = cy - r + 3; y < cy - r / 3; ++y)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + (y - cy) * (y - cy) <= (r - 4) * (r - 4))
                    c.Set(cx + dx, y, Mix(c.Get(cx + dx, y), RGB(255, 255, 255), 1, 6));
        icon(c, cx, cy, r, face.icon, f);
    });
}

void PrevIcon(Canvas& c, int cx, int cy, int r, COLORREF k, int) {
    int h = r / 2;
    c.FillRect(cx - h, cy - h, cx - h + 3, cy + h + 1, k);
    c.FillTriangle(cx + h, cy - h, cx + h, cy + h, cx - h + 3, cy, k);
}

void NextIcon(Canvas& c, int cx, int cy, int r, COLORREF k, int) {
    int h = r / 2;
    c.FillTriangle(cx - h, cy - h, cx - h, cy + h, cx + h - 3, cy, k);
    c.FillRect(cx + h - 2, cy - h, cx + h + 1, cy + h + 1, k);
}

void StopIcon(Canvas& c, int cx, int cy, int r, COLORREF k, int) {
    int h = r * 2 / 5;
    c.FillRect(cx - h, cy - h, cx + h + 1, cy + h + 1, k);
}

// Play; while latched down (playing) the frame shows pause bars.
void PlayIcon(Canvas& c, int cx, int cy, int r, COLORREF k, int frame) {
    int h = r / 2;
    if (frame == 1) {
        c.FillRect(cx - h + 1, cy - h, cx - 2, cy + h + 1, k);
        c.FillRect(cx + 3, cy - h, cx + h, cy + h + 1, k);
    } else {
        c.FillTriangle(cx - h + 3, cy - h - 2, cx - h + 3, cy + h + 2, cx + h + 3, cy, k);
    }
}

// Four 20 x 20 frames: unchecked, unchecked disabled, checked, checked disabled.
Canvas RadioStrip() {
    return Strip(20, 20, 4, [](Canvas& c, int x, int f) {
        bool disabled = f % 2 == 1, checked = f >= 2;
        c.FillCircle(x + 10, 10, 9, disabled ? RGB(128, 136, 144) : kFoam);
        c.FillCircle(x + 10, 10, 7, disabled ? RGB(72, 80, 88) : RGB(16, 56, 100));
        if (checked)
            c.FillCircle(x + 10, 10, 4, disabled ? RGB(160, 168, 176) : RGB(120, 232, 140));
    });
}

// A level meter of eight bars in four states of the music.
Canvas LevelMeter() {
    static const int levels[4][8] = {{3, 6, 9, 7, 5, 8, 4, 2},
                                     {6, 10, 7, 12, 9, 6, 8, 5},
                                     {9, 13, 11, 8, 12, 14, 10, 7},
                                     {5, 8, 14, 11, 7, 10, 12, 9}};
    return Strip(64, 16, 4, [](Canvas& c, int x, int f) {
        for (int b = 0; b < 8; ++b)
            for (int step = 0; step < levels[f][b]; ++step) {
                COLORREF colour = step < 8    ? RGB(90, 220, 150)
                                  : step < 12 ? RGB(250, 220, 90)
                                              : RGB(250, 120, 90);
                c.FillRect(x + b * 8, 15 - step, x + b * 8 + 6, 16 - step, colour);
            }
    });
}

// Album covers, one per track: a sunset, a night sea, an island.
Canvas AlbumArt() {
    return Strip(64, 64, 3, [](Canvas& c, int x, int f) {
        if (f == 0) {
            c.Gradient(x, 0, x + 64, 40, RGB(250, 170, 90), RGB(170, 60, 110));
            c.FillCircle(x + 32, 40, 14, RGB(255, 226, 120));
            c.Gradient(x, 40, x + 64, 64, RGB(40, 60, 120), RGB(10, 20, 60));
        } else if (f == 1) {
            c.Gradient(x, 0, x + 64, 44, RGB(10, 16, 48), RGB(30, 40, 96));
            c.FillCircle(x + 44, 16, 8, RGB(240, 240, 210));
            c.FillCircle(x + 48, 13, 7, RGB(14, 22, 58));
            for (int i = 0; i < 9; ++i)
                c.Set(x + (i * 23) % 60 + 2, (i * 13) % 36 + 2, RGB(255, 255, 255));
            c.Gradient(x, 44, x + 64, 64, RGB(16, 40, 80), RGB(6, 14, 40));
        } else {
            c.Gradient(x, 0, x + 64, 64, RGB(120, 210, 240), RGB(20, 140, 170));
            c.FillCircle(x + 32, 62, 22, RGB(230, 210, 150));
            c.Line(x + 30, 44, x + 36, 16, RGB(110, 80, 50), 3);
            c.FillTriangle(x + 36, 16, x + 20, 22, x + 36, 20, RGB(40, 150, 70));
            c.FillTriangle(x + 36, 16, x + 52, 24, x + 36, 20, RGB(40, 150, 70));
        }
        c.FrameRect(x, 0, x + 64, 64, RGB(200, 232, 255));
    });
}

// The volume track: a dark pill with a groove and tick marks; corners see-through.
Canvas VolumeTrack() {
    Canvas c(208, 24, kMagenta);
    c.FillRoundRect(0, 0, 208, 24, 12, RGB(64, 120, 170));
    c.FillRoundRect(1, 1, 207, 23, 11, RGB(8, 28, 56));
    c.Gradient(12, 10, 196, 14, RGB(40, 110, 170), RGB(90, 180, 230));
    for (int x = 14; x < 196; x += 18)
        c.FillRect(x, 16, x + 1, 19, RGB(64, 120, 170));
    return c;
}

// The thumb: a foam-coloured knob; while dragged its rim glows.
Canvas Thumb() {
    return Strip(20, 20, 2, [](Canvas& c, int x, int f) {
        c.FillCircle(x + 10, 10, 9, f ? RGB(255, 214, 90) : RGB(40, 110, 170));
        c.FillCircle(x + 10, 10, 7, kFoam);
        c.FillCircle(x + 10, 10, 2, f ? RGB(255, 170, 60) : RGB(40, 110, 170));
    });
}

// The scroll bar lies in a dark trough with a lit channel down its middle; its parts are glassy
// like the keys. Every row of the trough is alike, so it stretches to any length, and the
// elevator's rounded caps show the trough at their corners.
COLORREF Trough(int x) {
    if (x == 0 || x == 15) return RGB(6, 18, 36);
    return x == 7 || x == 8 ? RGB(28, 70, 112) : RGB(12, 34, 64);
}

Canvas TroughCanvas(int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.Set(x, y, Trough(x % 16));
    return c;
}

// Three 16 x 16 frames (normal, pressed, disabled) of a rounded key with a triangle pointing
// up (less) or down (more).
Canvas ScrollArrow(bool up) {
    Canvas c = TroughCanvas(48, 16);
    for (int f = 0; f < 3; ++f) {
        const RoundFace& face = kRoundFaces[f];
        int x = f * 16;
        c.FillRoundRect(x, 0, x + 16, 16, 4, face.edge);
        Canvas g(12, 12);
        g.Gradient(0, 0, 12, 12, face.top, face.bottom);
        c.Paste(g, x + 2, 2);
        int tip = up ? 4 : 11, base = up ? 10 : 5, shift = f == 1 ? 1 : 0;
        c.FillTriangle(x + 4, base + shift, x + 11, base + shift, x + 8, tip + shift, face.icon);
    }
    return c;
}

// 16 x 15: a foam rim round a sea-blue body with a highlight, rounded at both ends.
Canvas Elevator() {
    Canvas c = TroughCanvas(16, 15);
    c.FillRoundRect(1, 0, 15, 15, 5, RGB(200, 232, 255));
    c.FillRoundRect(2, 1, 14, 14, 4, RGB(40, 130, 200));
    c.FillRect(4, 3, 6, 12, RGB(140, 205, 245));
    c.FillRect(11, 3, 12, 12, RGB(24, 90, 150));
    return c;
}

} // namespace

void AddOceanPictures(PictureMap& pictures) {
    pictures.insert({
        {u"main_bg.bmp", {MainBackground, 24}},
        {u"tile.bmp", {Tile, 24}},
        {u"button.bmp", {[] { return ButtonStrip(); }, 24}},
        {u"checkbox.bmp", {CheckBoxStrip, 24}},
        {u"radio.bmp", {RadioStrip, 24}},
        {u"logo.bmp", {Logo, 8}},
        {u"prev.bmp", {[] { return RoundButton(40, PrevIcon); }, 24}},
        {u"stop.bmp", {[] { return RoundButton(40, StopIcon); }, 24}},
        {u"play.bmp", {[] { return RoundButton(56, PlayIcon); }, 24}},
        {u"next.bmp", {[] { return RoundButton(40, NextIcon); }, 24}},
        {u"eq.bmp", {LevelMeter, 24}},
        {u"art.bmp", {AlbumArt, 24}},
        {u"volume.bmp", {VolumeTrack, 24}},
        {u"thumb.bmp", {Thumb, 24}},
        {u"smallbutton.bmp", {[] { return ButtonStrip(64, 24); }, 24}},
        {u"sb_less.bmp", {[] { return ScrollArrow(true); }, 24}},
        {u"sb_more.bmp", {[] { return ScrollArrow(false); }, 24}},
        {u"sb_shaft.bmp", {[] { return TroughCanvas(16, 8); }, 24}},
        {u"sb_elevator.bmp", {Elevator, 24}},
    });
}
