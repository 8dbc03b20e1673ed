#include "controls/scroll_fixture.h"
#include "platform/user/winreg.h"

namespace {

void SetBarWidthValue(DWORD width, DWORD size) { // "cxVScr"; none when size is 0
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, nullptr, 0, 0, nullptr, &key, nullptr);
    RegSetValueEx(key, u"cxVScr", 0, size == 4 ? REG_DWORD : REG_BINARY, (BYTE*)&width, size);
    if (size == 0) RegDeleteValue(key, u"cxVScr");
    RegCloseKey(key);
}

using ScrollListTest = ScrollTest;

TEST_F(ScrollListTest, TheListGoesBesideTheSkinnedBarWithItsOwnBarUnderIt) {
    struct Row {
        bool scrollbar, bold;
        DWORD registry, size;
        int told, right;    // the width the view is told; its right edge
        const char* column; // down the skinned bar's middle
    } rows[] = {{true, true, 0, 0, 184, 197, "12a 5t 5m 5e 61s 12x"},
                {false, false, 0, 0, 187, 200, "100-"},
                {true, false, 20, 4, 184, 204, "12a 5t 5m 5e 61s 12x"},
                {true, false, 20, 2, 184, 197, "12a 5t 5m 5e 61s 12x"}, // not 4 bytes: 13
                {true, false, 0, 4, 184, 197, "12a 5t 5m 5e 61s 12x"}}; // ignored: 13
    for (const Row& row : rows) {
        SCOPED_TRACE(row.registry);
        SetBarWidthValue(row.registry, row.size);
        Make(row.scrollbar, 25, 100, row.bold);
        EXPECT_EQ(list->width, row.told);
        EXPECT_RECT(ChildRect(list->m_hWnd), 0, 0, row.right, 100);
        EXPECT_EQ(Bar().IsWindowVisible(), row.scrollbar);
        EXPECT_EQ(Column(100), row.column);
        LOGFONTW font{};
        ASSERT_EQ(list->font, container->GetListFont());
        list->font->GetLogFont(&font);
        EXPECT_EQ(font.lfWeight, row.bold ? 400 : 700);
    }
    EXPECT_FALSE(CSkinScrollList().Create(Parent(), u"main", 3, repository.get()));
    CTestList second; // a view let go, and one whose container goes, let go of the bar
    container->SetListCtrl(&second);
    EXPECT_EQ(list->m_pScrollBar, nullptr);
    container.reset();
    EXPECT_EQ(second.m_pScrollBar, nullptr);
}

TEST_F(ScrollListTest, RowsAreTheUnitsAndNotificationsKeepTheBarInStep) {
    Make(true, 25, 100);
    EXPECT_EQ(list->GetPageSize(), 5u);
    list->DoScroll(20); // 400 pixels
    EXPECT_EQ(list->GetTopIndex(), 20);
    list->DoScroll(0xFFFFFFFF); // a step back from 0, wrapped
    EXPECT_EQ(list->GetTopIndex(), 0);
    Make(true, 20, 200); // a page of 10 over a shaft of 176
    EXPECT_EQ(Column(200), "12a 5t 78m 5e 88s 12x");
    for (int i = 0; i < 20; ++i)
        list->InsertItem(20, u"More");
    list->EnsureVisible(39, FALSE);
    list->SetItemState(39, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    EXPECT_EQ(Column(200), "12a 132s 5t 34m 5e 12x");
    while (list->GetItemCount() > 10) // each deletion is announced before the row goes
        list->DeleteItem(0);
    Pump();
    EXPECT_EQ(Column(200), "12c 176s 12z");
    list->DeleteAllItems();
    list->DoScroll(3);
    EXPECT_EQ(list->GetPageSize() + list->GetScrollIndex(), 0u);
}

} // namespace
