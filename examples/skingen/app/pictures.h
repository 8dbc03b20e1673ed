// The bitmaps of the sample skins, by the file names their definitions use.
#pragma once

#include "canvas.h"

#include <functional>
#include <map>
#include <string>

struct Picture {
    std::function<Canvas()> draw;
    int bitsPerPixel;
};
using PictureMap = std::map<std::u16string, Picture>;

const PictureMap& Pictures();

// Each sample skin adds its own drawings.
void AddOceanPictures(PictureMap& pictures);
void AddPaperPictures(PictureMap& pictures);
// The small icons of menus and trees, in each skin's inks.
void AddIconPictures(PictureMap& pictures);

// Magenta marks the pixels the controls treat as transparent.
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A strip of count frames of width w side by side, each drawn by frame(canvas, x, index).
Canvas Strip(int w, int h, int count, const std::function<void(Canvas&, int, int)>& frame);
