// Images as skin authors have them, examined against the one bitmap layout the library reads
// (a "BM" file with the 40-byte info header, the colour table or the three colour masks right
// after it, uncompressed rows bottom row first right after that) and converted into it.
//
// Image editors write other layouts by default: larger headers (52, 56, 108 or 124 bytes) with
// a gap before the pixels, rows top row first, run-length compressed 8-bit and 4-bit
// bitmaps, and PNG. All of these convert, keeping their depth where the layout allows: palette
// images stay palette images with their colours, 16- and 32-bit bitmaps keep their masks, PNG
// becomes 24-bit, or 32-bit when it has an alpha channel (the alpha stays in the fourth byte).
//
//   ImageReport report = ExamineImage(bytes);
//   if (report.kind == ImageKind::Convertible) Save(report.converted);  // report.result says what
//   else if (report.kind != ImageKind::LibraryBitmap) Tell(report.why + ": " +
//   ImageAdvice(report));
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ImageKind {
    LibraryBitmap, // already in the library's layout: leave it byte for byte
    Convertible,   // PNG or another bitmap layout, read in full: converted holds it
    Damaged,       // a bitmap or PNG file that cannot be read in full
    Unsupported,   // an image this converter does not read (JPEG, GIF, 2-bit pixels...)
    NotImage,      // neither a bitmap file nor PNG
};

struct ImageReport {
    ImageKind kind = ImageKind::NotImage;
    // What the file holds, e.g. "PNG 32-bit", "bitmap 24-bit with a 124-byte header and its
    // pixels at offset 138".
    std::string format;
    // Why the library will not read it as it is; empty for LibraryBitmap.
    std::string why;
    // For Convertible: what it becomes ("bitmap 8-bit") and the file in the library's layout.
    std::string result;
    std::vector<uint8_t> converted;
};

ImageReport ExamineImage(const std::vector<uint8_t>& file);

// What a skin author should do about an image that is not LibraryBitmap.
std::string ImageAdvice(const ImageReport& report);

// Whether a file or package entry is meant as an image: its name ends in an image extension
// or its bytes start like a bitmap file or PNG. Others are not examined.
bool LooksLikeImage(const std::string& name, const std::vector<uint8_t>& bytes);
