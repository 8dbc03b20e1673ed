// The list view as an application sees it through CListCtrl: notifications and their order,
// reflection to the list's own object, rows and rectangles after inserts, deletes and scrolls,
// hit tests, taps and keys, and the pixels of a small list.
#include "notify_log.h"
#include "support/gdi_fixture.h"

#include <string>

namespace {

constexpr COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 200);

std::string States(UINT state) {
    return std::string(state & LVIS_SELECTED ? "S" : "") + (state & LVIS_FOCUSED ? "F" : "");
}

// "+i" inserted, "-i" deleted, "?i" about to change, "i=SF" changed to these states, ...
std::string DescribeList(const NMHDR* h) {
    switch (h->code) {
    case NM_SETFOCUS:
        return "focus";
    case LVN_KEYDOWN:
        return "key";
    case NM_CLICK:
        return "click:" + std::to_string(reinterpret_cast<const NMITEMACTIVATE*>(h)->iItem);
    case LVN_DELETEALLITEMS:
        return "-all";
    case LVN_INSERTITEM:
    case LVN_DELETEITEM:
    case LVN_ITEMCHANGING:
    case LVN_ITEMCHANGED:
        break;
    default:
        return "other";
    }
    auto* nm = reinterpret_cast<const NMLISTVIEW*>(h);
    std::string i = std::to_string(nm->iItem);
    switch (h->code) {
    case LVN_INSERTITEM:
        return "+" + i;
    case LVN_DELETEITEM:
        return "-" + i;
    case LVN_ITEMCHANGING:
        return "?" + i;
    default:
        return i + "=" + States(nm->uNewState);
    }
}

class ListTest : public ScreenTest {
protected:
    // A list at (10, 10) of the given size with one 100-pixel column and 19-pixel images,
    // so that its rows are 20 pixels high.
    void Make(CListCtrl& list, DWORD style, int width = 120, int height = 100) {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | style,
                                CRect(10, 10, 10 + width, 10 + height), &parent().wnd, 7));
        list.SetImageList(CImageList::FromHandle(SolidImages(16, 19, {kRed, kGreen, kBlue})),
                          LVSIL_SMALL);
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
    }
    void Fill(CListCtrl& list, int count) {
        for (int i = 0; i < count; ++i)
            list.InsertItem(i, (u"item " + std::u16string(1, char16_t(u'a' + i % 26))).c_str(),
                            i % 3);
        Pump();
        parent().Take();
    }
    void SetUp() override {
        ScreenTest::SetUp();
        m_parent = std::make_unique<NotifyParent>(DescribeList);
    }
    void TearDown() override {
        m_parent.reset();
        ScreenTest::TearDown();
    }
    std::unique_ptr<NotifyParent> m_parent;
    NotifyParent& parent() { return *m_parent; }
};

TEST_F(ListTest, NotificationsReachTheParentInTheirOrder) {
    CListCtrl list;
    Make(list, LVS_NOCOLUMNHEADER);
    list.InsertColumn(1, u"Time", LVCFMT_RIGHT, 50);
    list.InsertItem(0, u"a");
    list.InsertItem(1, u"b");
    list.InsertItem(LVIF_TEXT | LVIF_STATE | LVIF_PARAM, 1, u"c", LVIS_SELECTED | LVIS_FOCUSED,
                    LVIS_SELECTED | LVIS_FOCUSED, 0, 42);
    EXPECT_EQ(parent().Take(), "+0 +1 +1 ?1 1=SF ");
    EXPECT_EQ(list.GetItemText(1, 0) + list.GetItemText(2, 0), CString(u"cb"));
    EXPECT_EQ(list.GetItemData(1), DWORD_PTR(42));
    EXPECT_TRUE(list.SetItemText(1, 1, u"3:05"));
    EXPECT_FALSE(list.SetItemText(1, 2, u"no such column"));
    EXPECT_EQ(list.GetItemText(1, 1), CString(u"3:05"));
    // One selection: selecting another item deselects the first; the focus stays.
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(parent().Take(), "?2 ?1 1=F 2=S ");
    // A tap focuses the list, selects and focuses the item, and its release clicks.
    Click(20, 15);
    EXPECT_EQ(parent().Take(), "focus ?2 2= ?0 ?1 1= 0=SF click:0 ");
    Key(VK_DOWN);
    EXPECT_EQ(parent().Take(), "key ?0 0=F ?1 ?0 0= 1=SF ");
    EXPECT_EQ(list.GetSelectionMark(), 1) << "the key moved the mark with the selection";
    // A parent that refuses the change keeps the selection where it was.
    parent().refuse = LVN_ITEMCHANGING;
    Click(20, 55);
    EXPECT_EQ(parent().Take(), "?1 ?2 click:2 ");
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetSelectionMark(), 1);
    parent().refuse = 0;
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetSelectedCount(), 0u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), -1);
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(parent().Take(), "-1 -all -1 -0 ");
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListTest, RowsRectanglesAndHitsFollowInsertsDeletesAndScrolls) {
    CListCtrl list;
    Make(list, LVS_NOCOLUMNHEADER);
    Fill(list, 25);
    EXPECT_EQ(list.GetCountPerPage(), 5);
    CRect r;
    ASSERT_TRUE(list.GetItemRect(0, &r, LVIR_BOUNDS));
    EXPECT_RECT(r, 0, 0, 100, 20);
    list.GetItemRect(1, &r, LVIR_ICON);
    EXPECT_RECT(r, 2, 20, 18, 40);
    list.GetItemRect(1, &r, LVIR_LABEL);
    EXPECT_RECT(r, 20, 20, 100, 40);
    // Pixels become whole rows (halves away from zero) and the last page stays full.
    struct Step {
        int dy, top;
    } steps[] = {{400, 20}, {400, 20}, {-30, 18}, {-9, 18}, {10, 19}, {-1000, 0}};
    for (Step s : steps) {
        list.Scroll(CSize(0, s.dy));
        EXPECT_EQ(list.GetTopIndex(), s.top) << "after scrolling by " << s.dy;
    }
    list.EnsureVisible(10, FALSE);
    EXPECT_EQ(list.GetTopIndex(), 6);
    list.GetItemRect(10, &r, LVIR_BOUNDS);
    EXPECT_EQ(r.top, 80);
    struct Hit {
        POINT pt;
        int item;
        UINT flags;
    } hits[] = {{{30, 45}, 8, LVHT_ONITEMLABEL}, {{5, 45}, 8, LVHT_ONITEMICON},
                {{103, 45}, -1, LVHT_NOWHERE},   {{30, 100}, -1, LVHT_BELOW},
                {{-1, 5}, -1, LVHT_TOLEFT},      {{30, -1}, -1, LVHT_ABOVE}};
    for (const Hit& h : hits) {
        UINT flags = 0;
        EXPECT_EQ(list.HitTest(CPoint(h.pt), &flags), h.item) << h.pt.x << "," << h.pt.y;
        EXPECT_EQ(flags, h.flags) << h.pt.x << "," << h.pt.y;
    }
    // The first page-down goes to the last row of the page, which is already on screen.
    list.SetFocus();
    Key(VK_NEXT);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 10);
    EXPECT_EQ(list.GetTopIndex(), 6);
    // An item deleted above the first row moves the rows up under it.
    list.DeleteItem(0);
    EXPECT_EQ(list.GetTopIndex(), 6);
    EXPECT_EQ(list.GetItemText(6, 0), CString(u"item h"));
    // A tap on the list's own scroll bar scrolls it by a row.
    Click(10 + 113, 10 + 95);
    EXPECT_EQ(list.GetTopIndex(), 7);
    while (list.GetItemCount() > 3)
        list.DeleteItem(0);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_FALSE(list.GetStyle() & WS_VSCROLL) << "three rows fit: the bar goes";
}

TEST_F(ListTest, PixelsShowHeaderImagesTextAndTheSelection) {
    CListCtrl list;
    Make(list, LVS_SHOWSELALWAYS, 200, 120);
    list.InsertColumn(1, u"Time", LVCFMT_RIGHT, 60);
    Fill(list, 3);
    list.SetItemText(0, 0, u"a title far too long for its column");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    CRect row0, label1;
    list.GetItemRect(0, &row0, LVIR_BOUNDS);
    int header = row0.top;
    EXPECT_GT(header, 10);
    COLORREF face = GetSysColor(COLOR_BTNFACE), white = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(Pixel(10 + 50, 10 + header / 2 - 4), face) << "the header's face";
    EXPECT_FILL((RECT{10 + 4, 10 + header + 2, 10 + 16, 10 + header + 18}), kRed);
    EXPECT_FILL((RECT{10 + 4, 10 + header + 22, 10 + 16, 10 + header + 38}), kGreen);
    // The long title ends before the next column; the next column shows its own background.
    EXPECT_FILL((RECT{10 + 100, 10 + header, 10 + 106, 10 + header + 20}), white);
    list.GetItemRect(1, &label1, LVIR_LABEL);
    EXPECT_EQ(Pixel(10 + label1.left + 1, 10 + label1.top + 1), face)
        << "a selection without the focus shows in the face colour";
    list.SetFocus();
    Pump();
    EXPECT_EQ(Pixel(10 + label1.left + 1, 10 + label1.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    // Scrolling by a row moves the rows' pixels and repaints only the row that comes in.
    Fill(list, 20);
    list.Scroll(CSize(0, 20));
    RECT update;
    ASSERT_TRUE(::GetUpdateRect(list, &update, FALSE));
    RECT client;
    list.GetClientRect(&client);
    EXPECT_EQ(update.top, client.bottom - 20);
    EXPECT_EQ(update.bottom, client.bottom);
    EXPECT_EQ(Pixel(10 + 8, 10 + header + 10), kGreen) << "the second row's image, moved up";
}

} // namespace
