// CSkinMenu by its pixels: each type's backgrounds, separators, images and marks, its
// measurements, its records and foreign items, and the objects it owns.
#include "menu/skinmenu.h"
#include "platform/afx/wnd.h"
#include "support/dib_file.h"
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr COLORREF kBack = RGB(250, 240, 230), kSelection = RGB(0, 0, 128),
                   kBorder = RGB(255, 0, 0), kEdge = RGB(20, 100, 250), kSelText = RGB(255, 255, 0);
constexpr COLORREF kImages[4] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(90, 90, 0)};
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Four solid 16 x 16 images, in a strip whose top-left pixel is magenta.
HBITMAP ImageStrip() {
    Canvas c(64, 16, 32, kMagenta);
    for (int i = 0; i < 4; ++i)
        c.Fill(RECT{i * 16 + (i ? 0 : 1), 0, i * 16 + 16, 16}, kImages[i]);
    return c.Release();
}

// The pixels of colour in area, one row of '#' and '.' after another.
std::string Ink(const Canvas& c, COLORREF colour, RECT area) {
    std::string s;
    for (int y = area.top; y < area.bottom; ++y, s += ' ')
        for (int x = area.left; x < area.right; ++x)
            s += c.At(x, y) == colour ? '#' : '.';
    return s;
}

// A menu of the type with the test's colours and image list, and one item per flags entry
// (texts empty, images 0, 1 and 2).
std::unique_ptr<CSkinMenu> Make(int type, std::vector<UINT> flags) {
    auto menu = std::make_unique<CSkinMenu>(SkinMenuType(type));
    menu->CreatePopupMenu();
    menu->SetBackgroundColor(kBack);
    menu->SetSelectionColor(kSelection);
    menu->SetSelectionBorderColor(kBorder);
    menu->SetEdgeColor(kEdge);
    menu->SetSelectedTextColor(kSelText);
    for (UINT f : flags)
        menu->AppendMenuW(f, menu->GetMenuItemCount() + 1, u"", 0, 1, 2);
    CBitmap strip;
    if (strip.Attach(ImageStrip())) menu->SetImageList(&strip, kMagenta);
    return menu;
}

// The item at pos as the platform describes it to its owner.
template <class T> T Describe(CSkinMenu& menu, UINT pos, T item) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    menu.GetMenuItemInfo(pos, &info, TRUE);
    item.CtlType = ODT_MENU;
    item.itemID = menu.GetMenuItemID(int(pos));
    item.itemData = info.dwItemData;
    return item;
}

// Draws the item at pos in (0, 0, 60, h) of the canvas.
void Draw(CSkinMenu& menu, UINT pos, UINT state, Canvas& c, int h = 20) {
    DRAWITEMSTRUCT dis = Describe(menu, pos, DRAWITEMSTRUCT{});
    bool checked = menu.GetMenuState(pos, MF_BYPOSITION) & MF_CHECKED;
    dis.itemState = state | (checked ? ODS_CHECKED : 0);
    dis.hDC = c.dc();
    dis.rcItem = {0, 0, 60, h};
    menu.DrawItem(&dis);
}

MEASUREITEMSTRUCT Measure(CSkinMenu& menu, UINT pos) {
    MEASUREITEMSTRUCT mis = Describe(menu, pos, MEASUREITEMSTRUCT{});
    menu.MeasureItem(&mis);
    return mis;
}

using SkinMenuTest = ScreenTest;

// The marks, row by row from their first row (the item's top + (h - rows) / 2).
constexpr const char* kSmallCheck = ".........# ........## ...##..##. ....####.. .....##... ";
constexpr const char* kSmallBullet = ".....###. ....##### ....##### ....##### .....###. ";
constexpr const char* kLargeCheck =
    "...............## ..............### .............###. ......##....###.. "
    "......###..###... .......######.... ........####..... .........##...... ";
constexpr const char* kLargeBullet =
    "..........###.. .........#####. ........####### ........####### ........####### "
    ".........#####. ..........###.. ";

// Check images left at -1 draw the marks, also with an image list.
TEST_F(SkinMenuTest, MarksArePixelExactInTheStatesTextColour) {
    constexpr UINT kRadio = MF_CHECKED | MFT_RADIOCHECK;
    const std::tuple<int, UINT, UINT, const char*> rows[] = {
        {1, MF_CHECKED, 0, kSmallCheck},
        {1, kRadio, 0, kSmallBullet},
        {4, MF_CHECKED, 0, kLargeCheck},
        {2, kRadio, ODS_SELECTED, kLargeBullet},
    };
    for (auto [type, flags, state, mark] : rows) {
        auto menu = Make(type, {flags});
        Canvas c(60, 20);
        Draw(*menu, 0, state, c);
        COLORREF ink = state ? kSelText : 0;
        std::string art = mark;
        LONG width = LONG(art.find(' ')), rows = LONG(std::count(art.begin(), art.end(), ' '));
        EXPECT_EQ(Ink(c, ink, {0, (20 - rows) / 2, width, (20 - rows) / 2 + rows}), art) << type;
        EXPECT_EQ(c.Count(ink), int(std::count(art.begin(), art.end(), '#'))); // nothing else
    }
}

TEST_F(SkinMenuTest, BackgroundsSeparatorsAndImagesFollowTypeAndState) {
    constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = 0, kWrapped = RGB(236, 60, 210);
    constexpr UINT kSel = ODS_SELECTED;
    using Probe = std::tuple<int, int, COLORREF>; // x, y, colour
    const std::tuple<int, UINT, UINT, int, std::vector<Probe>> rows[] = {
        // type, flags, state, h
        {1, 0, kSel, 20, {{0, 0, kSelection}, {59, 19, kSelection}}},
        {1, 0, kSel | ODS_GRAYED, 20, {{0, 0, kBack}, {12, 10, kBack}}}, // no image either
        {4, 0, 0, 20, {{0, 0, kEdge}, {23, 19, kEdge}, {24, 0, kBack}}},
        {4, 0, kSel, 20, {{0, 0, kWhite}, {1, 1, kBorder}, {22, 2, kSelection}, {58, 18, kBorder}}},
        {2, MF_SEPARATOR, kSel, 3, {{0, 0, kBack}, {0, 1, kBlack}, {59, 1, kBlack}}},
        // Type 4's separator: the edge colour less 40 per channel, red wrapping around.
        {4, MF_SEPARATOR, 0, 1, {{23, 0, kEdge}, {31, 0, kBack}, {32, 0, kWrapped}}},
        {2, 0, 0, 20, {{12, 10, kImages[0]}}},
        {2, 0, ODS_GRAYED | kSel, 20, {{12, 10, kImages[2]}}},
        // Type 4 lifts the highlighted image over the disabled one as its shadow.
        {4, 0, kSel, 20, {{3, 1, kImages[1]}, {20, 18, kImages[2]}}},
        {2, MF_CHECKED, 0, 20, {{12, 10, kImages[3]}}},
        {2, MF_CHECKED | MFT_RADIOCHECK, 0, 20, {{12, 10, kImages[0]}}},
        {1, MF_CHECKED, 0, 20, {{4, 6, kImages[3]}, {4, 5, kBack}}}, // centred as 8 pixels high
        {2, MF_CHECKED, kSel, 20, {{9, 11, kSelText}}}, // no selected check image: the mark
    };
    for (const auto& [type, flags, state, h, probes] : rows) {
        auto menu = Make(type, {flags});
        menu->SetCheckImages(3, -1, -1);
        menu->SetRadioImages(0, 0, 0);
        Canvas c(60, 20);
        Draw(*menu, 0, state, c, h);
        for (auto [x, y, colour] : probes)
            EXPECT_EQ(c.At(x, y), colour) << type << " " << state << " " << x << "," << y;
    }
}

TEST_F(SkinMenuTest, MeasuresFollowTheTypeAndTheFont) {
    SIZE text;
    HDC screen = GetDC(nullptr);
    GetTextExtentPoint32(screen, u"A longer item", 13, &text);
    ReleaseDC(nullptr, screen);
    // type, extra width, least width, extra height, least height, separator height
    const std::tuple<int, int, int, int, int, UINT> rows[] = {
        {1, 18, 60, 2, 16, 3}, {2, 28, 60, 2, 18, 3}, {4, 36, 70, 8, 24, 1}, {3, 28, 60, 2, 18, 3}};
    for (auto [type, extraWidth, minWidth, extraHeight, minHeight, separator] : rows) {
        auto menu = Make(type, {MF_SEPARATOR, 0});
        menu->AppendMenuW(0, 9, u"A longer item");
        EXPECT_EQ(Measure(*menu, 0).itemWidth + Measure(*menu, 0).itemHeight, separator);
        EXPECT_EQ(Measure(*menu, 1).itemWidth, UINT(minWidth)); // an empty text
        EXPECT_EQ(Measure(*menu, 2).itemWidth, UINT(text.cx + extraWidth));
        EXPECT_EQ(Measure(*menu, 2).itemHeight,
                  UINT(std::max<int>(text.cy + extraHeight, minHeight)));
    }
    auto menu = Make(4, {0});
    LOGFONTW big = {};
    big.lfHeight = -30;
    EXPECT_TRUE(menu->SetFont(&big));
    EXPECT_GT(Measure(*menu, 0).itemHeight, 30u + 8u);
}

TEST_F(SkinMenuTest, RecordsNameTheirItemsAndForeignItemsAreNotTakenForRecords) {
    int menus = UserGetMenuCount();
    auto menu = Make(1, {});
    CBitmap picture;
    EXPECT_TRUE(menu->AppendMenuW(0, 5, u"Five") == 1 && menu->AppendMenuW(0, 6, &picture) == 1);
    EXPECT_TRUE(menu->InsertMenu(2, MF_BYPOSITION, 7, u"Plain") &&
                menu->InsertMenu(3, MF_BYPOSITION | MF_OWNERDRAW, 8, reinterpret_cast<LPCWSTR>(9)));
    std::string texts;
    for (auto [item, flags] : {std::pair{0u, MF_BYPOSITION},
                               {5u, MF_BYCOMMAND},
                               {6u, MF_BYCOMMAND},
                               {7u, MF_BYCOMMAND},
                               {4u, MF_BYPOSITION}}) {
        CString t = u"?";
        int found = menu->GetMenuString(item, t, flags);
        texts += std::to_string(found) + t.ToUtf8() + " ";
    }
    // Alike by position and by command; the bitmap overload's; a foreign item's own; none.
    EXPECT_EQ(texts, "1Five 1Five 1 1Plain 0 ");
    CString five;
    EXPECT_EQ(menu->ModifyMenu(0, 5, u"Changed") + menu->GetMenuString(5, five, 0), 1);
    EXPECT_EQ(five, u"Five"); // unchanged
    // The foreign owner-drawn item measures and draws as an item without text.
    EXPECT_EQ(Measure(*menu, 3).itemWidth, 60u);
    Canvas c(60, 20);
    Draw(*menu, 3, ODS_SELECTED, c);
    EXPECT_EQ(c.At(30, 10), kSelection);
    EXPECT_TRUE(menu->DestroyMenu());
    EXPECT_EQ(UserGetMenuCount(), menus);
    EXPECT_EQ(menu->AppendMenuW(0, 5, u"After"), 0);
}

TEST_F(SkinMenuTest, LoadingKeepsTheCurrentObjectWhenItFails) {
    TempDir dir;
    dir.WriteFile(u"back.bmp", BmpBytes(60, 20, 24, [](int x, int) { return RGB(x, 7, 9); }));
    dir.WriteFile(u"strip.bmp",
                  BmpBytes(32, 16, 24, [](int x, int y) { return x + y ? kImages[3] : kMagenta; }));
    auto menu = Make(2, {0});
    Canvas c(60, 20);
    using Pixels = std::vector<COLORREF>;
    auto look = [&] { return Draw(*menu, 0, 0, c), Pixels{c.At(30, 10), c.At(4, 2), c.At(5, 3)}; };
    EXPECT_TRUE(menu->SetBackground(dir / u"back.bmp"));
    EXPECT_FALSE(menu->SetBackground(77u) || menu->SetBackground(dir / u"none.bmp") ||
                 menu->SetImageList(77u, kMagenta) || menu->SetImageList(dir / u"none.bmp"));
    // The popup's background at the item's place, also through image 0's masked corner.
    EXPECT_EQ(look(), (Pixels{RGB(30, 7, 9), RGB(4, 7, 9), kImages[0]}));
    CBitmap strip;
    EXPECT_TRUE(strip.Attach(ImageStrip()) &&
                UserAddBitmapResource(AfxGetResourceHandle(), 77, strip));
    EXPECT_TRUE(menu->SetBackground(77u) && menu->SetImageList(77u, CLR_NONE));
    EXPECT_EQ(look(), (Pixels{kImages[1], kMagenta, kImages[0]})); // now unmasked
    // A strip file: its top-left pixel's colour is transparent.
    EXPECT_TRUE(menu->SetImageList(dir / u"strip.bmp"));
    EXPECT_EQ(look(), (Pixels{kImages[1], kImages[0], kImages[3]}));
}

TEST_F(SkinMenuTest, AFrameworkOwnerRoutesItsPopupsItemsToTheMenu) {
    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                   nullptr, nullptr);
    auto menu = Make(4, {0, MF_SEPARATOR, 0});
    for (UINT flags : {0u, UINT(TPM_NONOTIFY)}) { // without WM_INITMENUPOPUP too
        std::vector<COLORREF> seen;
        int waits = 0;
        UserSetWaitHook([&] {
            RECT r;
            GetMenuItemRect(nullptr, menu->m_hMenu, 2, &r);
            seen = {Pixel(r.left, r.top), Pixel(r.left + 30, r.top + 5)};
            if (waits++ == 0)
                UserInjectPointerDown(r.left + 30, r.top + 5),
                    UserInjectPointerUp(r.left + 30, r.top + 5);
            return true;
        });
        EXPECT_EQ(menu->TrackPopupMenu(flags | TPM_RETURNCMD, 10, 10, &owner), 3);
        EXPECT_EQ(seen, (std::vector<COLORREF>{kEdge, kBack}));
    }
    UserSetWaitHook(nullptr);
    menu.reset();
    owner.DestroyWindow();
}

} // namespace
