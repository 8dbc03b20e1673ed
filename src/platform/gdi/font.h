// Realised fonts: a LOGFONTW matched through fontconfig and scaled with FreeType.
//
// Heights follow the device: a negative lfHeight is the character (em) height in pixels, a
// positive one the cell height (ascent + descent), 0 a default size. A face name that fontconfig
// does not know by that name falls back to DejaVu Sans. Glyphs are rendered without
// anti-aliasing unless the font asks for ANTIALIASED_QUALITY, so that a text pixel is either the
// text colour or untouched.
#pragma once

#include "platform/gdi/gdidefs.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace gdi {

struct Glyph {
    int left = 0; // bitmap's left edge relative to the pen position
    int top = 0;  // rows of the bitmap above the baseline
    int width = 0;
    int rows = 0;
    int advance = 0;               // whole pixels
    std::vector<uint8_t> coverage; // width * rows, 0 (none) to 255 (full)
};

class RealFont {
public:
    // Null only when no usable font exists on the host at all.
    static std::shared_ptr<RealFont> Realise(const LOGFONTW& logfont);
    ~RealFont();
    RealFont(const RealFont&) = delete;
    RealFont& operator=(const RealFont&) = delete;

    // Rendered once per character; the first code points are then found without a lookup.
    const Glyph& GetGlyph(char32_t ch) {
        if (ch < kDirect && m_direct[ch]) return *m_direct[ch];
        return RenderGlyph(ch);
    }

    int ascent = 0;
    int descent = 0;
    int height = 0;
    int internalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool antialiased = false;
    bool fixedPitch = false;
    int underlineOffset = 1; // rows below the baseline
    int lineThickness = 1;
    int strikeOffset = 0;  // rows above the baseline
    std::u16string family; // the face actually used

private:
    RealFont() = default;
    bool Open(const std::string& file, int index, const LOGFONTW& lf, bool embolden, bool slant);
    void SetMetrics(const LOGFONTW& lf);
    const Glyph& RenderGlyph(char32_t ch);

    FT_FaceRec_* m_face = nullptr;
    bool m_embolden = false;
    bool m_slant = false;
    std::unordered_map<char32_t, Glyph> m_glyphs; // its nodes stay where they are
    static constexpr char32_t kDirect = 256;
    const Glyph* m_direct[kDirect] = {};
};

} // namespace gdi
