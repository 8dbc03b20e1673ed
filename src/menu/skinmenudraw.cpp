// CSkinMenu: measuring and drawing owner-drawn items, with the drawn check marks and radio
// bullets.
#include "menu/skinmenu.h"

#include <algorithm>
#include <iterator>

struct CSkinMenu::Metrics {
    int textIndent;
    int extraWidth, minWidth;
    int extraHeight, minHeight;
    int separatorHeight;
    int imageHeight; // an image's box is centred as if it were this high
    bool largeMarks;
};

namespace {

constexpr int kStrip = 24; // type 4's edge strip
constexpr int kType4SeparatorIndent = 32;

// A mark is line segments, each from its first point up to (not including) its second,
// relative to the item's left edge and the mark's first row.
struct Segment {
    int x1, y1, x2, y2;
};
struct Mark {
    int rows; // the mark's first row is the item's top + (h - rows) / 2
    const Segment* segments;
    size_t count;
};

constexpr Segment kSmallBullet[] = {
    {5, 0, 8, 0}, {4, 1, 9, 1}, {4, 2, 9, 2}, {4, 3, 9, 3}, {5, 4, 8, 4}};
constexpr Segment kLargeBullet[] = {{10, 0, 13, 0}, {9, 1, 14, 1}, {8, 2, 15, 2}, {8, 3, 15, 3},
                                    {8, 4, 15, 4},  {9, 5, 14, 5}, {10, 6, 13, 6}};
constexpr Segment kSmallCheck[] = {{3, 2, 6, 5}, {4, 2, 7, 5}, {6, 3, 10, -1}, {7, 3, 10, 0}};
constexpr Segment kLargeCheck[] = {{6, 4, 10, 8},   {6, 3, 11, 8},   {7, 3, 11, 7},
                                   {10, 5, 16, -1}, {11, 5, 17, -1}, {11, 6, 17, 0}};

Mark MarkOf(bool radio, bool large) {
    if (radio)
        return large ? Mark{7, kLargeBullet, std::size(kLargeBullet)}
                     : Mark{5, kSmallBullet, std::size(kSmallBullet)};
    return large ? Mark{8, kLargeCheck, std::size(kLargeCheck)}
                 : Mark{5, kSmallCheck, std::size(kSmallCheck)};
}

void DrawMark(HDC dc, const RECT& r, const Mark& mark, COLORREF colour) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = ::SelectObject(dc, pen);
    int x0 = r.left, y0 = r.top + (r.bottom - r.top - mark.rows) / 2;
    for (size_t i = 0; i < mark.count; ++i) {
        const Segment& s = mark.segments[i];
        ::MoveToEx(dc, x0 + s.x1, y0 + s.y1, nullptr);
        ::LineTo(dc, x0 + s.x2, y0 + s.y2);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

// Each channel reduced by 40, wrapping below zero as a byte does.
COLORREF Darken40(COLORREF c) {
    return RGB(BYTE(GetRValue(c) - 40), BYTE(GetGValue(c) - 40), BYTE(GetBValue(c) - 40));
}

// By the item's state: grayed first, then highlighted, else normal.
int ForState(UINT state, int normal, int selected, int disabled) {
    if (state & ODS_GRAYED) return disabled;
    return (state & ODS_SELECTED) ? selected : normal;
}

} // namespace

const CSkinMenu::Metrics& CSkinMenu::TypeMetrics() const {
    static constexpr Metrics kType1 = {14, 18, 60, 2, 16, 3, 8, false};
    static constexpr Metrics kType2 = {24, 28, 60, 2, 18, 3, 16, true};
    static constexpr Metrics kType4 = {32, 36, 70, 8, 24, 1, 16, true};
    switch (m_nType) {
    case SKINMENU_TYPE1:
        return kType1;
    case SKINMENU_TYPE4:
        return kType4;
    default:
        return kType2;
    }
}

SIZE CSkinMenu::TextExtent(const CString& text) const {
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetDC(desktop);
    HGDIOBJ old = m_pFont ? ::SelectObject(dc, *m_pFont) : nullptr;
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &extent);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(desktop, dc);
    return extent;
}

void CSkinMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
    if (!mis || mis->CtlType != ODT_MENU) return;
    tagSKINMENUITEM scratch;
    const tagSKINMENUITEM* item = ItemRecord(mis->itemData, mis->itemID, &scratch);
    const Metrics& m = TypeMetrics();
    if (item->nFlags & MF_SEPARATOR) {
        mis->itemWidth = 0;
        mis->itemHeight = UINT(m.separatorHeight);
        return;
    }
    SIZE extent = TextExtent(item->strText);
    mis->itemWidth = UINT(std::max<int>(extent.cx + m.extraWidth, m.minWidth));
    mis->itemHeight = UINT(std::max<int>(extent.cy + m.extraHeight, m.minHeight));
}

void CSkinMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis || dis->CtlType != ODT_MENU) return;
    tagSKINMENUITEM scratch;
    const tagSKINMENUITEM* item = ItemRecord(dis->itemData, dis->itemID, &scratch);
    HDC dc = dis->hDC;
    const RECT& r = dis->rcItem;
    UINT state = dis->itemState;
    bool separator = item->nFlags & MF_SEPARATOR;
    DrawBackground(dc, r, (state & ODS_SELECTED) && !(state & ODS_GRAYED) && !separator);
    if (separator) {
        DrawSeparator(dc, r);
        return;
    }
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    bool radio = CMenu::GetMenuItemInfo(dis->itemID, &info, FALSE) && (info.fType & MFT_RADIOCHECK);
    COLORREF ink =
        COLORREF(ForState(state, int(m_crText), int(m_crSelectedText), int(m_crDisabledText)));
    DrawImageOrMark(dc, r, *item, state, radio, ink);
    DrawLabel(dc, r, item->strText, ink);
}

void CSkinMenu::DrawBackground(HDC dc, const RECT& r, bool highlighted) const {
    if (highlighted) {
        RECT box = r;
        if (IsType4()) {
            ::InflateRect(&box, -1, -1);
            FillSolid(dc, box, m_crSelection);
            HBRUSH border = ::CreateSolidBrush(m_crSelectionBorder);
            ::FrameRect(dc, &box, border);
            ::DeleteObject(border);
        } else {
            FillSolid(dc, box, m_crSelection);
        }
        return;
    }
    FillSolid(dc, r, m_crBackground);
    if (IsType4()) FillSolid(dc, RECT{r.left, r.top, r.left + kStrip, r.bottom}, m_crEdge);
    if (!m_pBackground || !m_pBackground->GetSafeHandle()) return;
    // The bitmap is the whole popup's background: each item shows its own part of it.
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, *m_pBackground);
    int x = IsType4() ? r.left + kStrip : r.left;
    ::BitBlt(dc, x, r.top, r.right - x, r.bottom - r.top, memory, x, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CSkinMenu::DrawSeparator(HDC dc, const RECT& r) const {
    HPEN pen = ::CreatePen(PS_SOLID, 1, IsType4() ? Darken40(m_crEdge) : RGB(0, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, pen);
    int y = r.top + (r.bottom - r.top - 1) / 2;
    ::MoveToEx(dc, IsType4() ? r.left + kType4SeparatorIndent : r.left, y, nullptr);
    ::LineTo(dc, r.right, y);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

void CSkinMenu::DrawImageOrMark(HDC dc, const RECT& r, const tagSKINMENUITEM& item, UINT state,
                                bool radio, COLORREF ink) const {
    const Metrics& m = TypeMetrics();
    bool images = m_pImageList && m_pImageList->GetSafeHandle();
    int x = r.left + 4, y = r.top + (r.bottom - r.top - m.imageHeight) / 2;
    if (!(state & ODS_CHECKED)) {
        if (!images || m_nType == SKINMENU_TYPE1) return;
        int index = ForState(state, item.nImage, item.nSelectedImage, item.nDisabledImage);
        if (IsType4() && (state & ODS_SELECTED) && !(state & ODS_GRAYED)) {
            // Hovering: the image lifts off its shadow.
            DrawImage(dc, item.nDisabledImage, r.left + 5, y + 1);
            DrawImage(dc, index, r.left + 3, y - 1);
        } else {
            DrawImage(dc, index, x, y);
        }
        return;
    }
    const int* set = radio ? m_nRadioImages : m_nCheckImages;
    int index = images ? ForState(state, set[0], set[1], set[2]) : -1;
    if (index == -1)
        DrawMark(dc, r, MarkOf(radio, m.largeMarks), ink);
    else
        DrawImage(dc, index, x, y);
}

void CSkinMenu::DrawImage(HDC dc, int index, int x, int y) const {
    if (index < 0) return;
    ImageList_Draw(m_pImageList->GetSafeHandle(), index, dc, x, y, ILD_NORMAL);
}

void CSkinMenu::DrawLabel(HDC dc, RECT r, const CString& text, COLORREF ink) const {
    r.left += TypeMetrics().textIndent;
    HGDIOBJ oldFont = m_pFont ? ::SelectObject(dc, *m_pFont) : nullptr;
    COLORREF oldInk = ::SetTextColor(dc, ink);
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawText(dc, text, text.GetLength(), &r, DT_VCENTER | DT_NOCLIP);
    if (oldFont) ::SelectObject(dc, oldFont);
    ::SetTextColor(dc, oldInk);
    ::SetBkMode(dc, oldMode);
}
