// The drop tree: where its tree opens, what closes it and what each close reports, its icons,
// and SelectItem's search.
#include "controls/skindroptree.h"
#include "drop_fixture.h"

namespace {

class DropTreeTest : public DropTest {
protected:
    // Artists (Nina, Miles), Albums (Blue), Genres (twelve of Jazz), data by the tens.
    void Make() {
        Drop(2, u"droptree", "dropdown=true;dropright=true;position=20,20,120,50")
            .Attr(u"icons_image", u"file", u"icons.bmp");
        auto strip = BmpBytes(64, 16, 24, [](int x, int) { return x % 16 ? kBack : kMagenta; });
        Load({{u"icons.bmp", strip}});
        ASSERT_TRUE(drop.Create(window.get(), u"main", 2, repository.get(), 100, 120));
        tree = drop.GetTree();
        const std::vector<std::vector<const char16_t*>> items = {
            {u"Artists", u"Nina", u"Miles"}, {u"Albums", u"Blue"}, {u"Genres"}};
        for (size_t i = 0; i < items.size(); ++i) {
            HTREEITEM parent = tree->InsertItem(items[i][0]);
            tree->SetItemData(parent, DWORD_PTR(i + 1));
            for (size_t k = 1; k < items[i].size(); ++k)
                tree->SetItemData(tree->InsertItem(items[i][k], parent), DWORD_PTR(i * 10 + k));
            for (int k = 0; i == 2 && k < 12; ++k)
                tree->InsertItem(u"Jazz", parent);
        }
        Pump();
    }
    void TearDown() override {
        drop.DestroyWindow();
        DropTest::TearDown();
    }
    // A point on the screen where the tree's hit test finds the item with flag.
    POINT At(HTREEITEM item, UINT flag = TVHT_ONITEMLABEL) {
        CRect r;
        tree->GetItemRect(item, &r, FALSE);
        UINT flags = 0;
        CPoint p(0, r.CenterPoint().y);
        while (p.x < r.right && !(tree->HitTest(p, &flags) == item && (flags & flag)))
            ++p.x;
        tree->ClientToScreen(&p);
        return p;
    }
    void Tap(POINT p) { Click(p.x, p.y); }
    CSkinDropTree drop;
    CTreeCtrl* tree = nullptr;
};

TEST_F(DropTreeTest, TheTreeOpensAtTheBoxInEachCornerAtTheSizeItWasMadeWith) {
    Make();
    for (int mode = 0; mode < 5; ++mode) {
        bool down = mode % 2 == 0, right = mode < 2;
        drop.SetDropMode(down, right);
        if (mode == 4) drop.SetDropSize(60, 40); // moves the tree, does not size it
        drop.DropDown(true);
        Pump();
        CRect w = CRect(ChildRect(drop.m_hWnd)), box = drop.LabelBox(), t = ChildRect(tree->m_hWnd);
        int width = mode == 4 ? 60 : 100, height = mode == 4 ? 40 : 120;
        EXPECT_EQ(t.left, right ? w.left + box.left : w.left + box.right - width) << mode;
        EXPECT_EQ(t.top, down ? w.top + box.bottom : w.top + box.top - height) << mode;
        EXPECT_RECT(CRect(0, 0, t.Width(), t.Height()), 0, 0, 100, 120);
        EXPECT_TRUE(tree->IsWindowVisible() && drop.IsDropped() && GetCapture() == tree->m_hWnd);
        drop.DropDown(false);
        Pump();
        EXPECT_FALSE(tree->IsWindowVisible() || drop.IsDropped());
    }
}

TEST_F(DropTreeTest, ATapOnAnItemChoosesItAndEveryOtherCloseReportsNothing) {
    Make();
    HTREEITEM artists = tree->GetRootItem(), nina = tree->GetChildItem(artists);
    HTREEITEM genres = tree->GetNextSiblingItem(tree->GetNextSiblingItem(artists));
    tree->Expand(artists, TVE_EXPAND);
    struct Row {
        const char* what;
        std::function<void()> act;
        bool open, scrolls;
        const char* received; // once, though hiding the tree also takes its focus
        const char16_t* caption;
        DWORD data;
    } rows[] = {
        {"its icon", [&] { Tap(At(artists, TVHT_ONITEMICON)); }, false, false, "C2", u"Artists", 1},
        {"its label", [&] { Tap(At(nina)); }, false, false, "C2", u"Nina", 1},
        // Opening forgot the last choice: the close reports none.
        {"a focus loss", [&] { SetFocus(parent->hwnd()); }, false, false, "", u"Nina", 0},
        {"a button", [&] { Tap(At(genres, TVHT_ONITEMBUTTON)); }, true, false, "", u"Nina", 0},
        {"the bar",
         [&] {
             CRect t = ChildRect(tree->m_hWnd);
             Tap({t.right - 4, t.top + 80});
         },
         true, true, "", u"Nina", 0},
        {"outside", [&] { Click(200, 300); }, false, false, "", u"Nina", 0},
        {"DropDown(false)", [&] { drop.DropDown(false); }, false, false, "", u"Nina", 0},
    };
    for (const Row& row : rows) {
        parent->Clear();
        drop.DropDown(true);
        HTREEITEM top = tree->GetFirstVisibleItem();
        row.act();
        Pump();
        EXPECT_EQ(tree->IsWindowVisible(), row.open) << row.what;
        EXPECT_EQ(GetCapture() == tree->m_hWnd, row.open) << row.what; // every tap still comes
        EXPECT_EQ(tree->GetFirstVisibleItem() != top, row.scrolls) << row.what;
        EXPECT_EQ(Received(), row.received) << row.what;
        EXPECT_EQ(drop.GetSelectedCaption(), row.caption) << row.what;
        EXPECT_EQ(drop.GetSelectedData(), row.data) << row.what;
        EXPECT_EQ(drop.GetLabel(), u"<Empty>") << row.what; // the application sets it
        drop.DropDown(false);
        Pump();
    }
}

TEST_F(DropTreeTest, IconsFromTheStripAndSelectItemSearchesOneLevelUpOnly) {
    Make();
    int w = 0, h = 0;
    ImageList_GetIconSize(*drop.GetImageList(), &w, &h);
    EXPECT_EQ(drop.GetImageList()->GetImageCount(), 4);
    EXPECT_EQ(w * 100 + h, 1616);
    HTREEITEM albums = tree->GetNextSiblingItem(tree->GetRootItem());
    drop.DropDown(true);
    drop.SelectItem(u"blue"); // the first in the search order, any letter case
    EXPECT_EQ(tree->GetSelectedItem(), tree->GetChildItem(albums));
    EXPECT_EQ(drop.GetLabel(), u"Blue");
    EXPECT_EQ(drop.GetSelectedData(), 11u);
    EXPECT_EQ(Pixel(At(tree->GetRootItem(), TVHT_ONITEMICON).x + 8, At(tree->GetRootItem()).y),
              kBack);
    Pump(); // the close SelectItem made finds no tapped item
    EXPECT_FALSE(tree->IsWindowVisible());
    EXPECT_EQ(drop.GetSelectedData(), 0u);
    // Below a last child's own last child the search ends: "Albums" is never reached.
    tree->InsertItem(u"Deep", tree->GetNextSiblingItem(tree->GetChildItem(tree->GetRootItem())));
    drop.SelectItem(u"Albums");
    EXPECT_EQ(drop.GetLabel(), u"Blue");
}

} // namespace
