// The list and tree views' costs must follow the rows on screen, not the number of items:
// scrolling a long list by a page against the same in a short one, expanding a node in a large
// tree against the same in a small one, and inserting at the end in linear time.
//
// The skinned scroll list: one step of dragging its elevator over 200 rows (the list scrolls,
// list and bar repaint) against one copy of the list's client area to the screen.
#include "controls/skinlistctrl.h"
#include "controls/skinscrolllist.h"
#include "platform/afx/afxcmn.h"
#include "platform/afx/wnddc.h"
#include "platform/user/userdevice.h"
#include "support/benchskin.h"
#include "support/ratio.h"

#include <memory>
#include <string>

namespace {

// A full-screen frame (a framework window, as applications have) holding one control.
struct Frame {
    std::unique_ptr<CWnd> wnd = std::make_unique<CWnd>();
    Frame() {
        UserResetPlatform();
        wnd->CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE,
                      CRect(0, 0, 240, 320), nullptr, 0);
    }
    ~Frame() {
        wnd.reset();
        UserResetPlatform();
    }
};

void FillList(CListCtrl& list, int count) {
    for (int i = 0; i < count; ++i) {
        std::u16string text = u"Track " + std::u16string(1, char16_t(u'A' + i % 26));
        list.InsertItem(i, text.c_str());
        list.SetItemText(i, 1, u"3:45");
    }
}

void MakeList(Frame& frame, CListCtrl& list) {
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 240, 320),
                frame.wnd.get(), 1);
    list.InsertColumn(0, u"Title", LVCFMT_LEFT, 160);
    list.InsertColumn(1, u"Time", LVCFMT_RIGHT, 60);
}

// One page down, then one page back, each followed by the repaint it causes.
void BM_ScrollListPage(benchmark::State& state) {
    Frame frame;
    CListCtrl list;
    MakeList(frame, list);
    FillList(list, int(state.range(0)));
    UserPumpUntilIdle();
    CRect row;
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    int page = list.GetCountPerPage() * row.Height();
    int direction = 1;
    for (auto _ : state) {
        list.Scroll(CSize(0, direction * page));
        direction = -direction;
        UserPumpResult result = UserPumpUntilIdle();
        if (!result) state.SkipWithError(result.error.c_str());
    }
    list.DestroyWindow();
}
BENCHMARK(BM_ScrollListPage)->Arg(100)->Arg(100000);

void BM_InsertAtEnd(benchmark::State& state) {
    Frame frame;
    for (auto _ : state) {
        CListCtrl list;
        MakeList(frame, list);
        FillList(list, int(state.range(0)));
        UserPumpUntilIdle();
        list.DestroyWindow();
    }
}
BENCHMARK(BM_InsertAtEnd)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Top-level folders of ten files each, all open but the second, which opens and closes: the
// screen is full of rows in either tree.
void BM_ExpandNode(benchmark::State& state) {
    Frame frame;
    CTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                CRect(0, 0, 240, 320), frame.wnd.get(), 1);
    HTREEITEM second = nullptr;
    for (int folders = int(state.range(0)) / 11, i = 0; i < folders; ++i) {
        HTREEITEM folder = tree.InsertItem(u"Folder");
        if (i == 1) second = folder;
        for (int f = 0; f < 10; ++f)
            tree.InsertItem(u"file.txt", folder);
        if (i != 1) tree.Expand(folder, TVE_EXPAND);
    }
    UserPumpUntilIdle();
    for (auto _ : state) {
        tree.Expand(second, TVE_EXPAND);
        UserPumpResult result = UserPumpUntilIdle();
        tree.Expand(second, TVE_COLLAPSE);
        result = UserPumpUntilIdle();
        if (!result) state.SkipWithError(result.error.c_str());
    }
    tree.DestroyWindow();
}
BENCHMARK(BM_ExpandNode)->Arg(100)->Arg(100000);

// A scroll list (component 1) filling the screen, with its bar (component 2).
void WriteScrollListSkin(const CString& path) {
    tagSKIN skin;
    skin.name = skin.information.name = u"Lists";
    tagSECTION& main = AddSection(skin, u"main");
    tagCOMPONENT& list = AddComponent(main, u"1", u"scrolllist");
    AddAttribute(list, u"visible", u"bool", u"true");
    AddAttribute(list, u"scrollbar_visible", u"bool", u"true");
    AddAttribute(list, u"position", u"rect", u"0,0,240,320");
    tagCOMPONENT& bar = AddComponent(main, u"2", u"scrollbar");
    AddAttribute(bar, u"image_arrowless", u"file", u"less.bmp");
    AddAttribute(bar, u"image_arrowmore", u"file", u"more.bmp");
    AddAttribute(bar, u"image_shaft", u"file", u"shaft.bmp");
    AddAttribute(bar, u"image_elevator", u"file", u"elevator.bmp");
    WriteBenchPackage(path, skin,
                      {{u"less.bmp", BenchBitmap(48, 16, 1)},
                       {u"more.bmp", BenchBitmap(48, 16, 2)},
                       {u"shaft.bmp", BenchBitmap(16, 8, 3)},
                       {u"elevator.bmp", BenchBitmap(16, 15, 4)}});
}

struct SkinnedList {
    BenchFolder folder;
    Frame frame;
    CSkinRepository repository;
    CSkinListCtrl list; // outlives its container
    CSkinScrollList container;

    SkinnedList() {
        WriteScrollListSkin(folder.Path() + u"\\Lists.skn");
        repository.SetSkinsFolder(folder.Path());
        repository.LoadSkin(u"Lists.skn");
        container.Create(frame.wnd.get(), u"main", 1, 2, &repository);
        MakeList(frame, list);
        FillList(list, 200);
        container.SetListCtrl(&list);
        UserPumpUntilIdle();
    }
};

// The pointer holds the elevator and moves 8 pixels (a few rows) down, then up, each move
// pumped until the list and the bar have repainted.
void BM_DragElevatorStep(benchmark::State& state) {
    SkinnedList skinned;
    CSkinScrollBar& bar = skinned.container.ScrollBar();
    CPoint grab = bar.ElevatorRect().CenterPoint();
    bar.ClientToScreen(&grab);
    UserInjectPointerDown(grab.x, grab.y);
    UserInjectPointerMove(grab.x, grab.y + 8);
    UserPumpUntilIdle();
    if (skinned.list.GetTopIndex() == 0) state.SkipWithError("the drag did not scroll the list");
    int direction = -1, y = grab.y + 8;
    for (auto _ : state) {
        y += 8 * direction;
        direction = -direction;
        UserInjectPointerMove(grab.x, y);
        UserPumpResult result = UserPumpUntilIdle();
        if (!result) state.SkipWithError(result.error.c_str());
    }
    UserInjectPointerUp(grab.x, y);
    UserPumpUntilIdle();
}
BENCHMARK(BM_DragElevatorStep);

void BM_BlitListArea(benchmark::State& state) {
    SkinnedList skinned;
    CRect client;
    skinned.list.GetClientRect(&client);
    CClientDC screen(&skinned.list);
    CDC image;
    image.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* previous = image.SelectObject(&bitmap);
    for (auto _ : state)
        screen.BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCCOPY);
    image.SelectObject(previous);
}
BENCHMARK(BM_BlitListArea);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"list page scroll, 100000 items vs 100", "BM_ScrollListPage/100000",
                           "BM_ScrollListPage/100", 1.3},
                          {"inserting 100000 items at the end vs 10000", "BM_InsertAtEnd/100000",
                           "BM_InsertAtEnd/10000", 11.0},
                          {"tree expand and repaint, 100000 items vs 100", "BM_ExpandNode/100000",
                           "BM_ExpandNode/100", 1.3},
                          {"skinned elevator drag step over 200 rows vs one list-area copy",
                           "BM_DragElevatorStep", "BM_BlitListArea", 4.0}});
}
