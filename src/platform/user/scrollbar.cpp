// The standard scroll bars of a window: their values, showing and hiding them, their layout
// and their painting. Tracking a press lives in scrolltrack.cpp.
//
// Invariant: a bar's position always lies between its minimum and MaxScrollPos; its page never
// exceeds the range's size.
#include "platform/user/scrollbar.h"

#include <algorithm>

namespace user {
namespace {

// The smallest thumb still worth aiming at with a stylus.
constexpr int kMinThumb = 8;

DWORD StyleOf(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

// The window and its bar's values; null for a bad handle or a bar that is not a window's own.
ScrollBarInfo* InfoOf(HWND hwnd, int bar, Window** out) {
    Window* w = Checked(hwnd);
    if (!w || w->isDesktop || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
    *out = w;
    return &w->scroll[bar];
}

// Shows or hides bars: the client area grows or shrinks, what moved between client and frame
// is repainted, and the window is told its new client size.
void SetBarStyles(Window* w, DWORD bars, bool show) {
    DWORD style = show ? (w->style | bars) : (w->style & ~bars);
    if (style == w->style) return;
    HWND hwnd = w->handle;
    RECT before = ClientRectScreen(w);
    gdi::PixRegion shown = ShownArea(w);
    w->style = style;
    GeometryChanged();
    RECT after = ClientRectScreen(w), common;
    gdi::PixRegion changed(WindowRectScreen(w));
    if (IntersectRect(&common, &before, &after)) changed.Subtract(gdi::PixRegion(common));
    changed.Intersect(shown);
    InvalidateScreenArea(changed, true);
    RefreshDCs();
    RECT client;
    GetClientRect(hwnd, &client);
    CallProc(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void Clamp(ScrollBarInfo& info) {
    if (info.max < info.min) info.max = info.min;
    int64_t size = int64_t(info.max) - info.min + 1;
    if (int64_t(info.page) > size) info.page = UINT(size);
    info.pos = std::clamp(info.pos, info.min, MaxScrollPos(info));
}

bool SameLayout(const ScrollLayout& a, const ScrollLayout& b) {
    return EqualRect(&a.bar, &b.bar) && a.arrow == b.arrow && a.thumbPos == b.thumbPos &&
           a.thumbSize == b.thumbSize && a.scrollable == b.scrollable;
}

// Shows the bar when its values give something to scroll, hides it (or disables it) when they
// do not; only a change of range or page decides.
void ShowOrHide(Window* w, int bar, UINT mask, bool rangeChanged) {
    ScrollBarInfo& info = w->scroll[bar];
    bool scrolls = info.min < MaxScrollPos(info);
    if (!scrolls && (mask & SIF_DISABLENOSCROLL)) {
        info.disabled = ESB_DISABLE_BOTH;
    } else if (!scrolls && rangeChanged) {
        SetBarStyles(w, StyleOf(bar), false);
    } else if (scrolls && (rangeChanged || (mask & SIF_DISABLENOSCROLL))) {
        info.disabled = ESB_ENABLE_BOTH;
        SetBarStyles(w, StyleOf(bar), true);
    }
}

RECT AlongRect(const ScrollLayout& l, int from, int to) {
    if (to <= from) return RECT{};
    const RECT& b = l.bar;
    return l.vertical ? RECT{b.left, b.top + from, b.right, b.top + to}
                      : RECT{b.left + from, b.top, b.left + to, b.bottom};
}

// The shaft: the system's checked scroll-bar pattern (built in a section, one pass over its
// pixels), dark where a held page part is.
void FillShaft(HDC dc, const RECT& r, bool held) {
    if (IsRectEmpty(&r)) return;
    if (held) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
        return;
    }
    int width = int(r.right - r.left), height = int(r.bottom - r.top);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return;
    auto pixel = [](int index) {
        COLORREF c = GetSysColor(index);
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    };
    uint32_t even = pixel(COLOR_SCROLLBAR), odd = pixel(COLOR_BTNHIGHLIGHT);
    auto* out = static_cast<uint32_t*>(bits);
    // Aligned to the window, so the pattern stays put as the thumb moves.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *out++ = ((x + y + r.left + r.top) & 1) ? odd : even;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(dc, int(r.left), int(r.top), width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
}

} // namespace

int MaxScrollPos(const ScrollBarInfo& info) {
    int64_t top = int64_t(info.max) - std::max<int64_t>(int64_t(info.page) - 1, 0);
    return int(std::max<int64_t>(top, info.min));
}

RECT ScrollBarRect(const Window* w, int bar) {
    if (w->isDesktop || !(w->style & StyleOf(bar))) return RECT{};
    RECT c = ClientRectInWindow(w);
    int b = BorderWidth(w);
    LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    if (bar == SB_VERT) return RECT{c.right, c.top, std::max(c.right, width - b), c.bottom};
    return RECT{c.left, c.bottom, c.right, std::max(c.bottom, height - b)};
}

ScrollLayout LayoutScrollBar(const Window* w, int bar) {
    ScrollLayout l;
    l.vertical = bar == SB_VERT;
    l.bar = ScrollBarRect(w, bar);
    if (IsRectEmpty(&l.bar)) return ScrollLayout{};
    l.length = l.vertical ? l.bar.bottom - l.bar.top : l.bar.right - l.bar.left;
    l.arrow = std::min(GetSystemMetrics(l.vertical ? SM_CYVSCROLL : SM_CXHSCROLL), l.length / 2);
    const ScrollBarInfo& info = w->scroll[bar];
    int maxPos = MaxScrollPos(info);
    l.scrollable = info.min < maxPos && info.disabled != ESB_DISABLE_BOTH;
    int shaft = l.length - 2 * l.arrow;
    if (!l.scrollable) return l;
    int64_t range = int64_t(info.max) - info.min + 1;
    int size = info.page ? int(int64_t(shaft) * info.page / range)
                         : GetSystemMetrics(l.vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    size = std::max(size, kMinThumb);
    if (size > shaft) return l; // no room for a thumb: the shaft only pages
    l.thumbSize = size;
    l.thumbPos = l.arrow + int(int64_t(shaft - size) * (int64_t(info.pos) - info.min) /
                               (int64_t(maxPos) - info.min));
    return l;
}

int OffsetAlong(const ScrollLayout& l, POINT p) {
    return l.vertical ? int(p.y - l.bar.top) : int(p.x - l.bar.left);
}

ScrollPart PartAt(const ScrollLayout& l, int offset) {
    if (offset < 0 || offset >= l.length) return ScrollPart::None;
    if (offset < l.arrow) return ScrollPart::LessArrow;
    if (offset >= l.length - l.arrow) return ScrollPart::MoreArrow;
    if (!l.thumbSize) return offset < l.length / 2 ? ScrollPart::LessPage : ScrollPart::MorePage;
    if (offset < l.thumbPos) return ScrollPart::LessPage;
    if (offset < l.thumbPos + l.thumbSize) return ScrollPart::Thumb;
    return ScrollPart::MorePage;
}

RECT PartRect(const ScrollLayout& l, ScrollPart part) {
    int split = l.thumbSize ? l.thumbPos : l.length / 2;
    int after = l.thumbSize ? l.thumbPos + l.thumbSize : split;
    switch (part) {
    case ScrollPart::LessArrow:
        return AlongRect(l, 0, l.arrow);
    case ScrollPart::LessPage:
        return AlongRect(l, l.arrow, split);
    case ScrollPart::Thumb:
        return AlongRect(l, l.thumbPos, l.thumbPos + l.thumbSize);
    case ScrollPart::MorePage:
        return AlongRect(l, after, l.length - l.arrow);
    case ScrollPart::MoreArrow:
        return AlongRect(l, l.length - l.arrow, l.length);
    default:
        return RECT{};
    }
}

int PosFromThumb(const Window* w, int bar, const ScrollLayout& l, int thumbStart) {
    const ScrollBarInfo& info = w->scroll[bar];
    int room = l.length - 2 * l.arrow - l.thumbSize;
    if (room <= 0) return info.min;
    int64_t offset = std::clamp(thumbStart - l.arrow, 0, room);
    int64_t span = int64_t(MaxScrollPos(info)) - info.min;
    return int(info.min + (offset * span + room / 2) / room);
}

void InvalidateScrollBar(Window* w, int bar) {
    RECT r = ScrollBarRect(w, bar);
    if (!IsRectEmpty(&r)) AddUpdate(w, gdi::PixRegion(r), false);
}

void DrawScrollBar(const Window* w, HDC dc, int bar) {
    ScrollLayout l = LayoutScrollBar(w, bar);
    // A bar that siblings cover (a skinned bar over a list's own) has nothing to show.
    if (IsRectEmpty(&l.bar) || !RectVisible(dc, &l.bar)) return;
    const ScrollTrack* t = TrackingOn(w, bar);
    if (t && t->part == ScrollPart::Thumb && l.thumbSize) l.thumbPos = t->thumbPos;
    auto held = [t](ScrollPart p) { return t && t->part == p && t->pressed; };
    UINT disabled = l.scrollable ? w->scroll[bar].disabled : ESB_DISABLE_BOTH;
    UINT first = l.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
    struct Arrow {
        ScrollPart part;
        UINT glyph;
        UINT disabledBit;
    };
    for (Arrow a : {Arrow{ScrollPart::LessArrow, first, UINT(ESB_DISABLE_UP)},
                    Arrow{ScrollPart::MoreArrow, first + 1, UINT(ESB_DISABLE_DOWN)}}) {
        RECT r = PartRect(l, a.part);
        UINT state = a.glyph | (held(a.part) ? DFCS_PUSHED | DFCS_FLAT : 0) |
                     ((disabled & a.disabledBit) ? DFCS_INACTIVE : 0);
        DrawFrameControl(dc, &r, DFC_SCROLL, state);
    }
    FillShaft(dc, PartRect(l, ScrollPart::LessPage), held(ScrollPart::LessPage));
    FillShaft(dc, PartRect(l, ScrollPart::MorePage), held(ScrollPart::MorePage));
    if (l.thumbSize) {
        RECT thumb = PartRect(l, ScrollPart::Thumb);
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

} // namespace user

using namespace user;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO si, BOOL redraw) {
    Window* w = nullptr;
    ScrollBarInfo* info = InfoOf(hwnd, bar, &w);
    if (!info || !si) return 0;
    ScrollLayout before = LayoutScrollBar(w, bar);
    UINT disabledBefore = info->disabled;
    bool rangeChanged = false;
    if (si->fMask & SIF_PAGE) {
        rangeChanged |= info->page != si->nPage;
        info->page = si->nPage;
    }
    if (si->fMask & SIF_RANGE) {
        rangeChanged |= info->min != si->nMin || info->max != si->nMax;
        info->min = si->nMin;
        info->max = si->nMax;
    }
    if (si->fMask & SIF_POS) info->pos = si->nPos;
    Clamp(*info);
    int pos = info->pos;
    if (si->fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL))
        ShowOrHide(w, bar, si->fMask, rangeChanged);
    if (!(w = Lookup(hwnd))) return pos; // the new size's handling destroyed the window
    if (redraw &&
        (!SameLayout(before, LayoutScrollBar(w, bar)) || disabledBefore != w->scroll[bar].disabled))
        InvalidateScrollBar(w, bar);
    return w->scroll[bar].pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO si) {
    Window* w = nullptr;
    ScrollBarInfo* info = InfoOf(hwnd, bar, &w);
    if (!info || !si || !(si->fMask & SIF_ALL)) return FALSE;
    if (si->fMask & SIF_RANGE) {
        si->nMin = info->min;
        si->nMax = info->max;
    }
    if (si->fMask & SIF_PAGE) si->nPage = info->page;
    if (si->fMask & SIF_POS) si->nPos = info->pos;
    if (si->fMask & SIF_TRACKPOS) {
        const ScrollTrack* t = TrackingOn(w, bar);
        si->nTrackPos = t && t->part == ScrollPart::Thumb ? t->trackPos : info->pos;
    }
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    Window* w = nullptr;
    ScrollBarInfo* info = InfoOf(hwnd, bar, &w);
    if (!info) return 0;
    int previous = info->pos;
    SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return previous;
}

int GetScrollPos(HWND hwnd, int bar) {
    Window* w = nullptr;
    ScrollBarInfo* info = InfoOf(hwnd, bar, &w);
    return info ? info->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
    Window* w = nullptr;
    if (!InfoOf(hwnd, bar, &w) || int64_t(max) - min > 0x7FFFFFFF) return FALSE;
    SCROLLINFO si = {sizeof si, SIF_RANGE, min, max, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
    Window* w = nullptr;
    ScrollBarInfo* info = InfoOf(hwnd, bar, &w);
    if (!info || !min || !max) return FALSE;
    *min = info->min;
    *max = info->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = Checked(hwnd);
    if (!w || w->isDesktop || bar < SB_HORZ || bar > SB_BOTH || bar == SB_CTL) return FALSE;
    DWORD styles = bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : StyleOf(bar);
    SetBarStyles(w, styles, show);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    Window* w = Checked(hwnd);
    if (!w || w->isDesktop || bar > SB_BOTH || bar == SB_CTL) return FALSE;
    bool changed = false;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && int(bar) != b) continue;
        changed |= w->scroll[b].disabled != (arrows & ESB_DISABLE_BOTH);
        w->scroll[b].disabled = arrows & ESB_DISABLE_BOTH;
        InvalidateScrollBar(w, b);
    }
    return changed;
}
