// DrawText: prefix characters, line breaks, word wrapping, alignment, clipping and measuring.
#include "platform/gdi/text.h"

#include "platform/base/wcsrt.h"

#include <algorithm>

using namespace gdi;

namespace {

struct Source {
    std::u16string text;
    std::vector<uint8_t> underlined;
};

bool IsBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Applies the '&' prefix rules ("&x" underlines x, "&&" is one '&') and, for one-line output,
// drops line breaks.
Source Prepare(const char16_t* text, size_t count, UINT format) {
    Source s;
    s.text.reserve(count);
    s.underlined.reserve(count);
    bool prefix = !(format & DT_NOPREFIX), single = format & DT_SINGLELINE;
    for (size_t i = 0; i < count; ++i) {
        char16_t c = text[i];
        bool marked = false;
        if (prefix && c == u'&') {
            if (i + 1 >= count) break; // a trailing '&' marks nothing
            c = text[++i];
            marked = c != u'&';
        }
        if (single && IsBreak(c)) continue;
        s.text.push_back(c);
        s.underlined.push_back(marked ? 1 : 0);
    }
    return s;
}

struct Range {
    size_t begin, end;
};

int Width(RealFont& font, const Source& s, Range r, UINT format) {
    int width = 0;
    for (size_t i = r.begin; i < r.end; ++i) {
        if ((format & DT_EXPANDTABS) && s.text[i] == u'\t') {
            int stop = 8 * font.aveCharWidth;
            width = (width / stop + 1) * stop;
        } else {
            width += font.GetGlyph(s.text[i]).advance;
        }
    }
    return width;
}

// The end of the longest run from start that fits maxWidth, at least one character: where
// the device breaks a word too wide for a line of its own.
size_t FitCharacters(RealFont& font, const Source& s, size_t start, size_t end, int maxWidth,
                     UINT format) {
    size_t fit = start + 1;
    while (fit < end && Width(font, s, {start, fit + 1}, format) <= maxWidth)
        ++fit;
    return fit;
}

// Greedy wrapping at spaces; a word wider than the line is broken between characters.
void Wrap(RealFont& font, const Source& s, Range para, int maxWidth, UINT format,
          std::vector<Range>& lines) {
    size_t start = para.begin;
    while (start < para.end) {
        size_t end = start, lastFit = start;
        while (end < para.end) {
            size_t wordEnd = end;
            while (wordEnd < para.end && s.text[wordEnd] == u' ')
                ++wordEnd;
            while (wordEnd < para.end && s.text[wordEnd] != u' ')
                ++wordEnd;
            if (Width(font, s, {start, wordEnd}, format) > maxWidth) {
                if (lastFit == start)
                    end = FitCharacters(font, s, start, wordEnd, maxWidth, format);
                break;
            }
            end = lastFit = wordEnd;
        }
        size_t trimmed = end;
        while (trimmed > start && s.text[trimmed - 1] == u' ')
            --trimmed;
        lines.push_back({start, trimmed});
        start = end;
        while (start < para.end && s.text[start] == u' ')
            ++start;
    }
    if (para.begin == para.end) lines.push_back(para);
}

std::vector<Range> Lines(RealFont& font, const Source& s, int maxWidth, UINT format) {
    std::vector<Range> lines;
    if (format & DT_SINGLELINE) return {{0, s.text.size()}};
    size_t begin = 0;
    for (size_t i = 0; i <= s.text.size(); ++i) {
        if (i < s.text.size() && !IsBreak(s.text[i])) continue;
        Range para{begin, i};
        if (format & DT_WORDBREAK)
            Wrap(font, s, para, maxWidth, format, lines);
        else
            lines.push_back(para);
        if (i + 1 < s.text.size() && s.text[i] == u'\r' && s.text[i + 1] == u'\n') ++i;
        begin = i + 1;
    }
    return lines;
}

TextLine Layout(RealFont& font, const Source& s, Range r, UINT format) {
    TextLine line;
    line.Reserve(r.end - r.begin);
    for (size_t i = r.begin; i < r.end; ++i) {
        if ((format & DT_EXPANDTABS) && s.text[i] == u'\t') {
            int stop = 8 * font.aveCharWidth;
            int advance = (line.width / stop + 1) * stop - line.width;
            Append(line, font, u' ', false);
            line.width += advance - line.advances.back();
            line.advances.back() = advance;
        } else {
            Append(line, font, s.text[i], s.underlined[i]);
        }
    }
    return line;
}

} // namespace

int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* d = DC(hdc);
    RealFont* font = d ? FontOf(d) : nullptr;
    if (!font || !text || !rect || !Fits(*rect)) return 0;
    size_t n = count < 0 ? wcslen(text) : size_t(count);
    Source source = Prepare(text, n, format);
    RECT& r = *rect;
    std::vector<Range> ranges = Lines(*font, source, r.right - r.left, format);
    std::vector<TextLine> lines;
    lines.reserve(ranges.size());
    int widest = 0;
    for (Range range : ranges) {
        lines.push_back(Layout(*font, source, range, format));
        widest = std::max(widest, lines.back().width);
    }
    int lineHeight = font->height;
    int total = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        r.right = r.left + widest;
        r.bottom = r.top + total;
        return total;
    }
    int top = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = r.top + (r.bottom - r.top - total) / 2;
        else if (format & DT_BOTTOM)
            top = r.bottom - total;
    }
    POINT off = d->Offset();
    PixRegion clip = d->Clip();
    if (!(format & DT_NOCLIP))
        clip.IntersectRect(RECT{r.left + off.x, r.top + off.y, r.right + off.x, r.bottom + off.y});
    int y = top;
    for (const TextLine& line : lines) {
        int x = r.left;
        if (format & DT_CENTER)
            x = r.left + (r.right - r.left - line.width) / 2;
        else if (format & DT_RIGHT)
            x = r.right - line.width;
        DrawTextLine(d, *font, line, x + off.x, y + off.y, clip);
        y += lineHeight;
    }
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return top - r.top + total;
    return total;
}
