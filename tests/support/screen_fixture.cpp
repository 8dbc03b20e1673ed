#include "support/screen_fixture.h"

#include "platform/afx/wnd.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::string FailureFolder() {
    const char* env = std::getenv("SKINKIT_FAILURE_DIR");
    std::string folder =
        env && *env ? env : (std::filesystem::temp_directory_path() / "skinkit-failures").string();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string CurrentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

void DestroyTopLevelWindows() {
    // Top-level windows are the desktop's children; destroying them takes their children too.
    for (int guard = 0; guard < 10000; ++guard) {
        HWND top = GetTopWindow(nullptr);
        if (!top || !DestroyWindow(top)) break;
    }
}

} // namespace

void ScreenTest::SetUp() {
    UserResetPlatform(m_width, m_height);
    m_counts = GdiGetObjectCounts();
    m_menus = UserGetMenuCount();
    Pump();
}

void ScreenTest::TearDown() {
    if (HasFailure()) {
        std::string path = FailureFolder() + "/" + CurrentTestName() + ".png";
        if (GdiWriteScreenPng(path)) std::printf("screen saved to %s\n", path.c_str());
    }
    DestroyTopLevelWindows();
    UserPumpUntilIdle();
    AfxDeleteTempMaps();
    GdiObjectCounts now = GdiGetObjectCounts();
    EXPECT_EQ(now, m_counts) << "left behind: " << GdiDescribeCounts(now) << " (at start "
                             << GdiDescribeCounts(m_counts) << ")";
    EXPECT_EQ(UserGetMenuCount(), m_menus) << "menus left behind";
    UserResetPlatform(m_width, m_height);
}

UserPumpResult ScreenTest::Pump() {
    UserPumpResult r = UserPumpUntilIdle();
    EXPECT_TRUE(r.error.empty()) << r.error;
    return r;
}

void ScreenTest::Down(int x, int y) {
    UserInjectPointerDown(x, y);
    Pump();
}

void ScreenTest::Up(int x, int y) {
    UserInjectPointerUp(x, y);
    Pump();
}

void ScreenTest::Move(int x, int y) {
    UserInjectPointerMove(x, y);
    Pump();
}

void ScreenTest::Click(int x, int y) {
    Down(x, y);
    Up(x, y);
}

void ScreenTest::Key(UINT virtualKey) {
    UserInjectKey(virtualKey, true);
    UserInjectKey(virtualKey, false);
    Pump();
}

void ScreenTest::AdvanceTime(DWORD ms) {
    UserPumpResult r = UserAdvanceTime(ms);
    EXPECT_TRUE(r.error.empty()) << r.error;
}

COLORREF ScreenTest::Pixel(int x, int y) const {
    GdiScreenPixels s = GdiGetScreenPixels();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return CLR_INVALID;
    uint32_t v;
    std::memcpy(&v, s.bits + size_t(y) * s.stride + size_t(x) * 4, 4);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::string ScreenTest::CheckFill(const RECT& r, COLORREF colour) const {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (COLORREF got = Pixel(x, y); got != colour) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d,%d) is 0x%06X, not 0x%06X", x, y,
                              unsigned(got), unsigned(colour));
                return text;
            }
    return "";
}

// ---- ProbeWindow -----------------------------------------------------------------------------

ProbeWindow::ProbeWindow(HWND parent, const RECT& rect, COLORREF fillColour, UINT id, DWORD style,
                         bool doubleClicks)
    : fill(fillColour) {
    LPCWSTR name = doubleClicks ? u"SkProbeDbl" : u"SkProbe";
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, name, &wc)) {
        wc.style = doubleClicks ? CS_DBLCLKS : 0;
        wc.lpfnWndProc = &ProbeWindow::Proc;
        wc.lpszClassName = name;
        RegisterClass(&wc);
    }
    m_hwnd = CreateWindowEx(0, name, u"probe", style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(UINT_PTR(id)),
                            nullptr, this);
}

ProbeWindow::~ProbeWindow() {
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtr(m_hwnd, GWL_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

int ProbeWindow::Count(UINT message) const {
    int n = 0;
    for (const ProbeMessage& m : m_messages)
        n += m.message == message;
    return n;
}

std::vector<ProbeMessage> ProbeWindow::Only(UINT message) const {
    std::vector<ProbeMessage> out;
    for (const ProbeMessage& m : m_messages)
        if (m.message == message) out.push_back(m);
    return out;
}

LRESULT ProbeWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWL_USERDATA, LONG_PTR(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtr(hwnd, GWL_USERDATA));
    if (!self) return DefWindowProc(hwnd, message, wParam, lParam);
    self->m_hwnd = hwnd;
    return self->Handle(message, wParam, lParam);
}

LRESULT ProbeWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    m_messages.push_back({message, wParam, lParam});
    LRESULT result = 0;
    if (handler && handler(message, wParam, lParam, &result)) return result;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        if (fill != CLR_NONE) {
            RECT client;
            GetClientRect(m_hwnd, &client);
            HBRUSH brush = CreateSolidBrush(fill);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        }
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    return DefWindowProc(m_hwnd, message, wParam, lParam);
}

// ---- PNG -------------------------------------------------------------------------------------

PngImage ReadPngFile(const std::string& hostPath) {
    PngImage image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, hostPath.c_str())) return image;
    png.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.width = int(png.width);
    image.height = int(png.height);
    for (size_t i = 0; i + 2 < bytes.size(); i += 3)
        image.pixels.push_back(RGB(bytes[i], bytes[i + 1], bytes[i + 2]));
    return image;
}
