// The drop list by its pixels and messages: the label box in its four corners with its
// triangle and pressed frame, where the popup opens, choosing, selecting and the empty menu.
#include "controls/skindroplist.h"
#include "drop_fixture.h"

#include <utility>

namespace {

class DropListTest : public DropTest {
protected:
    // Lists 2 to 5 at the four corners of the screen, each with the flags of its corner.
    void Make() {
        const char* modes[] = {"dropdown=true;dropright=true;position=10,10,110,70",
                               "dropdown=true;position=130,10,230,70",
                               "dropright=true;transparent=true;position=10,240,110,300",
                               "transparent=true;position=130,240,230,300"};
        for (UINT id = 2; id <= 5; ++id)
            Drop(id, u"droplist", modes[id - 2]);
        Load();
        for (UINT id = 2; id <= 5; ++id) {
            lists.push_back(std::make_unique<CSkinDropList>());
            ASSERT_TRUE(lists.back()->Create(window.get(), u"main", id, repository.get()));
            for (UINT i = 0; i < 3; ++i)
                lists.back()->Append(10 + i, kItems[i]);
        }
        Pump();
    }
    void TearDown() override {
        lists.clear();
        DropTest::TearDown();
    }
    // Taps the box of list i; every wait of its popup runs wait, until it returns false.
    int Open(size_t i, const std::function<bool(HWND popup)>& wait) {
        int waits = 0;
        UserSetWaitHook([&] { return ++waits, wait(GetTopWindow(nullptr)); });
        CRect box = lists[i]->LabelBox();
        Press(lists[i]->m_hWnd, Step('d', box.CenterPoint()) + Step('u', box.CenterPoint()),
              [] { return '.'; });
        UserSetWaitHook(nullptr);
        return waits;
    }
    void TapItem(size_t i, UINT pos) {
        RECT r;
        GetMenuItemRect(nullptr, lists[i]->GetMenu(), pos, &r);
        Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // "x" for each checked radio item, "." for the others.
    std::string Checks(size_t i) {
        std::string s;
        for (UINT pos = 0; pos < lists[i]->GetMenu().GetMenuItemCount(); ++pos)
            s += lists[i]->GetMenu().GetMenuState(pos, MF_BYPOSITION) & MF_CHECKED ? 'x' : '.';
        return s;
    }
    static constexpr const char16_t* kItems[] = {u"One", u"Two", u"Three"};
    std::vector<std::unique_ptr<CSkinDropList>> lists;
};

TEST_F(DropListTest, TheBoxFitsTheLabelInItsCornerAndThePopupOpensAtIt) {
    Make();
    SIZE e = Extent(u"<Empty>");
    for (size_t i = 0; i < 4; ++i) {
        bool down = i < 2, right = i % 2 == 0;
        CRect client, w, box = lists[i]->LabelBox();
        lists[i]->GetClientRect(&client);
        lists[i]->GetWindowRect(&w);
        CRect want(right ? 0 : 100 - e.cx - 14, down ? 0 : 60 - e.cy - 6, right ? e.cx + 14 : 100,
                   down ? e.cy + 6 : 60);
        EXPECT_EQ(Describe(box), Describe(want)) << i;
        // Rows from the control's top, as the box's middle when the box is at the top.
        int x0 = right ? e.cx + 2 : 100 - 12, m = box.Height() / 2;
        EXPECT_EQ(Ink(w.left + x0 + 2, w.top + m + (down ? -2 : -1), 8, 4),
                  down ? "######## .######. ..####.. ...##... "
                       : "...##... ..####.. .######. "
                         "######## ")
            << i;
        EXPECT_EQ(Pixel(w.right - 1, w.top + (down ? 59 : 0)), i < 2 ? kBack : kWindowFill);
        Down(w.left + box.CenterPoint().x, w.top + box.CenterPoint().y); // the pressed frame
        EXPECT_EQ(Framed(OnScreen(lists[i]->m_hWnd, box)), "") << i;
        Up(w.left + box.CenterPoint().x, w.top + 200);
        CRect popup;
        int height = 0;
        EXPECT_EQ(Open(i,
                       [&](HWND p) {
                           GetWindowRect(p, &popup);
                           for (UINT pos = 0; pos < 3; ++pos) {
                               RECT r;
                               GetMenuItemRect(nullptr, lists[i]->GetMenu(), pos, &r);
                               height += r.bottom - r.top;
                           }
                           EXPECT_TRUE(lists[i]->IsDropped());
                           return false;
                       }),
                  1);
        EXPECT_EQ(right ? popup.left : popup.right, w.left + (right ? box.left : box.right)) << i;
        EXPECT_EQ(popup.top, down ? w.top + box.bottom : w.top + box.top - height) << i;
        EXPECT_FALSE(lists[i]->IsDropped());
    }
}

TEST_F(DropListTest, AReleaseInTheBoxOpensAndATappedItemBecomesTheChoice) {
    Make();
    struct Row {
        const char* steps;
        int item; // tapped in the popup; -1 taps outside it
        const char* frames;
        const char* received;
        const char* label;
        const char* checks;
    } rows[] = {
        {"d5,5 u5,5", 1, "10", "C11", "Two", ".x."},
        {"d5,5 u5,5", -1, "10", "", "Two", ".x."},
        {"d5,5 m5,50 m5,5 u5,5", 2, "1010", "C12", "Three", "..x"},
        {"d5,5 m5,50 u5,50", 0, "100", "", "Three", "..x"},
        {"d5,5 u5,50", 0, "10", "", "Three", "..x"}, // lifted elsewhere
        {"d5,50 u5,5", 0, "00", "", "Three", "..x"}, // pressed beside the box
    };
    for (const Row& row : rows) {
        parent->Clear();
        bool tapped = false;
        UserSetWaitHook([&] {
            if (std::exchange(tapped, true)) return false;
            row.item < 0 ? Tap(200, 200) : TapItem(0, UINT(row.item));
            return true;
        });
        std::string frames = Press(lists[0]->m_hWnd, row.steps, [&] {
            return Framed(OnScreen(lists[0]->m_hWnd, lists[0]->LabelBox())).empty() ? '1' : '0';
        });
        UserSetWaitHook(nullptr);
        Pump();
        EXPECT_EQ(frames, row.frames) << row.steps;
        EXPECT_EQ(Received(), row.received) << row.steps;
        EXPECT_EQ(lists[0]->GetLabel(), CString::FromUtf8(row.label)) << row.steps;
        EXPECT_EQ(Checks(0), row.checks) << row.steps;
    }
    EXPECT_EQ(lists[0]->GetSelected(), 12u);
    // DropDown(false) from inside the popup's loop closes it without a choice.
    parent->Clear();
    EXPECT_EQ(Open(0, [&](HWND) { return lists[0]->DropDown(false), true; }), 1);
    Pump();
    EXPECT_EQ(Received(), "");
}

TEST_F(DropListTest, SelectByCommandOrPositionAndTheEmptyMenu) {
    Make();
    CSkinDropList& list = *lists[0];
    list.Append(0, nullptr, 1); // a separator at position 3
    struct Row {
        UINT item, flags;
        bool result;
        const char* label;
        const char* checks;
    } rows[] = {
        {12, MF_BYCOMMAND, true, "Three", "..x."}, {42, MF_BYCOMMAND, false, "Three", "..x."},
        {0, MF_BYPOSITION, true, "One", "x..."},   {3, MF_BYPOSITION, false, "One", "x..."},
        {9, MF_BYPOSITION, true, "", "x..."}, // past the last item: the missing item's text
    };
    for (const Row& row : rows) {
        EXPECT_EQ(list.Select(row.item, row.flags), row.result) << row.item;
        EXPECT_EQ(list.GetLabel(), CString::FromUtf8(row.label)) << row.item;
        EXPECT_EQ(Checks(0), row.checks) << row.item;
    }
    // Inserted items are the skin's own, named like the appended ones.
    EXPECT_EQ(list.Insert(1, MF_BYPOSITION, 20, u"Inserted"), 1);
    EXPECT_TRUE(list.GetMenu().GetMenuState(20, MF_BYCOMMAND) & MF_OWNERDRAW);
    EXPECT_TRUE(list.Select(1, MF_BYPOSITION));
    EXPECT_EQ(list.GetLabel(), u"Inserted");
    EXPECT_TRUE(list.Remove(20, MF_BYCOMMAND));
    EXPECT_FALSE(list.Remove(20, MF_BYCOMMAND));
    list.Clear();
    EXPECT_EQ(list.GetMenu().GetMenuItemCount(), 0u);
    EXPECT_EQ(Open(0, [](HWND) { return false; }), 0); // nothing to show: no popup
    EXPECT_EQ(list.GetLabel(), u"Inserted");
}

} // namespace
