// Painting a skinned screen: a 240 x 320 CSkinWindow with a tiled image and 30 children that
// paint their background through PaintWindowArea, all invalidated and pumped to idle. The
// reference is the 31 plain copies of the same areas that such a repaint cannot avoid.
#include "controls/skinwindow.h"
#include "platform/afx/wnddc.h"
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "support/benchskin.h"
#include "support/ratio.h"

#include <memory>
#include <vector>

namespace {

constexpr int kColumns = 5, kRows = 6, kCell = 40, kGap = 8;

CRect CellRect(int i) {
    int x = kGap + (i % kColumns) * (kCell + kGap), y = kGap + (i / kColumns) * (kCell + kGap);
    return CRect(x, y, x + kCell, y + kCell);
}

// A see-through child: its whole area is the skinned window's background behind it.
class CBackgroundChild : public CWnd {
public:
    explicit CBackgroundChild(CSkinWindow& window) : m_window(window) {}

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        m_window.PaintWindowArea(this, &dc, &client);
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    CSkinWindow& m_window;
};

BEGIN_MESSAGE_MAP(CBackgroundChild, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

struct Screen {
    BenchFolder folder;
    std::unique_ptr<CSkinRepository> repository;
    std::unique_ptr<CWnd> frame;
    std::unique_ptr<CSkinWindow> window;
    std::vector<std::unique_ptr<CBackgroundChild>> children;

    Screen() {
        UserResetPlatform();
        tagSKIN skin;
        skin.name = skin.information.name = u"Tiles";
        tagCOMPONENT& c = AddComponent(AddSection(skin, u"main"), u"1", u"window");
        AddAttribute(c, u"visible", u"bool", u"true");
        AddAttribute(c, u"image_display", u"bool", u"true");
        AddAttribute(c, u"image_type", u"choice", u"2");
        AddAttribute(c, u"image_filename", u"file", u"tile.bmp");
        AddAttribute(c, u"position", u"rect", u"0,0,240,320");
        WriteBenchPackage(folder.Path() + u"\\Tiles.skn", skin, {{u"tile.bmp", BenchBitmap(32, 24, 5)}});

        repository = std::make_unique<CSkinRepository>();
        repository->SetSkinsFolder(folder.Path());
        repository->LoadSkin(u"Tiles.skn");
        frame = std::make_unique<CWnd>();
        frame->CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE,
                        CRect(0, 0, 240, 320), nullptr, 0);
        window = std::make_unique<CSkinWindow>();
        window->Create(frame.get(), u"main", 1, repository.get());
        for (int i = 0; i < kColumns * kRows; ++i) {
            children.push_back(std::make_unique<CBackgroundChild>(*window));
            children.back()->Create(AfxRegisterWndClass(0), u"child", WS_CHILD | WS_VISIBLE,
                                    CellRect(i), window.get(), UINT(100 + i));
        }
        UserPumpUntilIdle();
    }
    ~Screen() {
        children.clear();
        window.reset();
        frame.reset();
        repository.reset();
        UserResetPlatform();
    }
};

void BM_RepaintSkinnedScreen(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        ::RedrawWindow(screen.window->m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        UserPumpResult result = UserPumpUntilIdle();
        if (!result) state.SkipWithError(result.error.c_str());
    }
}
BENCHMARK(BM_RepaintSkinnedScreen);

void BM_CopyTheSameAreas(benchmark::State& state) {
    UserResetPlatform();
    HDC screen = ::GetDC(nullptr);
    HDC back = ::CreateCompatibleDC(screen);
    // The skinned window's back buffer has its image's format: 24 bits per pixel here.
    HBITMAP bitmap = ::CreateBitmap(240, 320, 1, 24, nullptr);
    HGDIOBJ previous = ::SelectObject(back, bitmap);
    for (auto _ : state) {
        ::BitBlt(screen, 0, 0, 240, 320, back, 0, 0, SRCCOPY);
        for (int i = 0; i < kColumns * kRows; ++i) {
            CRect r = CellRect(i);
            ::BitBlt(screen, r.left, r.top, kCell, kCell, back, r.left, r.top, SRCCOPY);
        }
    }
    ::SelectObject(back, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(back);
    ::ReleaseDC(nullptr, screen);
    UserResetPlatform();
}
BENCHMARK(BM_CopyTheSameAreas);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"skinned screen repaint vs 31 plain copies", "BM_RepaintSkinnedScreen",
                           "BM_CopyTheSameAreas", 3.0}});
}
