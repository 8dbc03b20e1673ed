// skinview: a definition laid out by a map, saved as PNG; watched, rebuilt and shown again after
// a change on disk; a broken change leaves the last good version on screen.
#include "module/skinkitmodule.h"
#include "support/press_fixture.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"
#include "viewer.h"

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);

// A window of one colour and a four-frame button of 30 x 20 at (20, 40).
SkinDef Skin(const std::string& background, const std::string& buttonFile = "b.bmp") {
    SkinDef skin = SkinDef::Named(u"Watch");
    skin.Section(u"main");
    Control(skin, u"1", u"window",
            "visible=true;background_color=" + background + ";position=0,0,240,320");
    Control(skin, u"2", u"button", "visible=true;image_filename=" + buttonFile + ";position=20,40");
    return skin;
}

class SkinViewTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        m_module = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
        std::vector<std::string> errors;
        ASSERT_TRUE(m_map.Parse("main 1 window\nmain 2 button\n", "t.map", errors));
        m_dir.WriteFile(u"b.bmp", BmpBytes(120, 20, 24, kRed));
        Write(Skin("10,20,30"));
        m_source.kind = ViewSource::Definition;
        m_source.path = m_dir.HostPath() + "/watch.xml";
    }
    void TearDown() override {
        FreeLibrary(m_module);
        ScreenTest::TearDown();
    }
    void Write(const SkinDef& skin) { m_dir.WriteFile(u"watch.xml", TextDescription(skin)); }

    HMODULE m_module = nullptr;
    TempDir m_dir;
    CScreenMap m_map;
    ViewSource m_source;
};

TEST_F(SkinViewTest, SavesEachSectionAsTheApplicationLaysItOut) {
    CSkinViewer viewer(m_source, m_map);
    std::string error;
    ASSERT_TRUE(viewer.Open(error)) << error;
    std::vector<std::string> written;
    ASSERT_TRUE(viewer.SaveSections(m_dir.HostPath(), written, error)) << error;
    ASSERT_EQ(written, std::vector<std::string>{m_dir.HostPath() + "/watch-main.png"});
    PngImage png = ReadPngFile(written[0]);
    ASSERT_EQ(png.width, 240);
    EXPECT_EQ(png.At(5, 5), RGB(10, 20, 30));
    EXPECT_EQ(png.At(20, 40), kRed); // the button's first frame, 30 wide
    EXPECT_EQ(png.At(49, 59), kRed);
    EXPECT_EQ(png.At(50, 45), RGB(10, 20, 30));
}

TEST_F(SkinViewTest, OutlineNamesEveryComponent) {
    CSkinViewer viewer(m_source, m_map);
    std::string error;
    ASSERT_TRUE(viewer.Open(error)) << error;
    viewer.SetOutline(true);
    viewer.ShowSection(0);
    EXPECT_EQ(Pixel(20, 59), RGB(255, 48, 160));  // the button's frame, left bottom corner
    EXPECT_EQ(Pixel(239, 300), RGB(0, 224, 255)); // the window's
    EXPECT_EQ(viewer.Describe({25, 45}), "main 2 button");
    EXPECT_EQ(viewer.Describe({200, 200}), "main 1 window");
}

TEST_F(SkinViewTest, WatchShowsEveryChangeAndKeepsTheLastGoodVersion) {
    CSkinViewer viewer(m_source, m_map);
    std::string error, message;
    ASSERT_TRUE(viewer.Open(error)) << error;
    EXPECT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Unchanged);

    Write(Skin("0,90,0"));
    ASSERT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Reloaded) << message;
    EXPECT_EQ(Pixel(5, 5), RGB(0, 90, 0));

    m_dir.WriteFile(u"b.bmp", BmpBytes(120, 20, 24, RGB(0, 0, 210))); // a bitmap is watched too
    ASSERT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Reloaded) << message;
    EXPECT_EQ(Pixel(25, 45), RGB(0, 0, 210));

    // A definition naming a bitmap that is not there does not build: nothing changes on screen.
    Write(Skin("90,0,0", "gone.bmp"));
    EXPECT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Failed);
    EXPECT_NE(message.find("cannot build"), std::string::npos) << message;
    EXPECT_EQ(Pixel(5, 5), RGB(0, 90, 0));
    EXPECT_EQ(Pixel(25, 45), RGB(0, 0, 210));
    m_dir.WriteFile(u"watch.xml", std::string("<newvexskin><section id=")); // damaged
    EXPECT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Failed);
    EXPECT_EQ(Pixel(5, 5), RGB(0, 90, 0));

    Write(Skin("90,0,0"));
    ASSERT_EQ(viewer.Poll(message), CSkinViewer::PollResult::Reloaded) << message;
    EXPECT_EQ(Pixel(5, 5), RGB(90, 0, 0));
}

} // namespace
