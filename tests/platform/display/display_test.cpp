// The display: the headless screen saved as PNG, and the desktop window where one can exist.
#include "support/screen_fixture.h"
#include "support/tempdir.h"

#include "platform/display/display.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {

class DisplayTest : public ScreenTest {
protected:
    DisplayTest() : ScreenTest(64, 48) {}
};

TEST_F(DisplayTest, TheSavedScreenHasEveryPixelTheUserSees) {
    ProbeWindow a(nullptr, {0, 0, 40, 30}, RGB(200, 10, 20), 0, WS_POPUP | WS_VISIBLE);
    ProbeWindow b(a, {10, 5, 30, 25}, RGB(5, 150, 250), 1);
    Pump();
    TempDir dir;
    std::string path = dir.HostPath() + "/screen.png";
    ASSERT_TRUE(DisplaySaveScreen(path));
    PngImage image = ReadPngFile(path);
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 48);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) * 100 + GetSystemMetrics(SM_CYSCREEN), 6448);
    int mismatches = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            mismatches += image.At(x, y) != Pixel(x, y);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(image.At(15, 10), RGB(5, 150, 250));
    EXPECT_FALSE(DisplaySaveScreen(dir.HostPath() + "/missing/screen.png"));
}

// Keeps an environment variable unset for the life of the object.
class Unset {
public:
    explicit Unset(const char* name) : m_name(name) {
        if (const char* v = std::getenv(name)) m_saved = v;
        unsetenv(name);
    }
    ~Unset() {
        if (m_saved) setenv(m_name, m_saved->c_str(), 1);
    }

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

TEST_F(DisplayTest, WithoutADisplayNoWindowOpensAndLoopsDoNotWait) {
    Unset x11("DISPLAY");
    Unset wayland("WAYLAND_DISPLAY");
    EXPECT_FALSE(DisplayCanShowWindow());
    EXPECT_EQ(DesktopWindow::Open(2), nullptr);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
}

TEST_F(DisplayTest, TheDesktopWindowRunsTheClockInRealTime) {
    if (!DisplayCanShowWindow()) GTEST_SKIP() << "no display";
    auto window = DesktopWindow::Open(3);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Scale(), 3);
    EXPECT_EQ(DesktopWindow::Open(2), nullptr); // one at a time
    ProbeWindow w(nullptr, {0, 0, 10, 10}, RGB(1, 2, 3), 0, WS_POPUP | WS_VISIBLE);
    SetTimer(w, 1, 30, nullptr);
    DWORD start = GetTickCount();
    MSG msg;
    while (w.Count(WM_TIMER) == 0 && GetTickCount() - start < 2000 &&
           GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    EXPECT_EQ(w.Count(WM_TIMER), 1);
    EXPECT_GE(GetTickCount() - start, 30u);
    EXPECT_TRUE(window->IsOpen());
    window->Present();
}

} // namespace
