// Popup menu windows: measuring the items, placing the window on the screen, and drawing the
// items (plain ones here, owner-drawn ones through WM_DRAWITEM to the owner).
//
// Item boxes are laid out once, when the popup opens, in the popup's client coordinates; the
// same boxes serve drawing and hit testing. Every item is as wide as the widest one.
#include "platform/user/menuobj.h"
#include "platform/user/userdevice.h"

#include <algorithm>
#include <utility>

namespace user {
namespace {

constexpr const WCHAR* kPopupClass = u"#32768";
constexpr int kCheckColumn = 16; // the check mark's column; plain text starts after it
constexpr int kRightMargin = 8;
constexpr int kArrowColumn = 12; // the submenu arrow's column
constexpr int kTabGap = 12;      // between a text and its right-aligned part after a tab
constexpr int kSeparatorHeight = 7;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

HFONT MenuFont() {
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// The parts of a plain item's text before and after its first tab.
void SplitText(const CString& text, CString* left, CString* right) {
    int tab = text.Find(u'\t');
    *left = tab < 0 ? text : text.Left(tab);
    *right = tab < 0 ? CString() : text.Mid(tab + 1);
}

int TextWidth(HDC dc, const CString& text) {
    if (text.IsEmpty()) return 0;
    RECT r = {0, 0, 0, 0};
    DrawText(dc, text, text.GetLength(), &r, DT_SINGLELINE | DT_CALCRECT);
    return r.right - r.left;
}

int FontHeight(HDC dc) {
    TEXTMETRICW tm = {};
    GetTextMetrics(dc, &tm);
    return tm.tmHeight;
}

SIZE PlainItemSize(HDC dc, const MenuItem& item) {
    if (item.type & MFT_SEPARATOR) return {0, kSeparatorHeight};
    int height = std::max(FontHeight(dc) + 6, 16);
    int width = kCheckColumn + kRightMargin + (item.submenu ? kArrowColumn : 0);
    BITMAP bm = {};
    if ((item.type & MFT_BITMAP) && GetObject(item.bitmap, sizeof bm, &bm))
        return {width + bm.bmWidth, std::max<int>(bm.bmHeight + 2, height)};
    CString left, right;
    SplitText(item.text, &left, &right);
    width += TextWidth(dc, left) + (right.IsEmpty() ? 0 : kTabGap + TextWidth(dc, right));
    return {width, height};
}

SIZE OwnerDrawnSize(HWND owner, const MenuItem& item, int defaultHeight) {
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, item.id, 0, UINT(defaultHeight), item.data};
    SendMessage(owner, WM_MEASUREITEM, 0, LPARAM(&mis));
    return {LONG(std::min<UINT>(mis.itemWidth, 0x7FFF)),
            LONG(std::min<UINT>(mis.itemHeight, 0x7FFF))};
}

struct ItemSize {
    SIZE size;
    bool newColumn; // MFT_MENUBREAK or MFT_MENUBARBREAK
};

// Items go down in columns as wide as their widest item: a column ends before an item that
// asks for a new one or that would reach past the screen's bottom. The client size.
SIZE Arrange(Popup& popup, const std::vector<ItemSize>& items) {
    LONG limit = GetSystemMetrics(SM_CYSCREEN) - 2 * GetSystemMetrics(SM_CYBORDER);
    LONG x = 0, y = 0, width = 0, height = 0;
    popup.boxes.clear();
    for (size_t i = 0, first = 0; i <= items.size(); ++i) {
        if (i == items.size() ||
            (i > first && (items[i].newColumn || y + items[i].size.cy > limit))) {
            for (size_t k = first; k < i; ++k)
                popup.boxes[k].left = x, popup.boxes[k].right = x + width;
            x += width;
            width = y = 0;
            first = i;
        }
        if (i == items.size()) break;
        popup.boxes.push_back(RECT{0, y, 0, y + items[i].size.cy});
        y += items[i].size.cy;
        width = std::max(width, items[i].size.cx);
        height = std::max(height, y);
    }
    return {x, height};
}

// Measures and lays out the items; the client size of the popup (empty when there is nothing).
SIZE Layout(Popup& popup, HWND owner) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, MenuFont());
    int defaultHeight = std::max(FontHeight(dc) + 6, 16);
    std::vector<ItemSize> items;
    Menu* menu;
    for (size_t i = 0; (menu = LookupMenu(popup.menu)) && i < menu->items.size(); ++i) {
        MenuItem item = menu->items[i]; // the owner may change the menu while measuring
        items.push_back({(item.type & MFT_OWNERDRAW) ? OwnerDrawnSize(owner, item, defaultHeight)
                                                     : PlainItemSize(dc, item),
                         (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0});
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return Arrange(popup, items);
}

// One coordinate of a popup of the given length at pos, kept within [0, limit): when it runs
// past the far edge it ends at the pivot instead, when past the near edge it starts there, and
// when neither fits it is pushed inside.
LONG Fit(LONG pos, LONG length, LONG limit, LONG pivot, bool flip = true) {
    if (flip && pos + length > limit && pivot - length >= 0) pos = pivot - length;
    if (flip && pos < 0 && pivot + length <= limit) pos = pivot;
    return std::max<LONG>(0, std::min(pos, limit - length));
}

RECT PlaceTopLevel(SIZE size, POINT at, UINT flags, const RECT* exclude, SIZE screen) {
    LONG x = at.x, y = at.y;
    if (flags & TPM_CENTERALIGN)
        x -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        x -= size.cx;
    if (flags & TPM_VCENTERALIGN)
        y -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN)
        y -= size.cy;
    x = Fit(x, size.cx, screen.cx, at.x, !(flags & TPM_CENTERALIGN));
    y = Fit(y, size.cy, screen.cy, at.y, !(flags & TPM_VCENTERALIGN));
    RECT r = {x, y, x + size.cx, y + size.cy}, overlap;
    if (exclude && IntersectRect(&overlap, &r, exclude)) {
        // Beside the exclusion rectangle: below or above it (TPM_VERTICAL), else right or left.
        if (flags & TPM_VERTICAL)
            y = Fit(exclude->bottom, size.cy, screen.cy, exclude->top);
        else
            x = Fit(exclude->right, size.cx, screen.cx, exclude->left);
        r = {x, y, x + size.cx, y + size.cy};
    }
    return r;
}

// A submenu opens beside its item, on the right of the parent popup or else on its left.
RECT PlaceCascade(SIZE size, const RECT& anchor, SIZE screen) {
    LONG x = Fit(anchor.right, size.cx, screen.cx, anchor.left);
    LONG y = Fit(anchor.top, size.cy, screen.cy, anchor.bottom);
    return {x, y, x + size.cx, y + size.cy};
}

// ---- Drawing ---------------------------------------------------------------------------------

// Small glyphs of the platform's menus, one string per row.
constexpr const char* kCheckGlyph[] = {"......#", ".....##", "#...###", "##.###.",
                                       "#####..", ".###...", "..#...."};
constexpr const char* kBulletGlyph[] = {".####.", "######", "######", "######", "######", ".####."};
constexpr const char* kArrowGlyph[] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};

template <size_t N>
void DrawGlyph(HDC dc, const char* const (&rows)[N], int x, int y, HBRUSH brush) {
    for (size_t row = 0; row < N; ++row)
        for (int col = 0; rows[row][col]; ++col)
            if (rows[row][col] == '#') {
                RECT dot = {x + col, y + LONG(row), x + col + 1, y + LONG(row) + 1};
                FillRect(dc, &dot, brush);
            }
}

void DrawSeparator(HDC dc, const RECT& r) {
    int y = r.top + (r.bottom - r.top) / 2 - 1;
    RECT dark = {r.left + 1, y, r.right - 1, y + 1},
         light = {r.left + 1, y + 1, r.right - 1, y + 2};
    FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

void DrawItemContent(HDC dc, const MenuItem& item, const RECT& r, int textColour) {
    HBRUSH ink = GetSysColorBrush(textColour);
    int h = r.bottom - r.top;
    if (item.state & MFS_CHECKED) {
        if (item.type & MFT_RADIOCHECK)
            DrawGlyph(dc, kBulletGlyph, r.left + 5, r.top + (h - 6) / 2, ink);
        else
            DrawGlyph(dc, kCheckGlyph, r.left + 4, r.top + (h - 7) / 2, ink);
    }
    if (item.submenu)
        DrawGlyph(dc, kArrowGlyph, r.right - kArrowColumn + 2, r.top + (h - 7) / 2, ink);
    RECT text = {r.left + kCheckColumn, r.top, r.right - kRightMargin, r.bottom};
    if (item.submenu) text.right -= kArrowColumn;
    BITMAP bm = {};
    if ((item.type & MFT_BITMAP) && GetObject(item.bitmap, sizeof bm, &bm)) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, item.bitmap);
        BitBlt(dc, text.left, r.top + (h - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, memory, 0, 0,
               SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    CString left, right;
    SplitText(item.text, &left, &right);
    SetTextColor(dc, GetSysColor(textColour));
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, left, left.GetLength(), &text, kTextFormat | DT_LEFT);
    if (!right.IsEmpty()) DrawText(dc, right, right.GetLength(), &text, kTextFormat | DT_RIGHT);
}

void DrawPlainItem(HDC dc, const MenuItem& item, const RECT& r) {
    bool selected = (item.state & MFS_HILITE) && !(item.type & MFT_SEPARATOR);
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.type & MFT_SEPARATOR) {
        DrawSeparator(dc, r);
        return;
    }
    int colour = (item.state & MF_GRAYED) ? COLOR_GRAYTEXT
                 : selected               ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_MENUTEXT;
    HGDIOBJ oldFont = SelectObject(dc, MenuFont());
    DrawItemContent(dc, item, r, colour);
    SelectObject(dc, oldFont);
}

void DrawOwnerDrawnItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, const RECT& r,
                        UINT action) {
    UINT state = 0;
    if (item.state & MFS_HILITE) state |= ODS_SELECTED;
    if (item.state & MF_GRAYED) state |= ODS_GRAYED;
    if (item.state & MF_DISABLED) state |= ODS_DISABLED;
    if (item.state & MFS_CHECKED) state |= ODS_CHECKED;
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, item.id,  action, state, reinterpret_cast<HWND>(menu),
                          dc,       r, item.data};
    // The owner may leave its own colours and objects selected.
    int saved = SaveDC(dc);
    SendMessage(owner, WM_DRAWITEM, 0, LPARAM(&dis));
    RestoreDC(dc, saved);
}

void DrawItemAt(HDC dc, const Popup& popup, int index, UINT action) {
    Menu* menu = LookupMenu(popup.menu);
    if (!menu || index < 0 || size_t(index) >= menu->items.size() ||
        size_t(index) >= popup.boxes.size())
        return;
    MenuItem item = menu->items[size_t(index)]; // the owner may change the menu while drawing
    const RECT& box = popup.boxes[size_t(index)];
    if (item.type & MFT_OWNERDRAW)
        DrawOwnerDrawnItem(dc, TrackingOwner(), popup.menu, item, box, action);
    else
        DrawPlainItem(dc, item, box);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (const Popup* popup = TrackedPopup(hwnd))
        for (int i = 0; dc && i < int(popup->boxes.size()); ++i)
            if (RectVisible(dc, &popup->boxes[size_t(i)]))
                DrawItemAt(dc, *popup, i, ODA_DRAWENTIRE);
    EndPaint(hwnd, &ps);
}

LRESULT PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_MENU));
        return 1;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

bool RegisterPopupClass() {
    WNDCLASS wc = {};
    if (GetClassInfo(nullptr, kPopupClass, &wc)) return true;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = &PopupProc;
    wc.lpszClassName = kPopupClass;
    return UserRegisterSystemClass(&wc) != 0;
}

void SendMenuSelect(HWND owner, HMENU menu, int index) {
    Menu* m = LookupMenu(menu);
    if (!m || index < 0 || size_t(index) >= m->items.size()) return;
    const MenuItem& item = m->items[size_t(index)];
    UINT flags = (item.type | item.state | (item.submenu ? MF_POPUP : 0)) & 0xFFFF;
    UINT id = item.submenu ? UINT(index) : item.id;
    SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(id, flags), LPARAM(menu));
}

void SetHilite(HMENU handle, int index, bool on) {
    Menu* menu = LookupMenu(handle);
    if (!menu || index < 0 || size_t(index) >= menu->items.size()) return;
    UINT& state = menu->items[size_t(index)].state;
    state = on ? (state | MFS_HILITE) : (state & ~UINT(MFS_HILITE));
}

} // namespace

bool Selectable(const Menu& menu, int index) {
    return index >= 0 && size_t(index) < menu.items.size() &&
           !(menu.items[size_t(index)].type & MFT_SEPARATOR);
}

bool Choosable(const Menu& menu, int index) {
    return Selectable(menu, index) && !(menu.items[size_t(index)].state & MFS_GRAYED);
}

bool OpenPopup(Popup& popup, HWND owner, const RECT& anchor, UINT flags, const RECT* exclude,
               bool cascade) {
    SIZE client = Layout(popup, owner);
    if (popup.boxes.empty() || !IsWindow(owner) || !RegisterPopupClass()) return false;
    int border = GetSystemMetrics(SM_CXBORDER);
    SIZE size = {client.cx + 2 * border, client.cy + 2 * border};
    SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT r = cascade ? PlaceCascade(size, anchor, screen)
                     : PlaceTopLevel(size, POINT{anchor.left, anchor.top}, flags, exclude, screen);
    popup.hwnd =
        CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, u"", WS_POPUP | WS_BORDER,
                       r.left, r.top, size.cx, size.cy, owner, nullptr, nullptr, nullptr);
    if (!popup.hwnd) return false;
    ShowWindow(popup.hwnd, SW_SHOWNOACTIVATE);
    return IsWindow(popup.hwnd);
}

void ClosePopup(Popup& popup) {
    SetHilite(popup.menu, popup.selected, false);
    popup.selected = -1;
    if (IsWindow(popup.hwnd)) DestroyWindow(popup.hwnd);
    popup.hwnd = nullptr;
}

void SelectPopupItem(Popup& popup, HWND owner, int index) {
    Menu* menu = LookupMenu(popup.menu);
    if (!menu || !Selectable(*menu, index)) index = -1;
    if (index == popup.selected) return;
    int old = std::exchange(popup.selected, index);
    SetHilite(popup.menu, old, false);
    SetHilite(popup.menu, index, true);
    if (HDC dc = GetDC(popup.hwnd)) {
        DrawItemAt(dc, popup, old, ODA_SELECT);
        DrawItemAt(dc, popup, index, ODA_SELECT);
        ReleaseDC(popup.hwnd, dc);
    }
    if (index >= 0) SendMenuSelect(owner, popup.menu, index);
}

int PopupItemAt(const Popup& popup, POINT screen) {
    RECT window;
    if (!GetWindowRect(popup.hwnd, &window) || !PtInRect(&window, screen)) return -1;
    POINT client = screen;
    ScreenToClient(popup.hwnd, &client);
    for (size_t i = 0; i < popup.boxes.size(); ++i)
        if (PtInRect(&popup.boxes[i], client)) return int(i);
    return -2;
}

} // namespace user
