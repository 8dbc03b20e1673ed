// PNG files, read with libpng. Palette images stay palette images (1, 4 or 8 bits with their
// colours), grey images become palette images with a grey ramp, colour images 24-bit, and
// images with an alpha channel 32-bit with the alpha in the fourth byte. 16-bit channels are
// scaled to 8 bits; transparency chunks are dropped (skins mark transparency by colour).
#include "imagereaders.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace {

struct PngSource {
    const std::vector<uint8_t>* file = nullptr;
    size_t at = 0;
    std::string error;
};

// The image's shape, and what it becomes.
struct PngShape {
    png_uint_32 width = 0, height = 0;
    int depth = 0, type = 0;
    int bitCount = 0; // of the bitmap
    bool indexed = false;
    size_t rowBytes = 0; // of the rows libpng delivers
};

void ReadData(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->file->size() - source->at < count) png_error(png, "the file is cut short");
    std::memcpy(out, source->file->data() + source->at, count);
    source->at += count;
}

void OnError(png_structp png, png_const_charp message) {
    static_cast<PngSource*>(png_get_error_ptr(png))->error = message;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// One byte per index for palette and grey images, blue-green-red(-alpha) for the others.
void PlanTransforms(png_structp png, PngShape& s) {
    if (s.depth == 16) png_set_scale_16(png);
    if (s.depth < 8) png_set_packing(png);
    bool grey = s.type == PNG_COLOR_TYPE_GRAY || s.type == PNG_COLOR_TYPE_GRAY_ALPHA;
    if (s.type == PNG_COLOR_TYPE_PALETTE || s.type == PNG_COLOR_TYPE_GRAY) {
        s.indexed = true;
        s.bitCount = s.depth == 1 ? 1 : s.depth <= 4 ? 4 : 8;
    } else {
        if (grey) png_set_gray_to_rgb(png);
        png_set_bgr(png);
        s.bitCount = s.type & PNG_COLOR_MASK_ALPHA ? 32 : 24;
    }
    png_set_interlace_handling(png);
}

// Reads the rows top row first into pixels. libpng leaves through longjmp, so this frame and
// the callbacks hold nothing that needs destroying; the caller owns the buffers.
bool Decode(png_structp png, png_infop info, PngShape& s, std::vector<uint8_t>& pixels,
            std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, 32768, 32768);
    png_read_info(png, info);
    png_get_IHDR(png, info, &s.width, &s.height, &s.depth, &s.type, nullptr, nullptr, nullptr);
    PlanTransforms(png, s);
    png_read_update_info(png, info);
    s.rowBytes = png_get_rowbytes(png, info);
    if (s.rowBytes > kMaxImageBytes / s.height) png_error(png, "too large for a skin bitmap");
    // Compressed data stands for at most about a thousand times its size.
    size_t held = static_cast<PngSource*>(png_get_io_ptr(png))->file->size();
    if (s.rowBytes * s.height > std::max<size_t>(size_t(1) << 22, held * 1100))
        png_error(png, "the file is cut short");
    pixels.resize(s.rowBytes * s.height);
    rows.resize(s.height);
    for (png_uint_32 y = 0; y < s.height; ++y)
        rows[y] = pixels.data() + y * s.rowBytes;
    png_read_image(png, rows.data());
    return true;
}

std::string PngName(const PngShape& s) {
    int channels = s.type == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                   : s.type == PNG_COLOR_TYPE_RGB        ? 3
                   : s.type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                         : 1;
    std::string name = "PNG " + std::to_string(channels * s.depth) + "-bit";
    if (s.type == PNG_COLOR_TYPE_PALETTE) return name + " palette";
    if (s.type == PNG_COLOR_TYPE_GRAY) return name + " grey";
    return s.type == PNG_COLOR_TYPE_GRAY_ALPHA ? name + " grey with alpha" : name;
}

void ReadPalette(png_structp png, png_infop info, const PngShape& s, RasterImage& image) {
    size_t limit = size_t(1) << s.bitCount;
    if (s.type == PNG_COLOR_TYPE_GRAY) {
        unsigned levels = 1u << std::min(s.depth, 8);
        for (unsigned i = 0; i < levels && i < limit; ++i) {
            uint32_t v = i * 255 / (levels - 1);
            image.palette.push_back(v << 16 | v << 8 | v);
        }
        return;
    }
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    for (int i = 0; i < count && size_t(i) < limit; ++i)
        image.palette.push_back(uint32_t(colours[i].red) << 16 | colours[i].green << 8 |
                                colours[i].blue);
}

void FillImage(const PngShape& s, const std::vector<uint8_t>& pixels, RasterImage& image) {
    int height = int(s.height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels.data() + size_t(y) * s.rowBytes;
        if (!s.indexed) {
            std::memcpy(image.Row(height - 1 - y), row, s.rowBytes);
            continue;
        }
        for (int x = 0; x < int(s.width); ++x)
            image.SetIndex(x, height - 1 - y, row[x]);
    }
}

} // namespace

void ReadPngFile(const std::vector<uint8_t>& file, ImageReport& report, RasterImage& image) {
    PngSource source;
    source.file = &file;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        report.kind = ImageKind::Unsupported;
        report.why = "PNG image that libpng cannot start reading";
        return;
    }
    png_set_read_fn(png, &source, ReadData);
    PngShape shape;
    std::vector<uint8_t> pixels;
    std::vector<png_bytep> rows;
    bool read = Decode(png, info, shape, pixels, rows);
    report.format = shape.depth ? PngName(shape) : "PNG";
    if (read && image.Allocate(int(shape.width), int(shape.height), shape.bitCount)) {
        if (shape.indexed) ReadPalette(png, info, shape, image);
        FillImage(shape, pixels, image);
        report.kind = ImageKind::Convertible;
        report.why = report.format + " image; the library reads only bitmap files";
    } else {
        report.kind = ImageKind::Damaged;
        report.why = "damaged PNG image: " + (source.error.empty() ? "too large" : source.error);
    }
    png_destroy_read_struct(&png, &info, nullptr);
}
