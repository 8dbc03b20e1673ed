// Paper's bitmaps: cream ruled paper, ink-drawn keys with square shoulders, diamond radio
// marks, a dotted level meter, woodcut-style album art, a ruled volume scale with a red tab,
// and a red stamp for a logo. Everything Ocean draws round, Paper draws square.
#include "pictures.h"

#include <cstdlib>

namespace {

const COLORREF kCream = RGB(250, 244, 228), kInk = RGB(70, 48, 32), kRed = RGB(176, 52, 40);
const COLORREF kPale = RGB(255, 252, 242), kShadow = RGB(196, 184, 160);

Canvas Background() {
    Canvas c(240, 320);
    c.Gradient(0, 0, 240, 320, RGB(252, 249, 238), RGB(240, 231, 210));
    for (int y = 66; y < 320; y += 22)
        c.FillRect(8, y, 232, y + 1, RGB(226, 228, 234));
    c.FillRect(8, 40, 232, 41, kRed);
    c.FillRect(8, 42, 232, 43, kRed);
    return c;
}

Canvas Tile() {
    Canvas c(16, 16, kCream);
    c.FillRect(0, 15, 16, 16, RGB(226, 228, 234));
    c.Set(7, 7, RGB(236, 228, 208));
    return c;
}

// A key of w x h by frame: normal (raised on a shadow), pressed (sunk), disabled, and
// released outside (a red rim). The shadow and the square shoulders stay opaque.
void Key(Canvas& c, int x, int w, int h, int f, int radius) {
    bool pressed = f == 1, disabled = f == 2;
    int top = pressed ? 2 : 0, bottom = pressed ? h : h - 2;
    // The shadow, and for a sunk key the gap above it: every frame covers frame 0's shape.
    c.FillRoundRect(x, pressed ? 0 : 2, x + w, pressed ? h - 2 : h, radius, kShadow);
    COLORREF rim = disabled ? RGB(170, 160, 146) : f == 3 ? kRed : kInk;
    c.FillRoundRect(x, top, x + w, bottom, radius, rim);
    c.FillRoundRect(x + 2, top + 2, x + w - 2, bottom - 2, radius - 1,
                    disabled  ? RGB(240, 236, 228)
                    : pressed ? RGB(232, 220, 192)
                              : kPale);
}

Canvas ButtonStrip() {
    return Strip(100, 28, 4, [](Canvas& c, int x, int f) { Key(c, x, 100, 28, f, 4); });
}

using Icon = void (*)(Canvas&, int cx, int cy, COLORREF ink, int frame);

Canvas KeyStrip(int w, int h, Icon icon) {
    return Strip(w, h, 4, [&](Canvas& c, int x, int f) {
        Key(c, x, w, h, f, 6);
        COLORREF ink = f == 2 ? RGB(176, 166, 150) : f == 1 ? kRed : kInk;
        icon(c, x + w / 2, (f == 1 ? h / 2 + 1 : h / 2 - 1), ink, f);
    });
}

void PrevIcon(Canvas& c, int cx, int cy, COLORREF k, int) {
    c.FillTriangle(cx - 1, cy - 7, cx - 1, cy + 7, cx - 9, cy, k);
    c.FillTriangle(cx + 8, cy - 7, cx + 8, cy + 7, cx, cy, k);
}

void NextIcon(Canvas& c, int cx, int cy, COLORREF k, int) {
    c.FillTriangle(cx + 1, cy - 7, cx + 1, cy + 7, cx + 9, cy, k);
    c.FillTriangle(cx - 8, cy - 7, cx - 8, cy + 7, cx, cy, k);
}

void StopIcon(Canvas& c, int cx, int cy, COLORREF k, int) {
    c.FillRect(cx - 6, cy - 6, cx + 7, cy + 7, k);
}

void PlayIcon(Canvas& c, int cx, int cy, COLORREF k, int frame) {
    if (frame == 1) { // latched down: playing, so it offers pause
        c.FillRect(cx - 8, cy - 9, cx - 2, cy + 10, k);
        c.FillRect(cx + 3, cy - 9, cx + 9, cy + 10, k);
    } else {
        c.FillTriangle(cx - 7, cy - 11, cx - 7, cy + 11, cx + 11, cy, k);
    }
}

// Four 18 x 18 frames: unchecked, unchecked disabled, checked (a red cross), checked disabled.
Canvas CheckStrip() {
    return Strip(18, 18, 4, [](Canvas& c, int x, int f) {
        bool disabled = f % 2 == 1, checked = f >= 2;
        c.FillRect(x + 1, 1, x + 17, 17, disabled ? RGB(176, 166, 150) : kInk);
        c.FillRect(x + 3, 3, x + 15, 15, disabled ? RGB(240, 236, 228) : RGB(255, 255, 255));
        if (checked) {
            COLORREF mark = disabled ? RGB(190, 170, 160) : kRed;
            c.Line(x + 5, 5, x + 12, 12, mark, 2);
            c.Line(x + 12, 5, x + 5, 12, mark, 2);
        }
    });
}

// Diamonds: an ink outline, a red diamond inside when checked.
Canvas RadioStrip() {
    return Strip(18, 18, 4, [](Canvas& c, int x, int f) {
        bool disabled = f % 2 == 1, checked = f >= 2;
        auto diamond = [&](int r, COLORREF colour) {
            for (int y = -r; y <= r; ++y)
                for (int dx = -r; dx <= r; ++dx)
                    if (std::abs(dx) + std::abs(y) <= r) c.Set(x + 9 + dx, 9 + y, colour);
        };
        diamond(8, disabled ? RGB(176, 166, 150) : kInk);
        diamond(6, disabled ? RGB(240, 236, 228) : RGB(255, 255, 255));
        if (checked) diamond(3, disabled ? RGB(190, 170, 160) : kRed);
    });
}

// Twelve square dots, lit from the left by the level of four moments of the music.
Canvas LevelMeter() {
    static const int lit[4] = {4, 7, 10, 6};
    return Strip(120, 12, 4, [](Canvas& c, int x, int f) {
        for (int d = 0; d < 12; ++d) {
            COLORREF colour = d < lit[f] ? (d < 8 ? kInk : kRed) : RGB(226, 214, 190);
            c.FillRect(x + d * 10, 2, x + d * 10 + 8, 10, colour);
        }
    });
}

// Woodcut-style covers in ink on cream: mountains under a sun, a boat on waves, a tree.
Canvas AlbumArt() {
    return Strip(80, 80, 3, [](Canvas& c, int x, int f) {
        c.FillRect(x, 0, x + 80, 80, RGB(246, 236, 210));
        if (f == 0) {
            c.FillCircle(x + 56, 22, 10, kRed);
            c.FillTriangle(x + 4, 70, x + 30, 26, x + 56, 70, kInk);
            c.FillTriangle(x + 34, 70, x + 56, 38, x + 78, 70, RGB(120, 92, 64));
            c.FillTriangle(x + 24, 36, x + 30, 26, x + 36, 36, RGB(246, 236, 210));
        } else if (f == 1) {
            for (int row = 0; row < 4; ++row)
                for (int wx = 0; wx < 80; ++wx) {
                    int lift = std::abs((wx + row * 5) % 16 - 8) / 3;
                    c.Set(x + wx, 56 + row * 6 - lift, kInk);
                }
            c.FillTriangle(x + 22, 50, x + 58, 50, x + 50, 58, kInk);
            c.Line(x + 40, 14, x + 40, 50, kInk, 2);
            c.FillTriangle(x + 42, 16, x + 42, 46, x + 62, 46, kRed);
        } else {
            c.FillRect(x + 36, 44, x + 44, 74, kInk);
            c.FillCircle(x + 40, 30, 20, RGB(90, 120, 70));
            c.FillCircle(x + 30, 36, 10, RGB(70, 100, 56));
            c.FillRect(x + 4, 74, x + 76, 76, kInk);
        }
        c.FrameRect(x, 0, x + 80, 80, kInk);
        c.FrameRect(x + 2, 2, x + 78, 78, kInk);
    });
}

// A ruled scale: a thin ink line with ticks every tenth, opaque on cream.
Canvas VolumeScale() {
    Canvas c(208, 28, kCream);
    c.FillRect(6, 14, 202, 16, kInk);
    for (int i = 0; i <= 10; ++i) {
        int tx = 13 + i * 182 / 10;
        c.FillRect(tx, i % 5 == 0 ? 6 : 9, tx + 1, 14, kInk);
    }
    return c;
}

// A red tab on a pin; while dragged it darkens.
Canvas Thumb() {
    return Strip(14, 24, 2, [](Canvas& c, int x, int f) {
        c.FillRect(x + 1, 2, x + 13, 22, kInk);
        c.FillRect(x + 3, 4, x + 11, 20, f ? RGB(120, 30, 24) : kRed);
        c.FillRect(x + 6, 8, x + 8, 16, kPale);
    });
}

// A red round stamp with a white note.
Canvas Logo() {
    Canvas c(28, 28, kMagenta);
    c.FillCircle(14, 14, 13, kRed);
    c.Ring(14, 14, 11, 1, kPale);
    c.FillCircle(11, 18, 4, kPale);
    c.FillRect(14, 6, 16, 18, kPale);
    c.FillRect(14, 6, 20, 8, kPale);
    return c;
}

// The scroll bar is a ruled margin: a pale strip between shadow rules with a fine rule down
// its middle, boxed ink keys, and a red tab for the elevator. Every row of the margin is alike,
// so it stretches to any length.
COLORREF Margin(int x) {
    if (x == 0 || x == 13) return kShadow;
    return x == 6 || x == 7 ? RGB(214, 216, 226) : kPale;
}

Canvas MarginCanvas(int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.Set(x, y, Margin(x % 14));
    return c;
}

// Three 14 x 14 frames: an ink box with an ink triangle; pressed, the box fills with ink and
// the triangle turns pale; disabled, both fade to shadow.
Canvas ScrollKey(bool up) {
    return Strip(14, 14, 3, [up](Canvas& c, int x, int f) {
        COLORREF edge = f == 2 ? kShadow : kInk;
        c.FillRect(x, 0, x + 14, 14, edge);
        c.FillRect(x + 1, 1, x + 13, 13, f == 1 ? kInk : kPale);
        COLORREF mark = f == 1 ? kPale : f == 2 ? kShadow : kInk;
        int tip = up ? 4 : 9, base = up ? 9 : 4;
        c.FillTriangle(x + 3, base, x + 10, base, x + 6, tip, mark);
        c.FillTriangle(x + 4, base, x + 11, base, x + 7, tip, mark);
    });
}

// 14 x 15: a red tab boxed in ink, a pale rule down its middle, square at both ends.
Canvas ScrollTab() {
    Canvas c = MarginCanvas(14, 15);
    c.FillRect(1, 0, 13, 15, kInk);
    c.FillRect(2, 1, 12, 14, kRed);
    c.FillRect(6, 3, 8, 12, kPale);
    return c;
}

} // namespace

void AddPaperPictures(PictureMap& pictures) {
    pictures.insert({
        {u"paper_bg.bmp", {Background, 24}},
        {u"paper_tile.bmp", {Tile, 24}},
        {u"paper_button.bmp", {ButtonStrip, 24}},
        {u"paper_check.bmp", {CheckStrip, 24}},
        {u"paper_radio.bmp", {RadioStrip, 24}},
        {u"paper_prev.bmp", {[] { return KeyStrip(44, 36, PrevIcon); }, 24}},
        {u"paper_stop.bmp", {[] { return KeyStrip(44, 36, StopIcon); }, 24}},
        {u"paper_play.bmp", {[] { return KeyStrip(56, 44, PlayIcon); }, 24}},
        {u"paper_next.bmp", {[] { return KeyStrip(44, 36, NextIcon); }, 24}},
        {u"paper_eq.bmp", {LevelMeter, 24}},
        {u"paper_art.bmp", {AlbumArt, 24}},
        {u"paper_volume.bmp", {VolumeScale, 24}},
        {u"paper_thumb.bmp", {Thumb, 24}},
        {u"paper_logo.bmp", {Logo, 24}},
        {u"paper_small.bmp",
         {[] { return Strip(64, 22, 4, [](Canvas& c, int x, int f) { Key(c, x, 64, 22, f, 4); }); },
          24}},
        {u"paper_sb_less.bmp", {[] { return ScrollKey(true); }, 24}},
        {u"paper_sb_more.bmp", {[] { return ScrollKey(false); }, 24}},
        {u"paper_sb_shaft.bmp", {[] { return MarginCanvas(14, 8); }, 24}},
        {u"paper_sb_elevator.bmp", {ScrollTab, 24}},
    });
}
