// A skin switch paints nothing until every component has the new skin, then all of them.
#include "platform/afx/wnddc.h"
#include "support/control_fixture.h"

namespace {

// Update hides the window, shows it again unless told to hide, invalidates it and asks for a
// paint at once; painting fills its colour (what the new skin gives it).
struct Swatch : CWnd, CSkinInterface {
    COLORREF colour = RGB(255, 0, 0);
    bool hide = false;
    int paints = 0;
    void Unload() override { ShowWindow(SW_HIDE); }
    void Update() override {
        Unload();
        ShowWindow(hide ? SW_HIDE : SW_SHOW);
        Invalidate(TRUE);
        UpdateWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        ++paints;
        CPaintDC(this).FillSolidRect(0, 0, 30, 30, colour);
        return 0;
    }
};

using SkinSwitchTest = ControlTest;

TEST_F(SkinSwitchTest, NothingPaintsDuringTheSwitchAndEverythingAfter) {
    Swatch one, two;
    for (Swatch* s : {&one, &two}) {
        int x = s == &one ? 40 : 80;
        s->CreateEx(0, AfxRegisterWndClass(0), u"", WS_CHILD | WS_VISIBLE, CRect(x, 10, x + 30, 40),
                    Parent(), 1);
        repository->AddComponent(s);
    }
    Pump();
    one.colour = two.colour = RGB(0, 0, 255), two.hide = true;
    one.paints = two.paints = 0;
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", SkinDef::Named(u"Blue")));
    ASSERT_TRUE(repository->LoadSkin(u"Blue.skn"));
    EXPECT_EQ(one.paints + two.paints, 0);
    Pump();
    EXPECT_FILL((RECT{40, 10, 70, 40}), RGB(0, 0, 255));
    EXPECT_FILL((RECT{80, 10, 110, 40}), kParentFill); // hidden by its Update, and it stays so
    repository->RemoveComponent(&one), repository->RemoveComponent(&two);
}

} // namespace
