// A skin switch paints nothing until every component has the new skin, then all of them.
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"
#include "support/control_fixture.h"

namespace {

// Update hides the window, takes colour and visibility from the skin, shows, raises and
// invalidates it, and asks for an immediate paint; painting fills the colour.
struct Swatch : CWnd, CSkinInterface {
    Swatch(CSkinRepository& repository, UINT id) : repository(repository), id(id) {}
    void Unload() override { ShowWindow(SW_HIDE); }
    void Update() override {
        Unload();
        const CPtrList& attributes = repository.GetComponent(u"main", id)->attributes;
        bool visible = true;
        GetAttributeBool(attributes, u"visible", visible);
        GetAttributeDWord(attributes, u"color", colour);
        ShowWindow(visible ? SW_SHOW : SW_HIDE);
        BringWindowToTop();
        Invalidate(TRUE);
        UpdateWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        ++paints;
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 30, 30, colour);
        return 0;
    }
    CSkinRepository& repository;
    UINT id;
    DWORD colour = 0;
    int paints = 0;
};

SkinDef Swatches(const CString& colour, const CString& hidden) {
    SkinDef skin = SkinDef::Named(u"Swatches");
    SectionDef& main = skin.Section(u"main");
    for (const CString& id : {CString(u"1"), CString(u"2")})
        main.Component(id, u"swatch", u"static")
            .Attr(u"color", u"color", colour)
            .Attr(u"visible", u"bool", id == hidden ? u"false" : u"true");
    return skin;
}

using SkinSwitchTest = ControlTest;

TEST_F(SkinSwitchTest, NothingPaintsDuringTheSwitchAndEverythingAfter) {
    ASSERT_TRUE(LoadSkin(Swatches(u"255,0,0", u"")));
    Swatch one(*repository, 1), two(*repository, 2);
    for (Swatch* s : {&one, &two}) {
        s->CreateEx(0, AfxRegisterWndClass(0), u"", WS_CHILD | WS_VISIBLE,
                    CRect(40 * s->id, 10, 40 * s->id + 30, 40), Parent(), s->id);
        repository->AddComponent(s);
    }
    Pump();
    one.paints = two.paints = 0;
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", Swatches(u"0,0,255", u"2")));
    ASSERT_TRUE(repository->LoadSkin(u"Blue.skn"));
    EXPECT_EQ(one.paints + two.paints, 0);
    Pump();
    EXPECT_FILL((RECT{40, 10, 70, 40}), RGB(0, 0, 255));
    EXPECT_FILL((RECT{80, 10, 110, 40}), kParentFill); // hidden by its Update, and it stays so
    for (Swatch* s : {&one, &two})
        repository->RemoveComponent(s);
}

} // namespace
