#include "controls/scroll_fixture.h"

namespace {

// A 224-pixel bar (a shaft of 200) over rows of 20: a page is 11 rows.
class ScrollBarTest : public ScrollTest {
protected:
    void Show(int rows, DWORD index) {
        if (!list || list->GetItemCount() != rows) Make(true, rows, 224);
        list->DoScroll(index);
        list->OnListChanged();
        Pump();
    }
    // The arrows: 'L' or 'M' while one shows pressed, 'D' both disabled, '0' both normal.
    char Arrows() const {
        char less = Part(Pixel(202, 25)), more = Part(Pixel(202, 238));
        return less == 'b' ? 'L' : more == 'y' ? 'M' : less == 'c' && more == 'z' ? 'D' : '0';
    }
};

TEST_F(ScrollBarTest, TheElevatorShowsTheViewsSizesAndTheBarDocksAtTheRight) {
    struct Row {
        int rows;
        DWORD index;
        const char* column;
    } rows[] = {{100, 0, "12a 5t 12m 5e 178s 12x"},
                {1000, 0, "12a 5t 5m 5e 185s 12x"},
                {1000, 989, "12a 185s 5t 5m 5e 12x"},
                {11, 0, "12c 200s 12z"},
                {0, 0, "12c 200s 12z"}};
    for (const Row& row : rows) { // at least 15 pixels; disabled when all fits
        Show(row.rows, row.index);
        EXPECT_EQ(Column(224), row.column) << row.rows << " rows from " << row.index;
    }
    Show(100, 0);
    EXPECT_RECT(ChildRect(Bar().m_hWnd), 184, 0, 200, 224);
    Bar().SetListCtrl(nullptr); // without a view the elevator stays where it was
    Show(100, 50);
    EXPECT_EQ(Column(224), "12a 5t 12m 5e 178s 12x");
    CSkinScrollBar horizontal, shaftOnly;
    ASSERT_TRUE(horizontal.Create(container.get(), false, u"main", 4, repository.get()));
    EXPECT_FALSE(horizontal.IsWindowVisible()) << "a horizontal bar has no layout: it hides";
    ASSERT_TRUE(shaftOnly.Create(container.get(), true, u"main", 5, repository.get()));
    Pump();
    EXPECT_EQ(Column(224), "224s") << "no arrows and no elevator drawn";
}

TEST_F(ScrollBarTest, PressesStepPageAndDrag) {
    struct Row {
        const char* what;
        DWORD index;
        const char *steps, *arrows; // arrows after each step
        int top;                    // the list's top index at the end
    } rows[] = {
        {"a less arrow steps at once", 50, "d8,5 u8,5", "L0", 49},
        {"the more arrow", 50, "d8,218 u8,218", "M0", 51},
        {"the shaft above the elevator pages back", 50, "d8,50 u8,50", "00", 39},
        {"below it pages on", 50, "d8,200 u8,200", "00", 61},
        {"the elevator alone scrolls nothing", 50, "d8,120 u8,120", "00", 50},
        {"off the arrow and back: no step", 50, "d8,5 m8,40 m8,5 u8,5", "L0L0", 49},
        {"a double tap steps twice", 50, "d8,5 u8,5 d8,5 u8,5", "L0L0", 48},
        {"back from the top stays there", 0, "d8,5 u8,5", "L0", 0},
        {"a drag scrolls to the matching index", 0, "d8,20 m8,70 u8,70", "000", 25},
        {"past the end it clamps and waits for the grab point", 0,
         "d8,20 m8,400 m8,450 m8,420 m8,390 u8,390", "000000", 84},
        {"a pointer astray sideways leaves it", 0, "d8,20 m60,70 m8,70 u8,70", "0000", 25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Show(100, row.index);
        EXPECT_EQ(Press(Bar().m_hWnd, row.steps, [&] { return Arrows(); }), row.arrows);
        EXPECT_EQ(list->GetTopIndex(), row.top);
    }
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsEvery50msWhileThePointerIsOnIt) {
    Show(100, 50);
    Down(202, 238);
    AdvanceTime(49);
    EXPECT_EQ(list->GetTopIndex(), 51);
    AdvanceTime(101);
    Move(202, 150); // off the arrow: no steps
    EXPECT_EQ(Arrows(), '0');
    AdvanceTime(200);
    Move(202, 238); // back on it: the next step comes with the clock
    EXPECT_EQ(list->GetTopIndex(), 54);
    AdvanceTime(50);
    Up(202, 238);
    EXPECT_EQ(list->GetTopIndex(), 55);
    EXPECT_EQ(Column(224), "12a 110s 5t 12m 5e 68s 12x");
    Down(202, 60); // a held shaft pages once
    AdvanceTime(500);
    Up(202, 60);
    EXPECT_EQ(list->GetTopIndex(), 44);
}

} // namespace
