#include "controls/skinbutton.h"
#include "controls/skinstatic.h"
#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const COLORREF kInk = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

void Text(SkinDef& skin, const char16_t* id, const char16_t* type, const std::string& more) {
    Control(skin, id, type,
            "visible=true;font_size=12;font_rect=0,0,-1,-1;font_color=255,255,255;" + more);
}

// Texts over a skin window whose background is a red and blue checkerboard.
class StaticTest : public PressTest {
protected:
    SkinDef skin = SkinDef::Named(u"Texts");
    void SetUp() override {
        PressTest::SetUp();
        skin.Section(u"main");
        Control(skin, u"1", u"window",
                "visible=true;image_display=true;image_type=2;image_filename=back.bmp;"
                "position=0,0,240,320");
    }
    void Load(std::vector<UINT> ids) {
        auto back = BmpBytes(2, 2, 24, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; });
        ASSERT_TRUE(LoadSkin(skin, {{u"back.bmp", back}, {u"b.bmp", BmpBytes(480, 20, 24, 0)}}));
        window = std::make_unique<CSkinWindow>(); // after the reset that forgets window classes
        ASSERT_TRUE(window->Create(Parent(), u"main", 1, repository.get()));
        for (UINT id : ids) {
            controls.push_back(id >= 20 ? std::unique_ptr<CSkinObject>(new CSkinButton)
                                        : std::unique_ptr<CSkinObject>(new CSkinStatic));
            ASSERT_TRUE(controls.back()->Create(window.get(), u"main", id, repository.get()));
        }
        Pump();
    }
    CSkinStatic& Static(size_t i) { return static_cast<CSkinStatic&>(*controls[i]); }
    void TearDown() override {
        controls.clear();
        window.reset();
        PressTest::TearDown();
    }
    // The first row of each band of rows that hold ink in rect, relative to its top.
    std::vector<int> InkBands(const RECT& r) {
        std::vector<int> bands;
        for (int y = r.top, was = 0; y < r.bottom; ++y) {
            int ink = 0;
            for (int x = r.left; x < r.right; ++x)
                ink += Pixel(x, y) == kInk;
            if (ink && !was) bands.push_back(y - r.top);
            was = ink;
        }
        return bands;
    }
    int InkCount(const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += Pixel(x, y) == kInk;
        return n;
    }
    std::unique_ptr<CSkinWindow> window;
    std::vector<std::unique_ptr<CSkinObject>> controls;
};

TEST_F(StaticTest, BreaksWrapLinesAndOneLineShowsTheBackslashes) {
    const std::string text = "transparent=true;text=one\\n\\ntwo;";
    Text(skin, u"2", u"static", text + "wordwrap=true;position=0,0,100,60");
    Text(skin, u"3", u"static", text + "position=100,0,240,60");
    Text(skin, u"4", u"static",
         "transparent=true;wordwrap=true;position=0,100,60,200;"
         "text=lorem ipsum dolor sit amet");
    Load({2, 3, 4});
    // "one", a line holding a space, "two": the second band on the third 14-pixel line.
    std::vector<int> bands = InkBands({0, 0, 100, 60});
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_GE(bands[1], 28);
    EXPECT_LT(bands[1], 42);
    EXPECT_EQ(InkBands({100, 0, 240, 60}).size(), 1u); // one line, backslashes and all
    EXPECT_GT(InkCount({100, 0, 240, 3}), 0);          // the backslashes reach the top rows
    EXPECT_GE(InkBands({0, 100, 60, 200}).size(), 4u); // wrapped inside 60 pixels
    EXPECT_EQ(InkCount({60, 100, 100, 200}), 0);
}

TEST_F(StaticTest, SetTextConvertsBreaksByWordWrapAndTheBackgroundFollowsTransparency) {
    Text(skin, u"2", u"static", "transparent=true;wordwrap=true;position=0,0,100,60");
    Text(skin, u"3", u"static", "position=100,0,240,60");
    Load({2, 3});
    Static(0).SetText(u"a\\nb");
    Static(1).SetText(u"a\\nb\nc");
    EXPECT_EQ(Static(0).GetText(), u"a\nb");
    EXPECT_EQ(Static(1).GetText(), u"a b c");
    Pump();
    EXPECT_EQ(Pixel(239, 59), RGB(0, 0, 0)); // no "background_color": black
    EXPECT_EQ(Pixel(98, 58), kBlue);         // see-through: the window's checkerboard
    EXPECT_EQ(Pixel(99, 58), kRed);
}

TEST_F(StaticTest, ATapIsAReleaseWithinFivePixelsAndADoubleClickIsOneTap) {
    Text(skin, u"2", u"static", "text=Tap;position=0,0,100,60");
    Load({2});
    struct Row {
        const char* steps;
        const char* received;
    } rows[] = {{"d10,10 u14,14", "C2"},
                {"d10,10 u5,5", "C2"},
                {"d10,10 u15,10", ""},
                {"d10,10 u10,4", ""},
                {"d10,10 u10,10 d10,10 u10,10", "C2"}};
    for (const Row& row : rows) {
        parent->Clear();
        Press(controls[0]->m_hWnd, row.steps, [] { return '.'; });
        EXPECT_EQ(Received(), row.received) << row.steps;
    }
}

// "font_bold" true is the heavier weight for texts and the lighter one for buttons.
TEST_F(StaticTest, FontBoldWeighsDifferentlyPerControl) {
    for (const char* bold : {"true", "false"}) {
        bool b = bold[0] == 't';
        Text(skin, b ? u"2" : u"3", u"static",
             std::string("text=Heavy;font_bold=") + bold +
                 (b ? ";position=0,0,120,20" : ";position=120,0,240,20"));
        Text(skin, b ? u"20" : u"21", u"button",
             std::string("text=Heavy;image_filename=b.bmp;font_bold=") + bold +
                 (b ? ";position=0,40" : ";position=120,40"));
    }
    Load({2, 3, 20, 21});
    EXPECT_GT(InkCount({0, 0, 120, 20}), InkCount({120, 0, 240, 20}));
    EXPECT_LT(InkCount({0, 40, 120, 60}), InkCount({120, 40, 240, 60}));
}

} // namespace
