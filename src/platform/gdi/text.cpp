// Fonts as objects, text metrics and extents, and ExtTextOut.
#include "platform/gdi/text.h"

#include "platform/gdi/blit.h"

#include "platform/base/wcsrt.h"

#include <algorithm>
#include <cstring>

namespace gdi {

RealFont* FontOf(DeviceContext* d) {
    auto* f = As<FontObject>(d->state.font);
    if (!f) return nullptr;
    if (!f->real) f->real = RealFont::Realise(f->logfont);
    return f->real.get();
}

void Append(TextLine& line, RealFont& font, char32_t ch, bool underlined) {
    int advance = font.GetGlyph(ch).advance;
    line.chars.push_back(ch);
    line.advances.push_back(advance);
    line.underlined.push_back(underlined ? 1 : 0);
    line.width += advance;
}

TextLine Shape(RealFont& font, const char16_t* text, size_t count, const INT* dx) {
    TextLine line;
    line.Reserve(count);
    for (size_t i = 0; i < count; ++i) {
        char32_t ch = text[i];
        size_t units = 1;
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < count && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            units = 2;
        } else if (ch >= 0xD800 && ch < 0xE000) {
            ch = 0xFFFD;
        }
        Append(line, font, ch, false);
        if (dx) {
            int advance = 0;
            for (size_t k = 0; k < units; ++k)
                advance += dx[i + k];
            line.width += advance - line.advances.back();
            line.advances.back() = advance;
        }
        i += units - 1;
    }
    return line;
}

static void FillClipped(Surface& s, const PixRegion& clip, const RECT& r, uint32_t value) {
    for (const pixman_box32_t& b : clip.Boxes()) {
        int l = std::max<int>(b.x1, r.left), t = std::max<int>(b.y1, r.top);
        int rt = std::min<int>(b.x2, r.right), bt = std::min<int>(b.y2, r.bottom);
        for (int y = t; y < bt && l < rt; ++y)
            FillValues(s, l, y, rt - l, value);
    }
}

static uint32_t Blend(const Surface& s, uint32_t under, COLORREF text, int coverage) {
    COLORREF d = ValueToColour(s, under);
    auto mix = [&](int t, int u) { return (t * coverage + u * (255 - coverage) + 127) / 255; };
    return ColourToValue(s,
                         RGB(mix(GetRValue(text), GetRValue(d)), mix(GetGValue(text), GetGValue(d)),
                             mix(GetBValue(text), GetBValue(d))));
}

static void DrawGlyph(Surface& s, const Glyph& g, int x0, int y0, COLORREF colour, bool aa,
                      const PixRegion& clip) {
    uint32_t value = ColourToValue(s, colour);
    for (const pixman_box32_t& b : clip.Boxes()) {
        int l = std::max<int>(b.x1, x0), t = std::max<int>(b.y1, y0);
        int r = std::min<int>(b.x2, x0 + g.width), bt = std::min<int>(b.y2, y0 + g.rows);
        for (int y = t; y < bt; ++y) {
            const uint8_t* row = g.coverage.data() + size_t(y - y0) * size_t(g.width);
            if (!aa && s.bpp == 32) {
                // The device's own text on the screen's format: straight into the row.
                auto* out = reinterpret_cast<uint32_t*>(s.Row(y));
                for (int x = l; x < r; ++x)
                    if (row[x - x0] >= 128) out[x] = value;
                continue;
            }
            for (int x = l; x < r; ++x) {
                int c = row[x - x0];
                if (!aa) {
                    if (c >= 128) PutValue(s, x, y, value);
                } else if (c == 255) {
                    PutValue(s, x, y, value);
                } else if (c > 0) {
                    PutValue(s, x, y, Blend(s, GetValue(s, x, y), colour, c));
                }
            }
        }
    }
}

void DrawTextLine(DeviceContext* d, RealFont& font, const TextLine& line, int left, int top,
                  const PixRegion& clip) {
    Surface& s = *d->Target();
    if (d->state.bkMode == OPAQUE && line.width > 0)
        FillClipped(s, clip, RECT{left, top, left + line.width, top + font.height},
                    ColourToValue(s, d->state.bkColour));
    COLORREF colour = d->state.textColour;
    uint32_t value = ColourToValue(s, colour);
    int baseline = top + font.ascent, pen = left;
    for (size_t i = 0; i < line.chars.size(); ++i) {
        const Glyph& g = font.GetGlyph(line.chars[i]);
        DrawGlyph(s, g, pen + g.left, baseline - g.top, colour, font.antialiased, clip);
        if (line.underlined[i]) {
            int y = baseline + font.underlineOffset;
            FillClipped(s, clip, RECT{pen, y, pen + line.advances[i], y + font.lineThickness},
                        value);
        }
        pen += line.advances[i];
    }
    if (font.underline) {
        int y = baseline + font.underlineOffset;
        FillClipped(s, clip, RECT{left, y, pen, y + font.lineThickness}, value);
    }
    if (font.strikeOut) {
        int y = baseline - font.strikeOffset;
        FillClipped(s, clip, RECT{left, y, pen, y + font.lineThickness}, value);
    }
    Touch(s);
}

static HFONT NewFont(const LOGFONTW& lf) {
    auto object = std::make_unique<FontObject>();
    object->logfont = lf;
    object->logfont.lfFaceName[LF_FACESIZE - 1] = 0;
    return ToHandle<HFONT>(Register(std::move(object)));
}

int GetFontObject(const void* handle, int size, void* buffer) {
    auto* f = As<FontObject>(handle);
    if (!f) return 0;
    if (!buffer) return int(sizeof(LOGFONTW));
    int n = std::min(size, int(sizeof(LOGFONTW)));
    if (n <= 0) return 0;
    std::memcpy(buffer, &f->logfont, size_t(n));
    return n;
}

} // namespace gdi

using namespace gdi;

HFONT CreateFontIndirect(const LOGFONTW* font) {
    return font ? NewFont(*font) : nullptr;
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outputPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic);
    lf.lfUnderline = BYTE(underline);
    lf.lfStrikeOut = BYTE(strikeOut);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outputPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (face) wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return NewFont(lf);
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICW tm) {
    DeviceContext* d = DC(hdc);
    RealFont* f = d ? FontOf(d) : nullptr;
    if (!f || !tm) return FALSE;
    *tm = TEXTMETRICW{};
    tm->tmHeight = f->height;
    tm->tmAscent = f->ascent;
    tm->tmDescent = f->descent;
    tm->tmInternalLeading = f->internalLeading;
    tm->tmAveCharWidth = f->aveCharWidth;
    tm->tmMaxCharWidth = f->maxCharWidth;
    tm->tmWeight = f->weight;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFFFC;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = f->italic;
    tm->tmUnderlined = f->underline;
    tm->tmStruckOut = f->strikeOut;
    // The low bit set means a variable pitch; TrueType outline fonts of the Swiss family.
    tm->tmPitchAndFamily = BYTE((f->fixedPitch ? 0 : 1) | 0x02 | 0x04 | FF_SWISS);
    tm->tmCharSet = DEFAULT_CHARSET;
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR text, int count, int maxExtent, int* fit,
                          int* partialExtents, LPSIZE size) {
    DeviceContext* d = DC(hdc);
    RealFont* f = d ? FontOf(d) : nullptr;
    if (!f || count < 0 || (count > 0 && !text)) return FALSE;
    TextLine line = Shape(*f, text, size_t(count));
    int extent = 0, fitting = 0;
    size_t unit = 0;
    for (size_t i = 0; i < line.chars.size(); ++i) {
        extent += line.advances[i];
        if (extent <= maxExtent) fitting = int(unit + (line.chars[i] > 0xFFFF ? 2 : 1));
        for (int k = 0; k < (line.chars[i] > 0xFFFF ? 2 : 1); ++k)
            if (partialExtents)
                partialExtents[unit++] = extent;
            else
                ++unit;
    }
    if (fit) *fit = fitting;
    if (size) *size = SIZE{line.width, f->height};
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    if (!size) return FALSE;
    return GetTextExtentExPoint(hdc, text, count, 0, nullptr, nullptr, size);
}

int GetTextFace(HDC hdc, int count, LPWSTR face) {
    DeviceContext* d = DC(hdc);
    RealFont* f = d ? FontOf(d) : nullptr;
    if (!f) return 0;
    int length = int(f->family.size());
    if (!face) return length + 1;
    if (count <= 0) return 0;
    int n = std::min(length, count - 1);
    std::copy_n(f->family.data(), n, face);
    face[n] = 0;
    return n;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                const INT* dx) {
    DeviceContext* d = DC(hdc);
    RealFont* f = d ? FontOf(d) : nullptr;
    if (!f || (count > 0 && !text) || !Fits(x, y) || (rect && !Fits(*rect))) return FALSE;
    TextLine line = Shape(*f, text, count, dx);
    UINT align = d->state.textAlign;
    if (align & TA_UPDATECP) x = d->state.position.x, y = d->state.position.y;
    int left = (align & TA_CENTER) == TA_CENTER ? x - line.width / 2
               : (align & TA_RIGHT)             ? x - line.width
                                                : x;
    int top = (align & TA_BASELINE) == TA_BASELINE ? y - f->ascent
              : (align & TA_BOTTOM)                ? y - f->height
                                                   : y;
    POINT off = d->Offset();
    PixRegion clip = d->Clip();
    if (rect) {
        RECT r{rect->left + off.x, rect->top + off.y, rect->right + off.x, rect->bottom + off.y};
        if (options & ETO_OPAQUE) FillDeviceRegion(d, PixRegion(r), d->state.bkColour, 0xF0);
        if (options & ETO_CLIPPED) clip.IntersectRect(r);
    }
    DrawTextLine(d, *f, line, left + off.x, top + off.y, clip);
    if (align & TA_UPDATECP) d->state.position.x = left + ((align & TA_RIGHT) ? 0 : line.width);
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, LPCWSTR text, int count) {
    if (count < 0) return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}
