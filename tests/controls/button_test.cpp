#include "controls/skinbutton.h"
#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const std::vector<COLORREF> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                       RGB(200, 200, 0)};
const COLORREF kTeal = RGB(0, 128, 128);

// Buttons of 40 x 20 frames with a 2-pixel transparent border: 5 see-through, 6 shaped to its
// opaque pixels, 7 a plain toggle; all under a skin window 8 that fills the screen in teal.
SkinDef ButtonSkin() {
    SkinDef skin = SkinDef::Named(u"Buttons");
    skin.Section(u"main");
    Control(skin, u"8", u"window", "visible=true;background_color=0,128,128;position=0,0,240,320");
    const std::string common = "visible=true;image_filename=strip.bmp;font_size=12;font_halign=2;"
                               "font_valign=2;font_rect=4,2,-4,-2;font_color=255,255,255;"
                               "transparent_color=255,0,255;";
    Control(skin, u"5", u"button", common + "transparent=true;position=10,10");
    Control(skin, u"6", u"button", common + "transparent=true;region=true;position=60,10");
    Control(skin, u"7", u"button", common + "toggle=true;position=110,10");
    return skin;
}

class ButtonTest : public PressTest {
protected:
    void SetUp() override {
        PressTest::SetUp();
        // 163 pixels wide: frames of 40, the last 3 columns never shown.
        auto strip = BmpBytes(163, 20, 24, [](int x, int y) {
            bool edge = x % 40 < 2 || x % 40 >= 38 || y < 2 || y >= 18 || x >= 160;
            return edge ? kMagenta : kFrames[size_t(x / 40)];
        });
        ASSERT_TRUE(LoadSkin(ButtonSkin(), {{u"strip.bmp", strip}}));
        // Made after the platform's reset, which forgets the library's window class.
        s = std::make_unique<Screen>();
        ASSERT_TRUE(s->window.Create(Parent(), u"main", 8, repository.get()));
        for (UINT id : {5u, 6u, 7u})
            ASSERT_TRUE(s->buttons[id - 5].Create(&s->window, u"main", id, repository.get()));
        Pump();
    }
    // The frame shown at a button's centre.
    char FrameAt(const CSkinButton& b) {
        RECT r = ChildRect(b.m_hWnd);
        return FrameOf(Pixel(r.left + 20, r.top + 10), kFrames);
    }

    void TearDown() override {
        s.reset();
        PressTest::TearDown();
    }

    struct Screen {
        CSkinWindow window;
        CSkinButton buttons[3];
    };
    std::unique_ptr<Screen> s;
};

TEST_F(ButtonTest, FramesAndClicksFollowThePressRules) {
    struct Row {
        int button;
        const char* what;
        const char* steps;
        const char* frames;
        const char* received;
    } rows[] = {
        {5, "click", "d20,10 u20,10", "10", "C5"},
        {5, "drag out and back in", "d20,10 m60,10 m20,10 u20,10", "1010", "C5"},
        {5, "drag out, release outside", "d20,10 m60,10 u60,10", "100", ""},
        // No move cleared the pressed flag: the fourth frame shows at the next repaint.
        {5, "release outside without a move", "d20,10 u60,10 r", "113", ""},
        {5, "the fourth frame lasts until the next press", "d20,10 u20,10", "10", "C5"},
        {5, "onto a transparent pixel", "d20,10 m1,1 u1,1", "100", ""},
        {5, "press on a transparent pixel", "d1,1 u1,1", "00", ""},
        {5, "double click is two clicks", "d20,10 u20,10 d20,10 u20,10", "1010", "C5C5"},
        {6, "outside the region the window behind takes the tap", "d1,1 u1,1", "00", "C8"},
        {6, "inside the region", "d3,3 u3,3", "10", "C6"},
        {7, "a toggle latches down", "d20,10 u20,10", "11", "C7"},
        {7, "and stays down without a second click", "d20,10 u20,10", "11", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CSkinButton& b = s->buttons[row.button - 5];
        parent->Clear();
        EXPECT_EQ(Press(b.m_hWnd, row.steps, [&] { return FrameAt(b); }), row.frames);
        EXPECT_EQ(Received(), row.received);
    }
    EXPECT_TRUE(s->buttons[2].IsDown());
    EXPECT_FALSE(s->buttons[0].IsDown()); // never for a push button
    s->buttons[2].Toggle(false);
    Pump();
    EXPECT_EQ(FrameAt(s->buttons[2]), '0');
    EXPECT_EQ(Received(), "");

    s->buttons[0].EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(Press(s->buttons[0].m_hWnd, "d20,10 u20,10", [&] { return FrameAt(s->buttons[0]); }),
              "22");
    EXPECT_EQ(Received(), "");
}

TEST_F(ButtonTest, TransparentPixelsShowTheWindowBehindAndTheStripSizesTheWindow) {
    EXPECT_RECT(ChildRect(s->buttons[0].m_hWnd), 10, 10, 50, 30); // 163 / 4 = 40 wide
    for (CSkinButton& b : s->buttons) {
        RECT r = ChildRect(b.m_hWnd);
        bool plain = &b == &s->buttons[2];
        // A see-through or shaped button shows the window's teal in its border.
        EXPECT_EQ(Pixel(r.left, r.top), plain ? kMagenta : kTeal);
        EXPECT_EQ(Pixel(r.right - 1, r.bottom - 1), plain ? kMagenta : kTeal);
    }
}

TEST_F(ButtonTest, CaptionsSitInTheAdjustedTextRectangleAndFollowTheSkin) {
    s->buttons[2].SetText(u"Go");
    s->buttons[2].Toggle(true);
    Pump();
    // Right and bottom aligned in (4, 2, 36, 18): ink near those edges, none past them.
    RECT r = ChildRect(s->buttons[2].m_hWnd);
    EXPECT_NE(CheckFill({r.left + 30, r.top + 10, r.left + 36, r.top + 18}, kFrames[1]), "");
    EXPECT_FILL(RECT({r.left + 36, r.top + 2, r.left + 38, r.top + 18}), kFrames[1]);
    EXPECT_FILL(RECT({r.left + 2, r.top + 16, r.left + 38, r.top + 18}), kFrames[1]);
    // A skin change keeps the toggle's state and replaces the caption by the skin's text.
    ASSERT_TRUE(repository->LoadSkin(u"Test.skn"));
    Pump();
    EXPECT_EQ(s->buttons[2].GetText(), u"");
    EXPECT_TRUE(s->buttons[2].IsDown());
    EXPECT_FILL(RECT({r.left + 2, r.top + 2, r.left + 38, r.top + 18}), kFrames[1]);
}

} // namespace
