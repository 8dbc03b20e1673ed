#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0), kTeal = RGB(0, 128, 128);

// A window component at (20, 30) of 100 x 50.
SkinDef WindowSkin(const CString& type, bool display = true) {
    SkinDef skin = SkinDef::Named(u"Win");
    skin.Section(u"main");
    Control(skin, u"1", u"window",
            std::string("visible=true;image_display=") + (display ? "true" : "false") +
                ";image_type=" + type.ToUtf8() +
                ";image_filename=back.bmp;background_color=0,128,128;position=20,30,120,80");
    return skin;
}

// Each pixel tells where in the image it came from: red = x, green = y.
std::vector<BYTE> Coordinates(int w, int h) {
    return BmpBytes(w, h, 24, [](int x, int y) { return RGB(x, y, 200); });
}

class SkinWindowTest : public ControlTest {
protected:
    // The window's pixel at (x, y) of its client area, as the screen shows it.
    COLORREF At(int x, int y) { return Pixel(20 + x, 30 + y); }
};

TEST_F(SkinWindowTest, ImageTypesAndTheBackgroundColourByTheirPixels) {
    auto quadrants = [](int x, int y) {
        return y == 0 ? (x == 0 ? kRed : kGreen) : (x == 0 ? kBlue : kYellow);
    };
    struct Probe {
        int x, y; // in the window's client area
        COLORREF colour;
    };
    struct Case {
        const char16_t* type;
        bool display;
        std::vector<BYTE> image;
        std::vector<Probe> probes;
    } cases[] = {
        // Tiles repeat from the top left and are cut at the right and bottom edges.
        {u"2",
         true,
         Coordinates(30, 20),
         {{0, 0, RGB(0, 0, 200)}, {39, 27, RGB(9, 7, 200)}, {99, 49, RGB(9, 9, 200)}}},
        // A natural image sits on the background colour.
        {u"0",
         true,
         Coordinates(30, 20),
         {{29, 19, RGB(29, 19, 200)}, {30, 0, kTeal}, {0, 20, kTeal}, {99, 49, kTeal}}},
        {u"1",
         true,
         BmpBytes(2, 2, 24, quadrants),
         {{0, 0, kRed}, {49, 24, kRed}, {50, 24, kGreen}, {49, 25, kBlue}, {99, 49, kYellow}}},
        // Other types draw nothing into the back buffer: a fresh bitmap is black.
        {u"7", true, Coordinates(30, 20), {{0, 0, RGB(0, 0, 0)}, {99, 49, RGB(0, 0, 0)}}},
        {u"2", false, Coordinates(30, 20), {{0, 0, kTeal}, {99, 49, kTeal}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << CString(c.type).ToUtf8() << " display "
                                        << c.display << " image " << c.image.size());
        ASSERT_TRUE(LoadSkin(WindowSkin(c.type, c.display), {{u"back.bmp", c.image}}));
        CSkinWindow window;
        ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
        Pump();
        EXPECT_RECT(ChildRect(window.m_hWnd), 20, 30, 120, 80);
        for (const Probe& p : c.probes)
            EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << "," << p.y;
        EXPECT_EQ(Pixel(120, 30), kParentFill); // nothing outside the window
        EXPECT_EQ(Pixel(20, 80), kParentFill);
    }
}

TEST_F(SkinWindowTest, AMissingImageFallsBackToTheColourUntilTheEntryArrives) {
    ASSERT_TRUE(LoadSkin(WindowSkin(u"2")));
    CSkinWindow window;
    ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
    Pump();
    EXPECT_FILL(RECT({20, 30, 120, 80}), kTeal);
    ASSERT_TRUE(LoadSkin(WindowSkin(u"2"), {{u"back.bmp", Coordinates(30, 20)}}));
    EXPECT_EQ(At(31, 21), RGB(1, 1, 200));
}

TEST_F(SkinWindowTest, InvisibleMissingOrUnboundComponentsStayHidden) {
    SkinDef skin = WindowSkin(u"0", false);
    skin.sections[0].components[0].attributes[0].value = u"false";
    ASSERT_TRUE(LoadSkin(skin));
    CSkinWindow hidden, missing, unbound;
    ASSERT_TRUE(hidden.Create(Parent(), u"main", 1, repository.get()));
    ASSERT_TRUE(missing.Create(Parent(), u"main", 2, repository.get()));
    ASSERT_TRUE(unbound.Create(Parent(), u"main", 1, nullptr));
    unbound.SetSection(u"main"); // runs Update, which only invalidates the 0 x 0 window
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(unbound.m_hWnd, &update, FALSE));
    Pump();
    for (CSkinWindow* window : {&hidden, &missing, &unbound})
        EXPECT_FALSE(IsWindowVisible(window->m_hWnd));
    EXPECT_FILL(RECT({0, 0, 240, 320}), kParentFill);
}

TEST_F(SkinWindowTest, PaintWindowAreaCopiesTheBackgroundBehindAChildOrFillsTheColour) {
    for (bool display : {true, false}) {
        ASSERT_TRUE(LoadSkin(WindowSkin(u"0", display), {{u"back.bmp", Coordinates(100, 50)}}));
        CSkinWindow window;
        ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
        ProbeWindow child(window.m_hWnd, RECT{40, 10, 60, 30}, CLR_NONE, 7);
        Pump();
        Canvas canvas(20, 20, 32, kRed);
        CDC dc;
        dc.Attach(canvas.dc());
        CRect area(2, 3, 12, 13);
        window.PaintWindowArea(CWnd::FromHandle(child.hwnd()), &dc, &area);
        dc.Detach();
        // The area's pixels are the window's background behind the child's area.
        EXPECT_EQ(canvas.At(2, 3), display ? RGB(42, 13, 200) : kTeal);
        EXPECT_EQ(canvas.At(11, 12), display ? RGB(51, 22, 200) : kTeal);
        EXPECT_EQ(canvas.Count(kRed), 400 - 100); // nothing outside the area
    }
}

TEST_F(SkinWindowTest, ATapWithinFivePixelsIsACommandToTheParent) {
    ASSERT_TRUE(LoadSkin(WindowSkin(u"0", false)));
    CSkinWindow window;
    ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
    Pump();
    // Where the pointer is released, from a press at (50, 50).
    struct Tap {
        int dx, dy;
        bool command;
    } taps[] = {{4, 4, true}, {5, 0, false}, {0, -6, false}, {-5, -5, true}};
    for (const Tap& t : taps) {
        parent->Clear();
        AdvanceTime(1000); // taps far apart in time, so that none is a double click
        Down(50, 50);
        Up(50 + t.dx, 50 + t.dy);
        auto commands = parent->Only(WM_COMMAND);
        ASSERT_EQ(commands.size(), t.command ? 1u : 0u) << t.dx << "," << t.dy;
        if (!t.command) continue;
        EXPECT_EQ(commands[0].wParam, WPARAM(1)); // id in the low word, 0 in the high word
        EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(window.m_hWnd));
    }
}

TEST_F(SkinWindowTest, ChildClicksAndScrollsReachTheParent) {
    ASSERT_TRUE(LoadSkin(WindowSkin(u"0", false)));
    CSkinWindow window;
    ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
    ProbeWindow button(window.m_hWnd, RECT{0, 0, 10, 10}, kRed, 42);
    parent->Clear();
    SendMessage(window.m_hWnd, WM_COMMAND, MAKEWPARAM(42, 0),
                reinterpret_cast<LPARAM>(button.hwnd()));
    auto commands = parent->Only(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(42, 0));
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(button.hwnd()));

    // Other notification codes get the framework's handling and stay with the window.
    SendMessage(window.m_hWnd, WM_COMMAND, MAKEWPARAM(42, 5),
                reinterpret_cast<LPARAM>(button.hwnd()));
    EXPECT_EQ(parent->Count(WM_COMMAND), 1);

    SendMessage(window.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77),
                reinterpret_cast<LPARAM>(button.hwnd()));
    auto scrolls = parent->Only(WM_HSCROLL);
    ASSERT_EQ(scrolls.size(), 1u);
    EXPECT_EQ(LOWORD(scrolls[0].wParam), SB_THUMBTRACK);
    EXPECT_EQ(HIWORD(scrolls[0].wParam), 77);
    EXPECT_EQ(scrolls[0].lParam, reinterpret_cast<LPARAM>(button.hwnd()));
}

TEST_F(SkinWindowTest, UpdatesReleaseTheirBackBuffers) {
    ASSERT_TRUE(LoadSkin(WindowSkin(u"2"), {{u"back.bmp", Coordinates(30, 20)}}));
    ASSERT_NE(repository->GetBitmap(u"main", u"back.bmp", true), nullptr); // the cache's own
    const int bitmaps = GdiGetObjectCounts().bitmaps;
    {
        CSkinWindow window;
        ASSERT_TRUE(window.Create(Parent(), u"main", 1, repository.get()));
        const GdiObjectCounts once = GdiGetObjectCounts();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(repository->LoadSkin(u"Test.skn", nullptr, false));
        EXPECT_EQ(GdiGetObjectCounts(), once); // each Update replaces the last back buffer
        Pump();
    }
    EXPECT_EQ(GdiGetObjectCounts().bitmaps, bitmaps);
}

} // namespace
