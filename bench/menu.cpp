// Owner-drawn popup menus: opening a 20-item CSkinMenu of type 4 (measured, painted with
// images and texts), choosing its tenth item through the wait hook and closing it, against
// drawing the same 20 items straight into a memory device context. And appending and
// destroying items, which should grow linearly with their number.
#include "menu/skinmenu.h"
#include "platform/afx/wnd.h"
#include "platform/user/userdevice.h"
#include "support/ratio.h"

#include <memory>
#include <string>

namespace {

constexpr int kItems = 20, kItemHeight = 24, kWidth = 120;
// Tall enough for the whole popup, so that every item is painted.
constexpr int kScreenHeight = kItems * kItemHeight + 40;

// Four 16 x 16 images on a magenta ground.
std::unique_ptr<CImageList> Images() {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP strip = ::CreateBitmap(64, 16, 1, 32, nullptr);
    HGDIOBJ old = ::SelectObject(dc, strip);
    RECT all = {0, 0, 64, 16};
    HBRUSH ground = ::CreateSolidBrush(RGB(255, 0, 255));
    ::FillRect(dc, &all, ground);
    ::DeleteObject(ground);
    for (int i = 0; i < 4; ++i) {
        RECT r = {i * 16 + 2, 2, i * 16 + 14, 14};
        HBRUSH b = ::CreateSolidBrush(RGB(60 * i, 200 - 40 * i, 90));
        ::FillRect(dc, &r, b);
        ::DeleteObject(b);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    auto list = std::make_unique<CImageList>();
    list->Create(16, 16, ILC_MASK | ILC_COLOR, 0, 2);
    list->Add(CBitmap::FromHandle(strip), RGB(255, 0, 255));
    ::DeleteObject(strip);
    return list;
}

std::u16string Label(int i) {
    std::string text = "Menu item " + std::to_string(i + 1);
    return std::u16string(text.begin(), text.end());
}

struct Screen {
    CWnd owner;
    CSkinMenu menu{SKINMENU_TYPE4};

    Screen() {
        UserResetPlatform(240, kScreenHeight);
        owner.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_WINDOW + 1)), u"owner",
                       WS_POPUP | WS_VISIBLE, 0, 0, 240, kScreenHeight, nullptr, nullptr);
        menu.CreatePopupMenu();
        menu.SetImageList(Images().release());
        menu.SetEdgeColor(RGB(180, 200, 230));
        for (int i = 0; i < kItems; ++i)
            menu.AppendMenuW(MF_STRING, UINT(i + 1), Label(i).c_str(), i % 4, (i + 1) % 4, 3);
        UserPumpUntilIdle();
    }
    ~Screen() {
        menu.DestroyMenu();
        owner.DestroyWindow();
        UserResetPlatform();
    }
};

void BM_SkinMenuPopupChooseTenth(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        bool tapped = false;
        UserSetWaitHook([&] {
            RECT r;
            if (tapped || !::GetMenuItemRect(nullptr, screen.menu, 9, &r)) return false;
            UserInjectPointerDown(r.left + 20, r.top + 5);
            UserInjectPointerUp(r.left + 20, r.top + 5);
            return tapped = true;
        });
        UINT chosen = screen.menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &screen.owner);
        if (chosen != 10) state.SkipWithError("the tenth item was not chosen");
        UserPumpUntilIdle();
    }
    UserSetWaitHook(nullptr);
}
BENCHMARK(BM_SkinMenuPopupChooseTenth);

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

void BM_DrawTheSameItemsDirectly(benchmark::State& state) {
    UserResetPlatform(240, kScreenHeight);
    auto images = Images();
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateBitmap(kWidth, kItems * kItemHeight, 1, 32, nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SetBkMode(dc, TRANSPARENT);
    for (auto _ : state) {
        for (int i = 0; i < kItems; ++i) {
            RECT r = {0, i * kItemHeight, kWidth, (i + 1) * kItemHeight};
            FillSolid(dc, r, ::GetSysColor(COLOR_MENU));
            FillSolid(dc, RECT{0, r.top, 24, r.bottom}, RGB(180, 200, 230));
            ImageList_Draw(*images, i % 4, dc, 4, r.top + 4, ILD_NORMAL);
            r.left += 32;
            std::u16string text = Label(i);
            ::DrawText(dc, text.c_str(), int(text.size()), &r, DT_VCENTER | DT_NOCLIP);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    images.reset();
    UserResetPlatform();
}
BENCHMARK(BM_DrawTheSameItemsDirectly);

void BM_AppendAndDestroyItems(benchmark::State& state) {
    UserResetPlatform();
    for (auto _ : state) {
        CSkinMenu menu(SKINMENU_TYPE1);
        menu.CreatePopupMenu();
        for (int i = 0; i < state.range(0); ++i)
            menu.AppendMenuW(MF_STRING, UINT(i + 1), u"An item");
        menu.DestroyMenu();
    }
}
BENCHMARK(BM_AppendAndDestroyItems)->Arg(1000)->Arg(2000);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"20-item skin menu popup, chosen by tap, vs drawing its items",
                           "BM_SkinMenuPopupChooseTenth", "BM_DrawTheSameItemsDirectly", 2.0},
                          {"appending and destroying 2,000 items vs 1,000",
                           "BM_AppendAndDestroyItems/2000", "BM_AppendAndDestroyItems/1000", 2.2}});
}
