// The tree view as an application sees it through CTreeCtrl: building and walking the tree,
// stale handles, expanding and collapsing with the rows and the first row they leave,
// notifications of taps and keys, hit tests, a captured tap on its own bar, and the pixels of
// a small tree.
#include "notify_log.h"
#include "support/gdi_fixture.h"

#include <map>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kGold = RGB(230, 180, 0), kBlue = RGB(0, 0, 200);

// Items carry their one-letter name as their data; "0" stands for no item.
std::string Name(const TVITEM& item) {
    return item.hItem ? std::string(1, char(item.lParam)) : "0";
}

std::string DescribeTree(const NMHDR* h) {
    switch (h->code) {
    case NM_CLICK:
        return "click";
    case NM_SETFOCUS:
        return "focus";
    case TVN_KEYDOWN:
        return "key";
    case TVN_SELCHANGING:
    case TVN_SELCHANGED:
    case TVN_ITEMEXPANDING:
    case TVN_ITEMEXPANDED:
    case TVN_DELETEITEM:
        break;
    default:
        return "other";
    }
    auto* nm = reinterpret_cast<const NMTREEVIEW*>(h);
    const char* by[] = {"", "/m", "/k"};
    std::string sign = nm->action == TVE_COLLAPSE ? "-" : "+";
    switch (h->code) {
    case TVN_SELCHANGING:
        return "?" + Name(nm->itemOld) + ">" + Name(nm->itemNew);
    case TVN_SELCHANGED:
        return Name(nm->itemOld) + ">" + Name(nm->itemNew) + by[nm->action % 3];
    case TVN_ITEMEXPANDING:
        return sign + "?" + Name(nm->itemNew);
    case TVN_ITEMEXPANDED:
        return sign + Name(nm->itemNew);
    default:
        return "del:" + Name(nm->itemOld);
    }
}

class TreeTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        m_parent = std::make_unique<NotifyParent>(DescribeTree);
    }
    void TearDown() override {
        m_parent.reset();
        ScreenTest::TearDown();
    }
    NotifyParent& parent() { return *m_parent; }

    // A tree at (10, 10), 120 x 100 inside its border, with rows 20 pixels high.
    void Make(CTreeCtrl& tree, DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_SHOWSELALWAYS | style,
                                CRect(10, 10, 132, 112), &parent().wnd, 9));
        tree.SetItemHeight(20);
    }
    // Adds an item named by its first letter (its data) under parent.
    HTREEITEM Add(CTreeCtrl& tree, const char16_t* text, HTREEITEM parentItem = TVI_ROOT,
                  HTREEITEM after = TVI_LAST) {
        HTREEITEM item = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0, LPARAM(text[0]),
                                         parentItem, after);
        items[char(text[0])] = item;
        return item;
    }
    // The names of the rows from the first on screen, walking the shown items.
    std::string Rows(CTreeCtrl& tree) {
        std::string out;
        for (HTREEITEM i = tree.GetFirstVisibleItem(); i; i = tree.GetNextVisibleItem(i))
            out += char(tree.GetItemData(i));
        return out;
    }
    // Top-level A to H; A holds p, q, r and C holds s, t, u.
    void Fill(CTreeCtrl& tree) {
        for (const char16_t* t : {u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H"})
            Add(tree, t);
        for (const char16_t* t : {u"p", u"q", u"r"})
            Add(tree, t, items['A']);
        for (const char16_t* t : {u"s", u"t", u"u"})
            Add(tree, t, items['C']);
        Pump();
        parent().Take();
    }
    std::map<char, HTREEITEM> items;
    std::unique_ptr<NotifyParent> m_parent;
};

TEST_F(TreeTest, ItemsAreInsertedInPlaceAndWalkedAndStaleHandlesFindNothing) {
    CTreeCtrl tree, other;
    Make(tree);
    HTREEITEM m = Add(tree, u"m");
    Add(tree, u"q", TVI_ROOT, TVI_SORT);
    Add(tree, u"d", TVI_ROOT, TVI_SORT);
    Add(tree, u"z", TVI_ROOT, TVI_FIRST);
    Add(tree, u"e", TVI_ROOT, items['d']);
    EXPECT_EQ(Rows(tree), "zdemq");
    HTREEITEM child = Add(tree, u"c", m);
    EXPECT_EQ(tree.GetParentItem(child), m);
    EXPECT_EQ(tree.GetParentItem(m), nullptr);
    EXPECT_EQ(tree.GetChildItem(m), child);
    EXPECT_EQ(tree.GetPrevSiblingItem(m), items['e']);
    EXPECT_EQ(tree.GetRootItem(), items['z']);
    EXPECT_TRUE(tree.ItemHasChildren(m));
    EXPECT_FALSE(tree.ItemHasChildren(child));
    EXPECT_EQ(tree.GetCount(), 6u);
    EXPECT_EQ(Rows(tree), "zdemq") << "a collapsed item's children have no rows";
    EXPECT_EQ(tree.InsertItem(u"x", items['z'], child), nullptr) << "after an item elsewhere";
    // Attributes round-trip; a child count given by the application overrides the children.
    tree.SetItemImage(child, 3, 4);
    int image = 0, selected = 0;
    EXPECT_TRUE(tree.GetItemImage(child, image, selected));
    EXPECT_EQ(image * 10 + selected, 34);
    TVITEM tv = {TVIF_CHILDREN | TVIF_HANDLE, items['q'], 0, 0, nullptr, 0, 0, 0, 1, 0};
    tree.SetItem(&tv);
    EXPECT_TRUE(tree.ItemHasChildren(items['q']));
    // Deleted items, and items of another tree, are not this tree's.
    ASSERT_TRUE(other.Create(WS_CHILD, CRect(0, 0, 10, 10), &parent().wnd, 10));
    HTREEITEM foreign = other.InsertItem(u"f");
    EXPECT_TRUE(tree.DeleteItem(m));
    EXPECT_EQ(parent().Take(), "del:c del:m ");
    for (HTREEITEM bad : {m, child, foreign}) {
        EXPECT_FALSE(tree.DeleteItem(bad));
        EXPECT_EQ(tree.GetItemText(bad), CString());
        EXPECT_EQ(tree.GetNextSiblingItem(bad), nullptr);
    }
    EXPECT_EQ(tree.GetCount(), 4u);
}

TEST_F(TreeTest, ExpandingAndCollapsingMoveTheRowsAndKeepTheFirstRowInPlace) {
    CTreeCtrl tree;
    Make(tree);
    Fill(tree);
    EXPECT_EQ(tree.GetVisibleCount(), 5u);
    // An odd height rounds up to even, so that the dotted lines join from row to row.
    EXPECT_EQ(tree.SetItemHeight(21), 20);
    EXPECT_EQ(tree.GetItemHeight(), 22);
    EXPECT_EQ(tree.GetVisibleCount(), 4u);
    tree.SetItemHeight(20);
    tree.Expand(items['A'], TVE_EXPAND);
    EXPECT_EQ(Rows(tree), "ApqrBCDEFGH");
    CRect row, label;
    ASSERT_TRUE(tree.GetItemRect(items['B'], &row, FALSE));
    EXPECT_RECT(row, 0, 80, 107, 100);
    ASSERT_TRUE(tree.GetItemRect(items['q'], &label, TRUE));
    EXPECT_EQ(label.left, 2 * 19) << "one indent per level, the top level indented too";
    tree.SelectSetFirstVisible(items['C']);
    EXPECT_EQ(Rows(tree), "CDEFGH");
    // Rows closing above the first row leave it where it is on screen.
    tree.Expand(items['A'], TVE_COLLAPSE);
    EXPECT_EQ(Rows(tree), "CDEFGH");
    tree.GetItemRect(items['C'], &row, FALSE);
    EXPECT_EQ(row.top, 0);
    tree.Expand(items['C'], TVE_EXPAND);
    tree.SelectSetFirstVisible(items['t']);
    EXPECT_EQ(Rows(tree), "tuDEFGH");
    // Closing the item that holds the first row brings its own row to the top.
    tree.Expand(items['C'], TVE_TOGGLE);
    EXPECT_EQ(Rows(tree), "CDEFGH");
    // Near the end the last page stays full.
    tree.SelectSetFirstVisible(items['H']);
    EXPECT_EQ(Rows(tree), "DEFGH");
    EXPECT_FALSE(tree.GetItemRect(items['p'], &row, FALSE)) << "a row only when shown";
    EXPECT_EQ(parent().Take(), "");
    // Bringing a hidden item on screen opens its parent as a user would.
    tree.EnsureVisible(items['p']);
    EXPECT_EQ(parent().Take(), "+?A +A ");
    EXPECT_EQ(Rows(tree).substr(0, 2), "pq");
}

TEST_F(TreeTest, TapsAndKeysExpandAndSelectWithNotifications) {
    CTreeCtrl tree;
    Make(tree);
    Fill(tree);
    Click(11 + 9, 11 + 10); // A's button
    EXPECT_EQ(parent().Take(), "focus +?A +A click ");
    Click(11 + 24, 11 + 90); // B's label, below p, q, r
    EXPECT_EQ(parent().Take(), "?0>B 0>B/m click ");
    tree.Expand(items['B'], TVE_EXPAND);
    tree.SelectItem(items['q']);
    EXPECT_EQ(parent().Take(), "?B>q B>q ");
    Key(VK_DOWN);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(parent().Take(), "key ?q>r q>r/k key ?r>A r>A/k key -?A -A ");
    parent().refuse = TVN_SELCHANGING;
    Click(11 + 24, 11 + 30);
    EXPECT_EQ(parent().Take(), "?A>B click ");
    EXPECT_EQ(tree.GetSelectedItem(), items['A']);
    parent().refuse = 0;
    // Closing an item with the selection inside selects the item.
    tree.Expand(items['C'], TVE_EXPAND);
    tree.SelectItem(items['t']);
    parent().Take();
    tree.Expand(items['C'], TVE_COLLAPSE);
    EXPECT_EQ(parent().Take(), "?t>C t>C ");
    // Deleting the selection selects the next sibling.
    tree.DeleteItem(items['C']);
    EXPECT_EQ(parent().Take(), "del:s del:t del:u del:C ?0>D 0>D ");
}

TEST_F(TreeTest, HitTestsNameThePartOfTheRow) {
    CTreeCtrl tree;
    Make(tree);
    tree.SetImageList(CImageList::FromHandle(SolidImages(16, 16, {kGold, kBlue})), TVSIL_NORMAL);
    Fill(tree);
    tree.Expand(items['A'], TVE_EXPAND);
    CRect label;
    tree.GetItemRect(items['A'], &label, TRUE);
    EXPECT_EQ(label.left, 19 + 16 + 3);
    // x = 19, one indent in, is the first pixel past A's button: its image.
    struct Hit {
        POINT pt;
        char item;
        UINT flags;
    } hits[] = {
        {{5, 10}, 'A', TVHT_ONITEMBUTTON}, {{19, 10}, 'A', TVHT_ONITEMICON},
        {{45, 10}, 'A', TVHT_ONITEMLABEL}, {{100, 10}, 'A', TVHT_ONITEMRIGHT},
        {{5, 30}, 'p', TVHT_ONITEMINDENT}, {{25, 30}, 'p', TVHT_ONITEMINDENT},
        {{-1, 30}, 0, TVHT_TOLEFT},        {{5, -1}, 0, TVHT_ABOVE},
        {{5, 100}, 0, TVHT_BELOW},
    };
    for (const Hit& h : hits) {
        UINT flags = 0;
        HTREEITEM item = tree.HitTest(CPoint(h.pt), &flags);
        EXPECT_EQ(item, h.item ? items[h.item] : nullptr) << h.pt.x << "," << h.pt.y;
        EXPECT_EQ(flags, h.flags) << h.pt.x << "," << h.pt.y;
    }
    tree.DeleteAllItems();
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(5, 5), &flags), nullptr);
    EXPECT_EQ(flags, UINT(TVHT_NOWHERE));
    tree.SetImageList(nullptr, TVSIL_NORMAL)->DeleteImageList();
}

TEST_F(TreeTest, PixelsShowDottedLinesButtonsImagesAndTheSelection) {
    CTreeCtrl tree;
    Make(tree);
    tree.SetImageList(CImageList::FromHandle(SolidImages(16, 16, {kGold, kBlue})), TVSIL_NORMAL);
    Fill(tree);
    tree.SetItemImage(items['q'], 1, 1);
    COLORREF line = GetSysColor(COLOR_GRAYTEXT), white = GetSysColor(COLOR_WINDOW);
    COLORREF black = GetSysColor(COLOR_WINDOWTEXT);
    auto at = [this](int x, int y) { return Pixel(11 + x, 11 + y); };
    // A's button: a grey box round a plus while closed, a minus once open.
    EXPECT_EQ(at(10, 8), black);
    tree.Expand(items['A'], TVE_EXPAND);
    tree.SelectItem(items['B']);
    Pump();
    EXPECT_EQ(at(6, 10), line);
    EXPECT_EQ(at(7, 8), white);
    EXPECT_EQ(at(8, 10), black);
    EXPECT_EQ(at(10, 8), white);
    // The dotted line from A down to B runs through p, q, r every other pixel.
    EXPECT_NE(at(10, 30), at(10, 31));
    EXPECT_TRUE((at(10, 30) == line) != (at(10, 31) == line));
    EXPECT_TRUE(at(29, 50) == line || at(30, 50) == line) << "q's dotted stub";
    // Images in their colours; the selection in the face colour while the tree has no focus.
    EXPECT_FILL((RECT{31, 14, 45, 28}), kGold);
    EXPECT_FILL((RECT{50, 54, 64, 68}), kBlue);
    CRect label;
    tree.GetItemRect(items['B'], &label, TRUE);
    EXPECT_EQ(at(label.left + 1, label.top + 1), GetSysColor(COLOR_BTNFACE));
    tree.SetFocus();
    Pump();
    EXPECT_EQ(at(label.left + 1, label.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    tree.SetImageList(nullptr, TVSIL_NORMAL)->DeleteImageList();
}

} // namespace
