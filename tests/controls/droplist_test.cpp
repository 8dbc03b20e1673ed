// The drop list by its pixels and messages: the label box in its four corners with its
// triangle and pressed frame, where the popup opens, choosing, selecting and the empty menu.
#include "controls/skindroplist.h"
#include "drop_fixture.h"

namespace {

class DropListTest : public DropTest {
protected:
    // A list of "One", "Two" and "Three" (ids 10 to 12), its box at the top left.
    void SetUp() override {
        DropTest::SetUp();
        Drop(2, u"droplist", "dropdown=true;dropright=true;position=60,80,160,140");
        Load();
        list = std::make_unique<CSkinDropList>(); // its menu after the platform's reset
        ASSERT_TRUE(list->Create(window.get(), u"main", 2, repository.get()));
        for (UINT i = 0; i < 3; ++i)
            list->Append(10 + i, i == 0 ? u"One" : i == 1 ? u"Two" : u"Three");
        Pump();
    }
    void TearDown() override {
        list.reset(); // the popup's font goes with it
        DropTest::TearDown();
    }
    // Presses steps on the list and returns the box's frame seen after each; every wait of the
    // popup runs wait until it returns false.
    std::string Open(const std::string& steps, const std::function<bool()>& wait) {
        UserSetWaitHook(wait);
        std::string frames = Press(list->m_hWnd, steps, [&] {
            return Framed(list->m_hWnd, list->LabelBox()) ? '1' : '0';
        });
        UserSetWaitHook(nullptr);
        Pump();
        return frames;
    }
    // 'x' for each checked item, '.' for the others.
    std::string Checks() {
        std::string s;
        for (UINT pos = 0; pos < list->GetMenu().GetMenuItemCount(); ++pos)
            s += list->GetMenu().GetMenuState(pos, MF_BYPOSITION) & MF_CHECKED ? 'x' : '.';
        return s;
    }
    std::unique_ptr<CSkinDropList> list;
};

TEST_F(DropListTest, TheBoxFitsTheLabelInItsCornerAndThePopupOpensAtIt) {
    SIZE e = Extent(u"<Empty>");
    for (int mode = 0; mode < 4; ++mode) {
        bool down = mode < 2, right = mode % 2 == 0;
        list->SetDropMode(down, right), list->Invalidate(); // it refits, and repaints when told
        Pump();
        CRect w, box = list->LabelBox(), popup;
        list->GetWindowRect(&w);
        EXPECT_EQ(Describe(box), Describe({right ? 0 : 100 - e.cx - 14, down ? 0 : 60 - e.cy - 6,
                                           right ? e.cx + 14 : 100, down ? e.cy + 6 : 60}));
        // Rows count from the control's top: the box's middle when the box is at the top.
        int x0 = right ? e.cx + 2 : 100 - 12, m = box.Height() / 2;
        EXPECT_EQ(Ink(w.left + x0 + 2, w.top + m - (down ? 2 : 1), 8, 4),
                  down ? "######## .######. ..####.. ...##... "
                       : "...##... ..####.. .######. ######## ");
        bool dropped = false; // the drop label shows while the popup is open
        int waits = 0;        // DropDown(false) from within the popup's loop closes it
        UserSetWaitHook([&] {
            GetWindowRect(GetTopWindow(nullptr), &popup); // its items and a border round them
            dropped = list->IsDropped();
            return list->DropDown(false), ++waits < 3;
        });
        list->DropDown(true);
        UserSetWaitHook(nullptr);
        EXPECT_TRUE(dropped && !list->IsDropped() && waits == 1);
        EXPECT_EQ(right ? popup.left : popup.right, w.left + (right ? box.left : box.right));
        EXPECT_EQ(popup.top, down ? w.top + box.bottom : w.top + box.top - popup.Height() + 2);
    }
}

TEST_F(DropListTest, AReleaseInTheBoxOpensAndATappedItemBecomesTheChoice) {
    struct Row {
        const char* steps;
        int item; // tapped in the popup; -1 taps outside it
        const char *frames, *received, *label, *checks;
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
        auto wait = [&, n = 0]() mutable {
            CRect r(190, 190, 210, 210);
            GetMenuItemRect(nullptr, list->GetMenu(), UINT(row.item), &r);
            return n++ == 0 && (UserInjectPointerDown(r.CenterPoint().x, r.CenterPoint().y),
                                UserInjectPointerUp(r.CenterPoint().x, r.CenterPoint().y), true);
        };
        EXPECT_EQ(Open(row.steps, wait), row.frames) << row.steps;
        EXPECT_EQ(Received(), row.received) << row.steps;
        EXPECT_EQ(list->GetLabel(), CString::FromUtf8(row.label)) << row.steps;
        EXPECT_EQ(Checks(), row.checks) << row.steps;
    }
    EXPECT_EQ(list->GetSelected(), 12u);
}

TEST_F(DropListTest, SelectByCommandOrPositionAndTheEmptyMenu) {
    list->Append(0, nullptr, 1); // a separator at position 3
    struct Row {
        UINT item, flags;
        bool result;
        const char *label, *checks;
    } rows[] = {
        {12, MF_BYCOMMAND, true, "Three", "..x."}, {42, MF_BYCOMMAND, false, "Three", "..x."},
        {0, MF_BYPOSITION, true, "One", "x..."},   {3, MF_BYPOSITION, false, "One", "x..."},
        {9, MF_BYPOSITION, true, "", "x..."}, // past the last item: the missing item's text
    };
    for (const Row& row : rows) {
        EXPECT_EQ(list->Select(row.item, row.flags), row.result) << row.item;
        EXPECT_EQ(list->GetLabel(), CString::FromUtf8(row.label)) << row.item;
        EXPECT_EQ(Checks(), row.checks) << row.item;
    }
    // Inserted items are the skin's own, named like the appended ones.
    EXPECT_EQ(list->Insert(1, MF_BYPOSITION, 20, u"Inserted"), 1);
    EXPECT_TRUE(list->GetMenu().GetMenuState(20, MF_BYCOMMAND) & MF_OWNERDRAW);
    EXPECT_TRUE(list->Select(1, MF_BYPOSITION) && list->Remove(20, MF_BYCOMMAND));
    list->Clear();
    bool opened = false;
    Open("d5,5 u5,5", [&] { return opened = true, false; });
    EXPECT_FALSE(opened || list->GetMenu().GetMenuItemCount()); // nothing to show: no popup
    EXPECT_EQ(list->GetLabel(), u"Inserted");
}

} // namespace
