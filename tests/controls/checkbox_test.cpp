#include "controls/skinradiobutton.h"
#include "controls/skinradiogroup.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const std::vector<COLORREF> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                       RGB(200, 200, 0)};

// Attributes in more come first, so they win over the common ones.
void Box(SkinDef& skin, const char16_t* id, const char16_t* type, const std::string& more) {
    Control(skin, id, type,
            more + ";visible=true;image_filename=box.bmp;font_size=12;font_color=255,255,255;"
                   "transparent_color=255,0,255");
}

// Directly on the test's plain parent, so the see-through parts capture the screen.
class CheckBoxTest : public PressTest {
protected:
    void SetUp() override {
        PressTest::SetUp();
        SkinDef skin = SkinDef::Named(u"Boxes");
        skin.Section(u"main");
        Box(skin, u"3", u"checkbox", "text=Sound;position=10,10,110,30");
        Box(skin, u"4", u"radio", "position=10,40,110,60");
        Box(skin, u"5", u"radio", "position=10,70,110,90");
        Box(skin, u"6", u"radio", "position=10,100,110,120");
        Box(skin, u"7", u"checkbox", "image_filename=tall.bmp;position=10,130,110,146");
        // 64 x 16 strips: 16-pixel frames with a 2-pixel transparent border; one 20 high.
        ASSERT_TRUE(LoadSkin(skin, {{u"box.bmp", FrameStrip(kFrames, 16, 16, 2)},
                                    {u"tall.bmp", FrameStrip(kFrames, 16, 20, 2)}}));
        s = std::make_unique<Screen>();
        ASSERT_TRUE(s->box.Create(Parent(), u"main", 3, repository.get()));
        ASSERT_TRUE(s->tall.Create(Parent(), u"main", 7, repository.get()));
        for (UINT i = 0; i < 3; ++i)
            ASSERT_TRUE(s->radios[i].Create(Parent(), u"main", 4 + i, repository.get(), &s->group));
        Pump();
    }
    char FrameAt(const CWnd& control) {
        RECT r = ChildRect(control.m_hWnd);
        return FrameOf(Pixel(r.left + 8, r.top + (r.bottom - r.top) / 2), kFrames);
    }
    // The id of the one radio button drawn checked, '0' for none, '*' for more.
    char CheckedRadio() {
        char checked = '0';
        for (UINT i = 0; i < 3; ++i)
            if (FrameAt(s->radios[i]) == '2') checked = checked == '0' ? char('4' + i) : '*';
        return checked;
    }

    struct Screen {
        CSkinCheckBox box, tall;
        CSkinRadioGroup group;
        CSkinRadioButton radios[3];
    };
    std::unique_ptr<Screen> s;
};

TEST_F(CheckBoxTest, PressesToggleCheckBoxesAndRadioButtonsExcludeEachOther) {
    struct Row {
        const char* what;
        int control; // 3 the check box, else a radio button
        const char* steps;
        const char* seen; // the box's frame, or the checked radio button
        const char* received;
    } rows[] = {
        {"a press checks", 3, "d8,10 u8,10", "22", "C3"},
        {"a transparent pixel counts too", 3, "d0,0 u0,0", "00", "C3"},
        {"a double click toggles twice", 3, "d8,10 u8,10 d8,10 u8,10", "2200", "C3C3"},
        {"a radio button checks", 5, "d8,10 u8,10", "55", "C5"},
        {"another switches the first off", 4, "d8,10 u8,10", "44", "C4"},
        {"a checked one does nothing", 4, "d8,10 u8,10 d8,10 u8,10", "4444", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CWnd& target = row.control == 3 ? static_cast<CWnd&>(s->box) : s->radios[row.control - 4];
        parent->Clear();
        std::string seen = Press(target.m_hWnd, row.steps, [&] {
            return row.control == 3 ? FrameAt(s->box) : CheckedRadio();
        });
        EXPECT_EQ(seen, row.seen);
        EXPECT_EQ(Received(), row.received);
    }
    s->radios[2].EnableWindow(FALSE);
    s->box.EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(FrameAt(s->radios[2]), '1');
    EXPECT_EQ(FrameAt(s->box), '1');
    s->radios[2].SetChecked(true); // the application's own check: the group is not asked
    Pump();
    EXPECT_EQ(FrameAt(s->radios[2]), '3');
    EXPECT_EQ(CheckedRadio(), '4');
    parent->Clear();
    EXPECT_EQ(Press(s->radios[2].m_hWnd, "d8,10 u8,10", [&] { return FrameAt(s->radios[2]); }),
              "33");
    EXPECT_EQ(Received(), "");
}

TEST_F(CheckBoxTest, TheBoxSitsCentredOverTheScreenBehindAndTheCaptionRightOfIt) {
    RECT r = ChildRect(s->box.m_hWnd);
    EXPECT_EQ(Pixel(r.left + 1, r.top + 3), kParentFill); // the box's transparent border
    EXPECT_EQ(Pixel(r.left + 8, r.top + 1), kParentFill); // above the 16-high box
    // A 20-high strip in a 16-high control is cut equally: its row 2 is the top row.
    RECT tall = ChildRect(s->tall.m_hWnd);
    EXPECT_EQ(Pixel(tall.left + 8, tall.top), kFrames[0]);
    EXPECT_EQ(Pixel(tall.left + 8, tall.bottom - 1), kFrames[0]);

    // Without "font_rect" the caption fills the area right of the box: (16, 0, 100, 20).
    EXPECT_FILL(RECT({r.left + 14, r.top, r.left + 16, r.bottom}), kParentFill);
    EXPECT_NE(CheckFill({r.left + 16, r.top, r.left + 20, r.bottom}, kParentFill), "");

    // SetChecked with the state it has repaints nothing; a skin change keeps the state and
    // replaces the caption.
    s->box.SetChecked(false);
    EXPECT_FALSE(GetUpdateRect(s->box.m_hWnd, nullptr, FALSE));
    s->box.SetChecked(true);
    s->box.SetText(u"Mine");
    ASSERT_TRUE(repository->LoadSkin(u"Test.skn"));
    Pump();
    EXPECT_TRUE(s->box.IsChecked());
    EXPECT_EQ(FrameAt(s->box), '2');
    EXPECT_EQ(s->box.GetText(), u"Sound");
}

} // namespace
