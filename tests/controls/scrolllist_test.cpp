#include "controls/scroll_fixture.h"
#include "controls/skinlistctrl.h"
#include "controls/skinscrolllist.h"
#include "platform/afx/imagelist.h"
#include "platform/user/winreg.h"
#include "support/gdi_fixture.h"

#include <memory>

namespace {

// Rows of 20 pixels (images 19 high), recording what the container tells the view.
class CTestList : public CSkinListCtrl {
public:
    int width = -1;
    CFont* font = nullptr;
    void SetListWidth(int w) override { width = w; }
    void SetListFont(CFont* f) override { font = f; }
};

// Container 3 at (10, 20), 200 wide and `height` high, with bar 4.
SkinDef ListSkin(bool scrollbar, bool bold, int height) {
    SkinDef skin = SkinDef::Named(u"Lists");
    skin.Section(u"main");
    Control(skin, u"3", u"scrolllist",
            std::string("visible=true;font_name=DejaVu Sans;font_size=11;scrollbar_visible=") +
                (scrollbar ? "true" : "false") + ";font_bold=" + (bold ? "true" : "false") +
                ";position=10,20,210," + std::to_string(20 + height));
    ScrollTest::AddScrollBar(skin, u"4");
    return skin;
}

void SetBarWidthValue(int width) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    DWORD value = DWORD(width);
    if (width < 0)
        RegDeleteValue(key, u"cxVScr");
    else
        RegSetValueEx(key, u"cxVScr", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
    RegCloseKey(key);
}

class ScrollListTest : public ScrollTest {
protected:
    // The list (declared before its container, so it outlives the attachment) with rows items.
    void Make(bool scrollbar, int rows, int height = 100, bool bold = false) {
        container.reset(), list.reset();
        ASSERT_TRUE(LoadSkin(ListSkin(scrollbar, bold, height), ScrollBitmaps()));
        list = std::make_unique<CTestList>();
        list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS,
                     CRect(0, 0, 10, 10), Parent(), 1);
        images.DeleteImageList();
        images.Create(16, 19, ILC_COLOR24, 0, 1);
        list->SetImageList(&images, LVSIL_SMALL);
        list->InsertColumn(0, u"Track", LVCFMT_LEFT, 180);
        for (int i = 0; i < rows; ++i)
            list->InsertItem(i, u"Track");
        container = std::make_unique<CSkinScrollList>();
        ASSERT_TRUE(container->Create(Parent(), u"main", 3, 4, repository.get()));
        container->SetListCtrl(list.get());
        Pump();
    }
    void TearDown() override {
        container.reset(), list.reset();
        images.DeleteImageList();
        ScrollTest::TearDown();
    }
    std::string Bar(int height) { return Column(10 + 192, 20, 20 + height); }

    CImageList images;
    std::unique_ptr<CTestList> list;
    std::unique_ptr<CSkinScrollList> container;
};

TEST_F(ScrollListTest, TheListGoesBesideTheSkinnedBarWithItsOwnBarUnderIt) {
    struct Row {
        bool scrollbar;
        int registry; // "cxVScr", -1 for none
        int told, right;
        bool bar;
    } rows[] = {{true, -1, 184, 197, true},
                {false, -1, 187, 200, false},
                {true, 20, 184, 204, true},
                {true, 0, 184, 197, true}}; // a width the window system ignores: 13
    for (const Row& row : rows) {
        SCOPED_TRACE(row.registry);
        SetBarWidthValue(row.registry);
        Make(row.scrollbar, 25);
        EXPECT_EQ(list->width, row.told);
        EXPECT_RECT(ChildRect(list->m_hWnd), 0, 0, row.right, 100);
        EXPECT_EQ(container->ScrollBar().IsWindowVisible(), row.bar);
        if (row.bar) {
            EXPECT_EQ(Bar(100), "12a 5t 5m 5e 61s 12x") << "over the list's own bar";
        }
    }
    CSkinScrollList other;
    EXPECT_FALSE(other.Create(Parent(), u"main", 3, repository.get()));
}

TEST_F(ScrollListTest, RowsAreTheUnitsAndTheBarScrollsThem) {
    Make(true, 25);
    EXPECT_EQ(list->GetTotalSize(), 25u);
    EXPECT_EQ(list->GetPageSize(), 5u);
    EXPECT_EQ(list->GetItemSize(), 1u);
    list->DoScroll(20); // 400 pixels
    EXPECT_EQ(list->GetTopIndex(), 20);
    list->DoScroll(0xFFFFFFFF);
    EXPECT_EQ(list->GetTopIndex(), 0);
    Click(10 + 192, 20 + 95); // the more arrow
    EXPECT_EQ(list->GetTopIndex(), 1);
    Press(container->ScrollBar().m_hWnd, "d8,15 m8,50 u8,50", [] { return '.'; });
    // Dragged by 35 to 50 over a travel of 76 - 15: (25 - 5) * (50 - 12) / 61.
    EXPECT_EQ(list->GetTopIndex(), 12);
    EXPECT_EQ(Bar(100), "12a 38s 5t 5m 5e 23s 12x");
    list->DeleteAllItems();
    EXPECT_EQ(list->GetPageSize(), 0u);
    EXPECT_EQ(list->GetScrollIndex(), 0u);
    list->DoScroll(3);
    Pump();
    EXPECT_EQ(Bar(100), "12c 76s 12z");
}

TEST_F(ScrollListTest, NotificationsKeepTheBarInStep) {
    Make(true, 20, 200); // a page of 10 over a shaft of 176
    EXPECT_EQ(Bar(200), "12a 5t 78m 5e 88s 12x");
    for (int i = 0; i < 20; ++i)
        list->InsertItem(20, u"More");
    Pump();
    EXPECT_EQ(Bar(200), "12a 5t 34m 5e 132s 12x");
    list->EnsureVisible(39, FALSE);
    list->SetItemState(39, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    EXPECT_EQ(Bar(200), "12a 132s 5t 34m 5e 12x");
    while (list->GetItemCount() > 10)
        list->DeleteItem(0);
    Pump();
    EXPECT_EQ(Bar(200), "12c 176s 12z");
}

TEST_F(ScrollListTest, TheFontWeightIsTheOppositeOfBoldAndContainersLetGo) {
    for (bool bold : {true, false}) {
        Make(true, 3, 100, bold);
        ASSERT_EQ(list->font, container->GetListFont());
        LOGFONTW font{};
        list->font->GetLogFont(&font);
        EXPECT_EQ(font.lfWeight, bold ? 400 : 700);
    }
    CTestList second;
    container->SetListCtrl(&second);
    EXPECT_EQ(list->m_pScrollBar, nullptr) << "a view let go";
    container->SetListCtrl(list.get());
    container.reset();
    EXPECT_EQ(list->m_pScrollBar, nullptr);
    EXPECT_FALSE(::IsWindow(list->m_hWnd)) << "it went with the container's window";
}

} // namespace
