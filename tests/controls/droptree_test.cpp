// The drop tree: where its tree opens, and what each way of closing it reports.
#include "controls/skindroptree.h"
#include "drop_fixture.h"

namespace {

class DropTreeTest : public DropTest {
protected:
    // Artists (Nina, Miles), Albums (Blue (Deep)), Genres (twelve of Jazz).
    void SetUp() override {
        DropTest::SetUp();
        Drop(2, u"droptree", "dropdown=true;dropright=true;position=20,20,120,50")
            .Attr(u"icons_image", u"file", u"icons.bmp");
        Load({{u"icons.bmp", BmpBytes(64, 16, 24, kBack)}});
        ASSERT_TRUE(drop.Create(window.get(), u"main", 2, repository.get(), 100, 120));
        tree = drop.GetTree();
        artists = tree->InsertItem(u"Artists"), nina = tree->InsertItem(u"Nina", artists);
        tree->InsertItem(u"Miles", artists);
        tree->InsertItem(u"Deep", tree->InsertItem(u"Blue", tree->InsertItem(u"Albums")));
        genres = tree->InsertItem(u"Genres");
        for (int k = 0; k < 12; ++k)
            tree->InsertItem(u"Jazz", genres);
        tree->SetItemData(artists, 10), tree->SetItemData(nina, 11);
        tree->Expand(artists, TVE_EXPAND);
        Pump();
    }
    void TearDown() override {
        drop.DestroyWindow();
        DropTest::TearDown();
    }
    // Taps the item where the tree's hit test finds flag.
    void Tap(HTREEITEM item, UINT flag = TVHT_ONITEMLABEL) {
        CRect r;
        tree->GetItemRect(item, &r, FALSE);
        UINT flags = 0;
        CPoint p(0, r.CenterPoint().y);
        while (p.x < r.right && !(tree->HitTest(p, &flags) == item && (flags & flag)))
            ++p.x;
        tree->ClientToScreen(&p);
        Click(p.x, p.y);
    }
    CSkinDropTree drop;
    CTreeCtrl* tree = nullptr;
    HTREEITEM artists = nullptr, nina = nullptr, genres = nullptr;
};

// Each row opens the tree in the next corner (from the fifth on at a smaller drop size).
TEST_F(DropTreeTest, ItOpensAtTheBoxAndATapOnAnItemIsTheOnlyCloseThatReportsAChoice) {
    EXPECT_EQ(drop.GetImageList()->GetImageCount(), 4); // 16 x 16 icons from the 64 x 16 strip
    struct Row {
        const char* what;
        std::function<void()> act;
        bool open, scrolls;
        const char* received; // once, though hiding the tree also takes its focus
        const char16_t* caption;
        DWORD data; // 0: closed without a choice
    } rows[] = {
        {"icon", [&] { Tap(artists, TVHT_ONITEMICON); }, 0, 0, "C2", u"Artists", 10},
        {"label", [&] { Tap(nina); }, 0, 0, "C2", u"Nina", 11},
        // Opening forgot the last choice: the close reports none.
        {"focus loss", [&] { SetFocus(parent->hwnd()); }, 0, 0, "", u"Nina", 0},
        {"button", [&] { Tap(genres, TVHT_ONITEMBUTTON); }, 1, 0, "", u"Nina", 0},
        {"bar", [&] { Click(ChildRect(tree->m_hWnd).right - 4, 120); }, 1, 1, "", u"Nina", 0},
        {"outside", [&] { Click(200, 300); }, 0, 0, "", u"Nina", 0},
        {"DropDown(false)", [&] { drop.DropDown(false); }, 0, 0, "", u"Nina", 0},
        // Letter case aside; the search climbs one level only, so that after Deep, the last
        // child of Albums' last child, it ends before Genres.
        {"SelectItem", [&] { drop.SelectItem(u"miles"); }, 0, 1, "", u"Miles", 0},
        {"no match", [&] { drop.SelectItem(u"Genres"); }, 1, 0, "", u"Miles", 0},
    };
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const Row& row = rows[i];
        parent->Clear();
        bool down = i % 2 == 0, right = i % 4 < 2;
        drop.SetDropMode(down, right);
        if (i == 4) drop.SetDropSize(60, 40); // moves the tree, does not size it
        drop.DropDown(true);
        CRect w = CRect(ChildRect(drop.m_hWnd)), box = drop.LabelBox(), t = ChildRect(tree->m_hWnd);
        LONG width = i < 4 ? 100 : 60, height = i < 4 ? 120 : 40;
        EXPECT_EQ(t.left, right ? w.left + box.left : w.left + box.right - width) << row.what;
        EXPECT_EQ(t.top, down ? w.top + box.bottom : w.top + box.top - height) << row.what;
        EXPECT_TRUE(t.Width() == 100 && t.Height() == 120 && GetFocus() == tree->m_hWnd);
        HTREEITEM top = tree->GetFirstVisibleItem();
        row.act();
        Pump();
        EXPECT_EQ(tree->IsWindowVisible(), row.open) << row.what;
        EXPECT_EQ(GetCapture() == tree->m_hWnd, row.open) << row.what; // every tap still comes
        EXPECT_EQ(tree->GetFirstVisibleItem() != top, row.scrolls) << row.what;
        EXPECT_EQ(Received(), row.received) << row.what;
        EXPECT_EQ(drop.GetSelectedCaption(), row.caption) << row.what;
        EXPECT_EQ(drop.GetSelectedData(), row.data) << row.what;
        EXPECT_EQ(drop.GetLabel(),
                  row.what[0] == 'S' || row.what[0] == 'n' ? u"Miles" : u"<Empty>");
        drop.DropDown(false);
        Pump();
    }
}

} // namespace
