// DrawText: prefix characters, line breaks, word wrapping, alignment, clipping and measuring.
#include "platform/gdi/text.h"

#include "platform/base/wcsrt.h"

#include <algorithm>
#include <span>

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
void Prepare(const char16_t* text, size_t count, UINT format, Source& s) {
    s.text.clear();
    s.underlined.clear();
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

void Lines(RealFont& font, const Source& s, int maxWidth, UINT format, std::vector<Range>& lines) {
    lines.clear();
    if (format & DT_SINGLELINE) {
        lines.push_back({0, s.text.size()});
        return;
    }
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
}

void Layout(RealFont& font, const Source& s, Range r, UINT format, TextLine& line) {
    line.chars.clear();
    line.advances.clear();
    line.underlined.clear();
    line.width = 0;
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
}

// What a call works with, kept for the next: drawing a caption allocates nothing once the first
// few have sized it. Nothing that DrawText calls draws text, so one set serves every call; a
// long text's room is given back afterwards.
struct Work {
    Source source;
    std::vector<Range> ranges;
    std::vector<TextLine> lines; // the first ranges.size() hold the call's lines

    void Trim() {
        constexpr size_t kKept = 1024;
        if (source.text.capacity() > kKept || lines.size() > 64) *this = Work();
    }
};

Work& Scratch() {
    static thread_local Work work;
    return work;
}

} // namespace

int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* d = DC(hdc);
    RealFont* font = d ? FontOf(d) : nullptr;
    if (!font || !text || !rect || !Fits(*rect)) return 0;
    size_t n = count < 0 ? wcslen(text) : size_t(count);
    Work& work = Scratch();
    struct Trimmed {
        Work& work;
        ~Trimmed() { work.Trim(); }
    } trimmed{work};
    const Source& source = work.source;
    Prepare(text, n, format, work.source);
    RECT& r = *rect;
    Lines(*font, source, r.right - r.left, format, work.ranges);
    if (work.lines.size() < work.ranges.size()) work.lines.resize(work.ranges.size());
    std::span<const TextLine> lines(work.lines.data(), work.ranges.size());
    int widest = 0;
    for (size_t i = 0; i < work.ranges.size(); ++i) {
        Layout(*font, source, work.ranges[i], format, work.lines[i]);
        widest = std::max(widest, work.lines[i].width);
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
