// Font matching (fontconfig), scaling and glyph rendering (FreeType).
#include "platform/gdi/font.h"

#include "platform/base/cstring.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>

namespace gdi {
namespace {

constexpr int kDefaultEm = 12;  // lfHeight 0
constexpr int kLargestEm = 512; // keeps glyph bitmaps within reason
const char* const kFallbackFamily = "DejaVu Sans";

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

struct Match {
    std::string file;
    int index = 0;
    std::string family;
    int fcWeight = FC_WEIGHT_REGULAR;
    int fcSlant = FC_SLANT_ROMAN;
};

bool SameFamily(FcPattern* font, const std::string& wanted) {
    CString want = CString::FromUtf8(wanted);
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        if (CString::FromUtf8(reinterpret_cast<const char*>(family)).CompareNoCase(want) == 0)
            return true;
    return false;
}

// The installed font of that family closest to the weight and slant, or nothing when
// fontconfig only has a substitute of another family.
// Fontconfig is started once and shut down when the process ends, so that its caches are
// released rather than reported as leaks.
bool StartFontconfig() {
    static const bool started = [] {
        if (!FcInit()) return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    return started;
}

std::optional<Match> FindFamily(const std::string& family, int weight, bool italic) {
    if (!StartFontconfig()) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::optional<Match> match;
    FcChar8* file = nullptr;
    if (font && SameFamily(font, family) &&
        FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
        Match m;
        m.file = reinterpret_cast<const char*>(file);
        m.family = family;
        FcPatternGetInteger(font, FC_INDEX, 0, &m.index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &m.fcWeight);
        FcPatternGetInteger(font, FC_SLANT, 0, &m.fcSlant);
        match = m;
    }
    if (font) FcPatternDestroy(font);
    return match;
}

int Round(double v) {
    return int(std::lround(v));
}

int Scaled(long fontUnits, int em, int unitsPerEm) {
    return Round(double(fontUnits) * em / unitsPerEm);
}

} // namespace

std::shared_ptr<RealFont> RealFont::Realise(const LOGFONTW& lf) {
    std::u16string face(lf.lfFaceName,
                        std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, u'\0'));
    int weight = lf.lfWeight > 0 ? std::min<LONG>(lf.lfWeight, 1000) : FW_NORMAL;
    bool italic = lf.lfItalic != 0;
    bool aa = lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY;
    CString lower{std::u16string_view(face)};
    lower.MakeLower();
    auto key = std::make_tuple(lower.ToUtf8(), weight, italic, lf.lfHeight, aa, lf.lfUnderline != 0,
                               lf.lfStrikeOut != 0);
    static std::map<decltype(key), std::shared_ptr<RealFont>>* cache =
        new std::map<decltype(key), std::shared_ptr<RealFont>>;
    if (auto it = cache->find(key); it != cache->end()) return it->second;

    std::optional<Match> match;
    if (!face.empty())
        match = FindFamily(CString(std::u16string_view(face)).ToUtf8(), weight, italic);
    if (!match) match = FindFamily(kFallbackFamily, weight, italic);
    if (!match) return nullptr;
    std::shared_ptr<RealFont> font(new RealFont);
    bool embolden = weight >= FW_SEMIBOLD && match->fcWeight < FC_WEIGHT_DEMIBOLD;
    bool slant = italic && match->fcSlant == FC_SLANT_ROMAN;
    if (!font->Open(match->file, match->index, lf, embolden, slant)) return nullptr;
    font->family = CString::FromUtf8(match->family).Str();
    font->weight = weight;
    font->italic = italic;
    font->antialiased = aa;
    (*cache)[key] = font;
    return font;
}

RealFont::~RealFont() {
    if (m_face) FT_Done_Face(m_face);
}

bool RealFont::Open(const std::string& file, int index, const LOGFONTW& lf, bool embolden,
                    bool slant) {
    FT_Library library = Library();
    if (!library || FT_New_Face(library, file.c_str(), index, &m_face) != 0) return false;
    if (!FT_IS_SCALABLE(m_face)) return false;
    m_embolden = embolden;
    m_slant = slant;
    underline = lf.lfUnderline != 0;
    strikeOut = lf.lfStrikeOut != 0;
    SetMetrics(lf);
    return true;
}

void RealFont::SetMetrics(const LOGFONTW& lf) {
    int upem = m_face->units_per_EM ? m_face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    long asc = os2 && os2->usWinAscent ? long(os2->usWinAscent) : long(m_face->ascender);
    long desc = os2 && os2->usWinDescent ? long(os2->usWinDescent) : -long(m_face->descender);
    long cell = std::max(1L, asc + desc);
    int64_t h = lf.lfHeight;
    int em;
    if (h > 0) {
        // Cell height: the ascent and descent share exactly the height asked for.
        h = std::min<int64_t>(h, kLargestEm);
        em = std::max(1, Round(double(h) * upem / cell));
        ascent = Round(double(h) * asc / cell);
        descent = int(h) - ascent;
    } else {
        em = h == 0 ? kDefaultEm : int(std::min<int64_t>(-h, kLargestEm));
        ascent = Scaled(asc, em, upem);
        descent = Scaled(desc, em, upem);
    }
    FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(em));
    height = ascent + descent;
    internalLeading = std::max(0, height - em);
    long avg =
        os2 && os2->xAvgCharWidth ? long(os2->xAvgCharWidth) : long(m_face->max_advance_width) / 2;
    aveCharWidth = std::max(1, Scaled(avg, em, upem));
    maxCharWidth = std::max(1, Scaled(m_face->max_advance_width, em, upem));
    lineThickness = std::max(1, Scaled(m_face->underline_thickness, em, upem));
    underlineOffset = std::max(1, Scaled(-m_face->underline_position, em, upem));
    strikeOffset = std::max(1, ascent / 3);
    fixedPitch = FT_IS_FIXED_WIDTH(m_face);
}

static void CopyCoverage(const FT_Bitmap& bitmap, Glyph& g) {
    g.width = int(bitmap.width);
    g.rows = int(bitmap.rows);
    g.coverage.assign(size_t(g.width) * size_t(g.rows), 0);
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            uint8_t c = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                            ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                            : row[x];
            g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = c;
        }
    }
}

const Glyph& RealFont::RenderGlyph(char32_t ch) {
    if (auto it = m_glyphs.find(ch); it != m_glyphs.end()) return it->second;
    Glyph& g = m_glyphs[ch];
    if (ch < kDirect) m_direct[ch] = &g;
    FT_UInt index = FT_Get_Char_Index(m_face, FT_ULong(ch));
    FT_Int32 load = antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(m_face, index, load) != 0) return g;
    FT_GlyphSlot slot = m_face->glyph;
    if (m_slant) FT_GlyphSlot_Oblique(slot);
    if (m_embolden) FT_GlyphSlot_Embolden(slot);
    g.advance = int((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    CopyCoverage(slot->bitmap, g);
    return g;
}

} // namespace gdi
