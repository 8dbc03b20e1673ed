#include "controls/scroll_fixture.h"
#include "controls/skinscrollbar.h"
#include "support/gdi_fixture.h"

#include <algorithm>
#include <memory>

namespace {

// A view that clamps what it is asked as a list does and records every DoScroll.
struct FakeView : CSkinScrollInterface {
    DWORD total = 100, page = 10, index = 0;
    std::string asked;
    DWORD GetTotalSize() override { return total; }
    DWORD GetPageSize() override { return page; }
    DWORD GetItemSize() override { return 1; }
    DWORD GetScrollIndex() override { return index; }
    void SetPosition(CWnd*, const CRect&) override {}
    void DoScroll(DWORD i) override {
        asked += (asked.empty() ? "" : " ") + std::to_string(i);
        index = int32_t(i) < 0 ? 0 : std::min(i, total > page ? total - page : 0);
    }
};

// Bar 5 docks in a host at (20, 10) of 100 x 224: screen x 104 to 120, the shaft 200 high
// between arrows of 12. Bar 6 has only a shaft; the skin has no component 7.
class ScrollBarTest : public ScrollTest {
protected:
    void SetUp() override {
        ScrollTest::SetUp();
        SkinDef skin = SkinDef::Named(u"Bars");
        skin.Section(u"main");
        AddScrollBar(skin, u"5");
        Control(skin, u"6", u"scrollbar", "image_shaft=shaft.bmp");
        ASSERT_TRUE(LoadSkin(skin, ScrollBitmaps()));
        host = std::make_unique<ProbeWindow>(parent->hwnd(), RECT{20, 10, 120, 234}, kParentFill);
        hostWnd.Attach(host->hwnd());
        bar = std::make_unique<CSkinScrollBar>();
        ASSERT_TRUE(bar->Create(&hostWnd, true, u"main", 5, repository.get()));
        bar->SetListCtrl(&view);
        Pump();
    }
    void TearDown() override {
        bar.reset();
        hostWnd.Detach();
        host.reset();
        ScrollTest::TearDown();
    }
    void Show(DWORD index) {
        view.index = index;
        bar->SizeChanged();
        Pump();
    }
    std::string Bar() { return Column(112, 10, 234); }
    // The arrows: 'L' or 'M' while one shows pressed, 'D' disabled, '0' both normal.
    char Arrows() {
        char less = Part(Pixel(112, 15)), more = Part(Pixel(112, 228));
        return less == 'b' ? 'L' : more == 'y' ? 'M' : less == 'c' && more == 'z' ? 'D' : '0';
    }
    int ElevatorTop() {
        for (int y = 10; y < 234; ++y)
            if (Part(Pixel(112, y)) == 't') return y - 10;
        return -1;
    }

    FakeView view;
    std::unique_ptr<ProbeWindow> host;
    CWnd hostWnd;
    std::unique_ptr<CSkinScrollBar> bar;
};

TEST_F(ScrollBarTest, TheElevatorShowsTheViewsSizes) {
    struct Row {
        DWORD total, page, index;
        const char* column;
    } rows[] = {
        {100, 10, 0, "12a 5t 10m 5e 180s 12x"},
        {100, 10, 90, "12a 180s 5t 10m 5e 12x"},
        {100, 10, 400, "12a 180s 5t 10m 5e 12x"}, // an index past the end stays at the end
        {1000, 1, 0, "12a 5t 5m 5e 185s 12x"},    // at least 15 pixels
        {1000, 1, 999, "12a 185s 5t 5m 5e 12x"},  // pushed up to end at the more arrow
        {10, 10, 0, "12c 200s 12z"},              // everything fits: disabled, no elevator
        {0, 0, 0, "12c 200s 12z"},
    };
    for (const Row& row : rows) {
        view.total = row.total, view.page = row.page;
        Show(row.index);
        EXPECT_EQ(Bar(), row.column) << row.total << " " << row.page << " " << row.index;
    }
    view.total = 100, view.page = 10;
    Show(0);
    bar->SetListCtrl(nullptr); // without a view the elevator stays where it was
    view.index = 50;
    bar->SizeChanged();
    Pump();
    EXPECT_EQ(Bar(), "12a 5t 10m 5e 180s 12x");
}

TEST_F(ScrollBarTest, PressesStepPageAndDrag) {
    struct Row {
        const char* what;
        DWORD index;
        const char* steps;
        const char* arrows; // after each step
        const char* asked;  // of the view
        int top;            // the elevator's at the end
    } rows[] = {
        {"a less arrow steps at once", 50, "d8,5 u8,5", "L0", "49", 110},
        {"the more arrow", 50, "d8,218 u8,218", "M0", "51", 114},
        {"the shaft above the elevator pages back", 50, "d8,50 u8,50", "00", "40", 92},
        {"below it pages on", 50, "d8,200 u8,200", "00", "60", 132},
        {"the elevator alone scrolls nothing", 50, "d8,120 u8,120", "00", "", 112},
        {"off the arrow and back: no step", 50, "d8,5 m8,40 m8,5 u8,5", "L0L0", "49", 110},
        {"a double tap steps twice", 50, "d8,5 u8,5 d8,5 u8,5", "L0L0", "49 48", 108},
        {"back from the top wraps, the view clamps", 0, "d8,5 u8,5", "L0", "4294967295", 12},
        {"a drag scrolls to the matching index", 0, "d8,20 m8,70 u8,70", "000", "25", 62},
        {"past the end it clamps and waits for the grab point", 0,
         "d8,20 m8,400 m8,450 m8,420 m8,390 u8,390", "000000", "90 85", 182},
        {"a pointer astray sideways leaves it", 0, "d8,20 m60,70 m8,70 u8,70", "0000", "25", 62},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Show(row.index);
        view.asked.clear();
        EXPECT_EQ(Press(bar->m_hWnd, row.steps, [&] { return Arrows(); }), row.arrows);
        EXPECT_EQ(view.asked, row.asked);
        EXPECT_EQ(ElevatorTop(), row.top);
    }
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsEvery50msWhileThePointerIsOnIt) {
    Show(50);
    Down(112, 228);
    EXPECT_EQ(view.asked, "51");
    AdvanceTime(49);
    EXPECT_EQ(view.asked, "51");
    AdvanceTime(101);
    EXPECT_EQ(view.asked, "51 52 53 54");
    Move(112, 150);
    EXPECT_EQ(Arrows(), '0');
    AdvanceTime(200);
    Move(112, 228); // back on it: the next step comes with the clock
    EXPECT_EQ(view.asked, "51 52 53 54");
    AdvanceTime(50);
    EXPECT_EQ(view.asked, "51 52 53 54 55");
    Up(112, 228);
    Down(112, 40); // a held shaft pages once
    AdvanceTime(500);
    Up(112, 40);
    EXPECT_EQ(view.asked, "51 52 53 54 55 45");
    view.total = 5; // nothing to scroll: the shaft still asks for a page, which the view clamps
    Show(0);
    EXPECT_EQ(Arrows(), 'D');
    view.asked.clear();
    Click(112, 100);
    EXPECT_EQ(view.asked, "10");
}

TEST_F(ScrollBarTest, UpdateDocksAlongTheParentsRightEdge) {
    EXPECT_RECT(ChildRect(bar->m_hWnd), 84, 0, 100, 224);
    EXPECT_EQ(bar->GetThickness(), 16u);
    CSkinScrollBar shaftOnly, missing, horizontal;
    ASSERT_TRUE(shaftOnly.Create(&hostWnd, true, u"main", 6, repository.get()));
    ASSERT_TRUE(missing.Create(&hostWnd, true, u"main", 7, repository.get()));
    ASSERT_TRUE(horizontal.Create(&hostWnd, false, u"main", 5, repository.get()));
    shaftOnly.SetListCtrl(&view);
    Pump();
    EXPECT_EQ(Bar(), "224s") << "no arrows and no elevator drawn";
    EXPECT_FALSE(missing.IsWindowVisible());
    EXPECT_FALSE(horizontal.IsWindowVisible()) << "a horizontal bar has no layout: it hides";
    horizontal.SetListCtrl(&view);
    EXPECT_TRUE(horizontal.ElevatorRect().IsRectEmpty());
    // A skin load re-docks the bar at the parent's new size.
    shaftOnly.DestroyWindow();
    ::MoveWindow(host->hwnd(), 20, 10, 60, 150, TRUE);
    ASSERT_TRUE(repository->LoadSkin(u"Test.skn"));
    Pump();
    EXPECT_RECT(ChildRect(bar->m_hWnd), 44, 0, 60, 150);
    EXPECT_EQ(Column(72, 10, 160), "12a 5t 5m 5e 111s 12x");
}

} // namespace
