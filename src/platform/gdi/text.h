// Text layout shared by ExtTextOut and DrawText: a line of characters with their advances,
// drawn from the top-left corner of its cell.
#pragma once

#include "platform/gdi/font.h"
#include "platform/gdi/types.h"

namespace gdi {

struct TextLine {
    std::vector<char32_t> chars;
    std::vector<int> advances;
    std::vector<uint8_t> underlined; // characters marked by a prefix '&'
    int width = 0;

    // Room for n characters at once, rather than growing with each.
    void Reserve(size_t n) {
        chars.reserve(n);
        advances.reserve(n);
        underlined.reserve(n);
    }
};

// The realised font selected into d (null when no font exists on the host).
RealFont* FontOf(DeviceContext* d);

// Decodes UTF-16 (unpaired surrogates become U+FFFD) and takes each character's advance from
// the font, or from dx (one entry per code unit) when given.
TextLine Shape(RealFont& font, const char16_t* text, size_t count, const INT* dx = nullptr);
void Append(TextLine& line, RealFont& font, char32_t ch, bool underlined);

// Draws line with its cell's top-left at (left, top) in surface coordinates, within clip: the
// cell in the background colour first when the context's mode is OPAQUE, then the glyphs and
// lines in the text colour.
void DrawTextLine(DeviceContext* d, RealFont& font, const TextLine& line, int left, int top,
                  const PixRegion& clip);

} // namespace gdi
