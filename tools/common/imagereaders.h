// The readers behind ExamineImage, one per file format. Each fills in the report's kind,
// format and why, and for a file it can read in full the image in the library's layout.
#pragma once

#include "imageconvert.h"
#include "rasterimage.h"

void ReadBitmapFile(const std::vector<uint8_t>& file, ImageReport& report, RasterImage& image);
void ReadPngFile(const std::vector<uint8_t>& file, ImageReport& report, RasterImage& image);

// "bitmap 8-bit" and the like, for a report's format and result.
std::string BitmapName(int bitCount);
