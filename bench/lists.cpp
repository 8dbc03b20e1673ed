// The list and tree views' costs must follow the rows on screen, not the number of items:
// scrolling a long list by a page against the same in a short one, expanding a node in a large
// tree against the same in a small one, and inserting at the end in linear time.
#include "platform/afx/afxcmn.h"
#include "platform/user/userdevice.h"
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

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"list page scroll, 100000 items vs 100", "BM_ScrollListPage/100000",
                           "BM_ScrollListPage/100", 1.3},
                          {"inserting 100000 items at the end vs 10000", "BM_InsertAtEnd/100000",
                           "BM_InsertAtEnd/10000", 11.0},
                          {"tree expand and repaint, 100000 items vs 100", "BM_ExpandNode/100000",
                           "BM_ExpandNode/100", 1.3}});
}
