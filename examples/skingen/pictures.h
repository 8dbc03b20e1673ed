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

const std::map<std::u16string, Picture>& Pictures();
