#include "imageconvert.h"

#include "imagereaders.h"

#include <algorithm>
#include <cstring>

namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, const char* signature, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

bool IsBitmap(const std::vector<uint8_t>& bytes) {
    return StartsWith(bytes, "BM", 2);
}

bool IsPng(const std::vector<uint8_t>& bytes) {
    return StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8);
}

// Formats an author may have saved by mistake, named so that the advice makes sense.
const char* OtherImageFormat(const std::vector<uint8_t>& bytes) {
    if (StartsWith(bytes, "\xff\xd8\xff", 3)) return "JPEG";
    if (StartsWith(bytes, "GIF8", 4)) return "GIF";
    if (StartsWith(bytes, "II*\0", 4) || StartsWith(bytes, "MM\0*", 4)) return "TIFF";
    if (StartsWith(bytes, "RIFF", 4) && bytes.size() >= 12 &&
        std::memcmp(bytes.data() + 8, "WEBP", 4) == 0)
        return "WebP";
    if (StartsWith(bytes, "\0\0\1\0", 4)) return "icon (.ico)";
    return nullptr;
}

} // namespace

ImageReport ExamineImage(const std::vector<uint8_t>& file) {
    ImageReport report;
    RasterImage image;
    if (IsBitmap(file)) {
        ReadBitmapFile(file, report, image);
    } else if (IsPng(file)) {
        ReadPngFile(file, report, image);
    } else if (const char* other = OtherImageFormat(file)) {
        report.kind = ImageKind::Unsupported;
        report.format = std::string(other) + " image";
        report.why = report.format + "; the library reads only bitmap files";
    } else {
        report.why = "neither a bitmap file nor an image of a known format";
    }
    if (report.kind == ImageKind::Convertible) {
        report.converted = PlainBitmapFile(image);
        report.result = BitmapName(image.bitCount);
    }
    return report;
}

std::string ImageAdvice(const ImageReport& report) {
    switch (report.kind) {
    case ImageKind::LibraryBitmap:
        return "";
    case ImageKind::Convertible:
        return "rebuild the skin with `skinpack build`, which converts it";
    case ImageKind::Damaged:
        return "save the image again from its editor, then rebuild the skin with `skinpack build`";
    default:
        return "save it as PNG or as a bitmap file, then rebuild the skin with `skinpack build`";
    }
}

bool LooksLikeImage(const std::string& name, const std::vector<uint8_t>& bytes) {
    static const char* const extensions[] = {"bmp", "bmi", "dib",  "png",  "jpg", "jpeg",
                                             "gif", "tif", "tiff", "webp", "ico"};
    size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const char* known : extensions)
        if (extension == known) return true;
    return IsBitmap(bytes) || IsPng(bytes) || OtherImageFormat(bytes) != nullptr;
}
