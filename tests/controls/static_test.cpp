#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skinstatic.h"
#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const COLORREF kInk = RGB(255, 255, 255);

ComponentDef& Text(SectionDef& section, const char16_t* id, const char16_t* position,
                   const CString& text, bool wrap, bool transparent = true) {
    return section.Component(id, u"text", u"static")
        .Attr(u"visible", u"bool", u"true")
        .Attr(u"font_size", u"numeric", u"12")
        .Attr(u"font_color", u"color", u"255,255,255")
        .Attr(u"wordwrap", u"bool", wrap ? u"true" : u"false")
        .Attr(u"text", u"string", text)
        .Attr(u"transparent", u"bool", transparent ? u"true" : u"false")
        .Attr(u"position", u"rect", position);
}

class StaticTest : public PressTest {
protected:
    // Static texts over a skin window whose background image is a 2-colour checkerboard.
    void Load(SkinDef skin) {
        skin.sections[0]
            .Component(u"1", u"window", u"window")
            .Attr(u"visible", u"bool", u"true")
            .Attr(u"image_display", u"bool", u"true")
            .Attr(u"image_type", u"choice", u"2")
            .Attr(u"image_filename", u"file", u"back.bmp")
            .Attr(u"position", u"rect", u"0,0,240,320");
        auto back = BmpBytes(2, 2, 24, [](int x, int y) { return (x + y) % 2 ? kRed : kBlue; });
        ASSERT_TRUE(LoadSkin(skin, {{u"back.bmp", back}}));
        window = std::make_unique<CSkinWindow>();
        ASSERT_TRUE(window->Create(Parent(), u"main", 1, repository.get()));
    }
    std::unique_ptr<CSkinStatic> Make(UINT id) {
        auto text = std::make_unique<CSkinStatic>();
        EXPECT_TRUE(text->Create(window.get(), u"main", id, repository.get()));
        Pump();
        return text;
    }
    void TearDown() override {
        window.reset();
        PressTest::TearDown();
    }
    // The rows of rect that hold ink, as bands "top-bottom" separated by spaces.
    std::string InkBands(const RECT& r) {
        std::string bands;
        int start = -1;
        for (int y = r.top; y <= r.bottom; ++y) {
            bool ink = false;
            for (int x = r.left; x < r.right && y < r.bottom; ++x)
                ink = ink || Pixel(x, y) == kInk;
            if (ink && start < 0) start = y;
            if (!ink && start >= 0) {
                bands += std::to_string(start - r.top) + "-" + std::to_string(y - r.top) + " ";
                start = -1;
            }
        }
        return bands;
    }

    static constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    std::unique_ptr<CSkinWindow> window;
};

TEST_F(StaticTest, BreaksWrapLinesAndOneLineShowsTheBackslashes) {
    SkinDef skin = SkinDef::Named(u"Texts");
    const CString text = u"one\\n\\ntwo";
    Text(skin.Section(u"main"), u"2", u"0,0,100,60", text, true);
    Text(skin.sections[0], u"3", u"100,0,240,60", text, false);
    Text(skin.sections[0], u"4", u"0,100,60,200", u"lorem ipsum dolor sit amet", true);
    Load(skin);
    auto wrapped = Make(2), single = Make(3), narrow = Make(4);
    // "one", a line holding a space, "two": two bands of ink, the second two lines down.
    std::string bands = InkBands({0, 0, 100, 60});
    int a0, a1, b0, b1;
    ASSERT_EQ(std::sscanf(bands.c_str(), "%d-%d %d-%d", &a0, &a1, &b0, &b1), 4) << bands;
    EXPECT_NEAR(b0 - a0, 2 * 14, 4) << bands; // two lines of a 12-pixel font's cell
    std::string one = InkBands({100, 0, 240, 60});
    EXPECT_EQ(one.find(' '), one.size() - 1) << one; // one band
    int backslash = 0;
    for (int x = 100; x < 240; ++x)
        backslash += Pixel(x, 2) == kInk;
    EXPECT_GT(backslash, 0); // the backslashes reach the top rows
    // Word breaks keep every line inside the 60-pixel width.
    EXPECT_GE(
        std::count(InkBands({0, 100, 60, 200}).begin(), InkBands({0, 100, 60, 200}).end(), ' '), 3);
    for (int y = 100; y < 200; ++y)
        EXPECT_NE(Pixel(60, y), kInk);
}

TEST_F(StaticTest, SetTextConvertsBreaksByTheWordWrapOfTheLastUpdate) {
    SkinDef skin = SkinDef::Named(u"Texts");
    Text(skin.Section(u"main"), u"2", u"0,0,100,60", u"", true);
    Text(skin.sections[0], u"3", u"100,0,240,60", u"", false, false);
    Load(skin);
    auto wrapped = Make(2), single = Make(3);
    wrapped->SetText(u"a\\nb");
    single->SetText(u"a\\nb\nc");
    EXPECT_EQ(wrapped->GetText(), u"a\nb");
    EXPECT_EQ(single->GetText(), u"a b c");
    Pump();
    // Without transparency or a colour, the background is black; with it, the window shows.
    EXPECT_EQ(Pixel(239, 59), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(98, 58), kBlue);
    EXPECT_EQ(Pixel(99, 58), kRed);
}

TEST_F(StaticTest, ATapIsAReleaseWithinFivePixelsAndADoubleClickIsOneTap) {
    SkinDef skin = SkinDef::Named(u"Texts");
    Text(skin.Section(u"main"), u"2", u"0,0,100,60", u"Tap", false);
    Load(skin);
    auto text = Make(2);
    struct Row {
        const char* steps;
        const char* received;
    } rows[] = {{"d10,10 u14,14", "C2"},
                {"d10,10 u5,5", "C2"},
                {"d10,10 u15,10", ""},
                {"d10,10 u10,4", ""},
                {"d10,10 u10,10 d10,10 u10,10", "C2"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        parent->Clear();
        Press(text->m_hWnd, row.steps, [] { return '.'; });
        EXPECT_EQ(Received(), row.received);
    }
}

// "font_bold" true is the lighter weight for buttons and check boxes, the heavier for texts.
TEST_F(StaticTest, FontBoldWeighsDifferentlyPerControl) {
    SkinDef skin = SkinDef::Named(u"Weights");
    SectionDef& main = skin.Section(u"main");
    for (const char16_t* bold : {u"true", u"false"}) {
        bool b = bold[0] == u't';
        Text(main, b ? u"2" : u"3", b ? u"0,0,120,20" : u"120,0,240,20", u"Heavy", false)
            .Attr(u"font_bold", u"bool", bold);
        main.Component(b ? u"4" : u"5", u"button", u"button")
            .Attr(u"visible", u"bool", u"true")
            .Attr(u"image_filename", u"file", u"plain.bmp")
            .Attr(u"font_size", u"numeric", u"12")
            .Attr(u"font_bold", u"bool", bold)
            .Attr(u"font_rect", u"rect", u"0,0,-1,-1")
            .Attr(u"font_color", u"color", u"255,255,255")
            .Attr(u"text", u"string", u"Heavy")
            .Attr(u"position", u"point", b ? u"0,40" : u"120,40");
        Text(main, b ? u"6" : u"7", b ? u"0,80,120,100" : u"120,80,240,100", u"", false).type =
            u"checkbox";
        main.components.back()
            .Attr(u"font_bold", u"bool", bold)
            .Attr(u"image_filename", u"file", u"missing.bmp"); // no box, a caption all the same
    }
    PackageEntries plain = {{u"plain.bmp", BmpBytes(480, 20, 24, RGB(0, 0, 0))}};
    ASSERT_TRUE(LoadSkin(skin, plain));
    CSkinStatic light, heavy;
    CSkinButton lightButton, heavyButton;
    CSkinCheckBox lightBox, heavyBox;
    for (auto [control, id] :
         std::initializer_list<std::pair<CSkinObject*, UINT>>{{&light, 2},
                                                              {&heavy, 3},
                                                              {&lightButton, 4},
                                                              {&heavyButton, 5},
                                                              {&lightBox, 6},
                                                              {&heavyBox, 7}})
        ASSERT_TRUE(control->Create(Parent(), u"main", id, repository.get()));
    lightBox.SetText(u"Heavy");
    heavyBox.SetText(u"Heavy");
    Pump();
    auto ink = [&](int left, int top) {
        int n = 0;
        for (int y = top; y < top + 20; ++y)
            for (int x = left; x < left + 120; ++x)
                n += Pixel(x, y) == kInk;
        return n;
    };
    EXPECT_GT(ink(0, 0), ink(120, 0));   // static: true is bold
    EXPECT_LT(ink(0, 40), ink(120, 40)); // button: true is light
    EXPECT_LT(ink(0, 80), ink(120, 80)); // check box: true is light
}

} // namespace
