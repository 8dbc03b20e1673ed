#include "controls/skinslider.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const COLORREF kTrack = RGB(0, 0, 160);
const std::vector<COLORREF> kThumb = {RGB(0, 200, 0), RGB(200, 200, 0)}; // normal, dragged

// Slider 11 at (10, 10): a 120 x 20 background, a 20 x 16 thumb strip, margin 4, so the track
// is (4, 2, 116, 18), the thumb (4, 2, 14, 18) and the travel 102.
SkinDef SliderSkin(const std::string& tickType, const std::string& tickFreq) {
    SkinDef skin = SkinDef::Named(u"Sliders");
    skin.Section(u"main");
    Control(skin, u"11", u"slider",
            "visible=true;bkgnd_display=true;bkgnd_filename=track.bmp;thumb_filename=thumb.bmp;"
            "thumb_transparent_color=255,0,255;thumb_margin=4;position=10,10;tick_freq_type=" +
                tickType + ";tick_freq=" + tickFreq);
    return skin;
}

class SliderTest : public PressTest {
protected:
    void Make(const std::string& tickType = "0", const std::string& tickFreq = "50") {
        ASSERT_TRUE(
            LoadSkin(SliderSkin(tickType, tickFreq), {{u"track.bmp", BmpBytes(120, 20, 24, kTrack)},
                                                      {u"thumb.bmp", FrameStrip(kThumb, 10, 16)}}));
        slider = std::make_unique<CSkinSlider>();
        ASSERT_TRUE(slider->Create(Parent(), u"main", 11, repository.get()));
        Pump();
    }
    // The thumb's left edge in client coordinates, as the screen shows it.
    int ThumbLeft() {
        for (int x = 0; x < 120; ++x)
            if (Pixel(10 + x, 20) != kTrack) return x;
        return -1;
    }
    char ThumbFrame() { return FrameOf(Pixel(10 + ThumbLeft(), 20), kThumb); }
    std::unique_ptr<CSkinSlider> slider;
};

TEST_F(SliderTest, TapsStepDragsFollowThePointerAndEveryChangeIsPosted) {
    Make();
    EXPECT_RECT(ChildRect(slider->m_hWnd), 10, 10, 130, 30);
    EXPECT_EQ(ThumbLeft(), 4);
    EXPECT_EQ(Pixel(10 + 4, 10 + 1), kTrack); // above the track: the background
    struct Row {
        const char* what;
        const char* steps;
        const char* frames; // the thumb's frame after each step
        int left;           // where the thumb ends
        const char* posted;
    } rows[] = {
        {"a tap right of the thumb steps 24 (20 % of 120)", "d60,10 u60,10", "00", 28, "1"},
        {"a tap left of it steps back", "d10,10 u10,10", "00", 4, "1"},
        {"a drag", "d8,10 m28,10 u28,10", "110", 24, "24"},
        {"beyond the end the thumb and anchor stop", "d28,10 m119,10 m118,10 m110,10 u110,10",
         "11110", 100, "2224"},
        {"outside the control moves nothing and posts nothing", "d105,10 m125,10 u125,10", "110",
         100, "4"},
        {"a tap near the end lands at the end", "d115,10 u115,10", "00", 106, "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        parent->Clear();
        EXPECT_EQ(Press(slider->m_hWnd, row.steps, [&] { return ThumbFrame(); }), row.frames);
        EXPECT_EQ(ThumbLeft(), row.left);
        EXPECT_EQ(Received(CSkinSlider::kDefaultMessage), row.posted);
    }
}

TEST_F(SliderTest, RangesMapThePositionWithTruncationAndSkinChangesResetTheThumb) {
    Make("0", "2");
    struct Row {
        DWORD minimum, maximum, pos;
        int left;
        DWORD got;
    } rows[] = {{0, 100, 50, 55, 50},  {0, 3, 1, 38, 1},      {10, 20, 10, 4, 10},
                {10, 20, 20, 106, 20}, {10, 20, 21, 106, 20}, {5, 5, 5, 4, 5}};
    for (const Row& row : rows) {
        slider->SetRange(row.minimum, row.maximum);
        slider->SetPos(row.pos);
        Pump();
        EXPECT_EQ(ThumbLeft(), row.left) << row.pos;
        EXPECT_EQ(slider->GetPos(), row.got) << row.pos;
    }
    // "tick_freq" 2 is held to 5 %: a step of 6.
    Press(slider->m_hWnd, "d50,10 u50,10", [] { return '.'; });
    EXPECT_EQ(ThumbLeft(), 10);
    // A skin change puts the thumb back at the left end and keeps the range; the message goes
    // where the application asked.
    slider->SetMessageID(WM_USER + 7);
    ASSERT_TRUE(repository->LoadSkin(u"Test.skn"));
    Pump();
    EXPECT_EQ(ThumbLeft(), 4);
    EXPECT_EQ(slider->GetPos(), 5u);
    parent->Clear();
    Press(slider->m_hWnd, "d50,10 u50,10", [] { return '.'; });
    EXPECT_EQ(Received(WM_USER + 7), "1");
}

} // namespace
