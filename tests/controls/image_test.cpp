#include "controls/skinimage.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <memory>

namespace {

const std::vector<COLORREF> kFrames = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                       RGB(200, 200, 0), RGB(0, 200, 200)};

// Image 9 at (10, 10): a strip of count 32 x 20 frames, frame 0 with a transparent border
// and the others opaque.
SkinDef ImageSkin(const std::string& count, bool transparent = true) {
    SkinDef skin = SkinDef::Named(u"Images");
    skin.Section(u"main");
    Control(skin, u"9", u"image",
            "visible=true;image_filename=lamp.bmp;transparent_color=255,0,255;position=10,10;"
            "image_count=" +
                count + (transparent ? ";transparent=true" : ""));
    return skin;
}

std::vector<BYTE> Lamp(int frames) {
    return BmpBytes(32 * frames, 20, 24, [](int x, int y) {
        bool edge = x < 32 && (x < 2 || x >= 30 || y < 2 || y >= 18);
        return edge ? kMagenta : kFrames[size_t(x / 32)];
    });
}

class ImageTest : public PressTest {
protected:
    void Make() {
        image = std::make_unique<CSkinImage>();
        ASSERT_TRUE(image->Create(Parent(), u"main", 9, repository.get()));
        Pump();
    }
    char Shown() { return FrameOf(Pixel(10 + 16, 10 + 10), kFrames); }
    std::unique_ptr<CSkinImage> image;
};

TEST_F(ImageTest, FramesByIndexAndTapsOnOpaquePixelsOfFrameZero) {
    ASSERT_TRUE(LoadSkin(ImageSkin("3"), {{u"lamp.bmp", Lamp(3)}}));
    Make();
    EXPECT_RECT(ChildRect(image->m_hWnd), 10, 10, 42, 30); // 96 / 3 wide
    EXPECT_EQ(Shown(), '0');
    EXPECT_EQ(Pixel(10, 10), kParentFill); // see-through border
    EXPECT_TRUE(image->SetImage(2));
    EXPECT_FALSE(image->SetImage(3));
    Pump();
    EXPECT_EQ(Shown(), '2');
    EXPECT_EQ(Pixel(10, 10), kFrames[2]); // opaque where frame 0 is not
    struct Row {
        const char* what;
        const char* steps;
        const char* received;
    } rows[] = {
        {"a tap", "d16,10 u16,10", "C9"},
        {"frame 0 decides, whatever is shown", "d0,0 u0,0", ""},
        {"press inside, release outside", "d16,10 u60,10", ""},
        {"release on a transparent pixel", "d16,10 u1,1", ""},
        {"press on a transparent pixel, release on an opaque one", "d0,0 u16,10", ""},
        {"a double click is two taps", "d16,10 u16,10 d16,10 u16,10", "C9C9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        parent->Clear();
        Press(image->m_hWnd, row.steps, [] { return '.'; });
        EXPECT_EQ(Received(), row.received);
    }
}

TEST_F(ImageTest, ASkinSwitchKeepsTheChosenFrameEvenBeyondTheNewStrip) {
    ASSERT_TRUE(LoadSkin(ImageSkin("5", false), {{u"lamp.bmp", Lamp(5)}}));
    Make();
    EXPECT_TRUE(image->SetImage(4));
    Pump();
    EXPECT_EQ(Shown(), '4');
    ASSERT_TRUE(LoadSkin(ImageSkin("3", false), {{u"lamp.bmp", Lamp(3)}}, u"Three.skn"));
    EXPECT_EQ(Shown(), '0'); // index 4 is beyond the strip: frame 0 shows
    EXPECT_FALSE(image->SetImage(4));
    // Without a bitmap: a 0 x 0 window, and the count as the skin gives it.
    ASSERT_TRUE(LoadSkin(ImageSkin("7"), {}, u"Empty.skn"));
    EXPECT_EQ(image->GetImageCount(), 7u);
    EXPECT_RECT(ChildRect(image->m_hWnd), 10, 10, 10, 10);
    // An "image_count" of 0 shows the whole strip as one frame.
    ASSERT_TRUE(LoadSkin(ImageSkin("0", false), {{u"lamp.bmp", Lamp(2)}}, u"Zero.skn"));
    EXPECT_RECT(ChildRect(image->m_hWnd), 10, 10, 74, 30);
    EXPECT_EQ(Shown(), '0');
}

} // namespace
