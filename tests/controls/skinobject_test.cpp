#include "controls/skinobject.h"
#include "module/skinkitmodule.h"
#include "platform/afx/frame.h"
#include "skindesc/skinvalues.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <gtest/gtest.h>

namespace {

// The smallest real control: places and shows itself from "position" and counts its calls.
class CCountingControl : public CSkinObject {
public:
    int updates = 0, unloads = 0, onUpdates = 0;
    const tagCOMPONENT* seen = nullptr;
    using CSkinObject::GetApplicationWnd;
    using CSkinObject::GetProperty;

protected:
    void Unload() override {
        ++unloads;
        if (m_hWnd) ShowWindow(SW_HIDE);
    }
    void Update() override {
        ++updates;
        seen = m_pRepository ? m_pRepository->GetComponent(m_strSection, m_nComponentID) : nullptr;
        if (!seen) return;
        RECT r{};
        GetAttributeRect(seen->attributes, u"position", r);
        MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top);
        ShowWindow(SW_SHOW);
    }
    void OnUpdate() override { ++onUpdates; }
};

// The property read into a variable that starts as `start`: whether it was found, and the value.
template <class T>
std::pair<bool, T> Read(CCountingControl& control, const char16_t* key, T start) {
    bool found = control.GetProperty(key, start);
    return {found, start};
}

SkinDef ControlSkin() {
    SkinDef skin = SkinDef::Named(u"Controls");
    skin.Section(u"main");
    Control(skin, u"5", u"custom", "position=10,20,60,50");
    skin.Section(u"other");
    Control(skin, u"5", u"custom", "position=100,100,120,130");
    return skin;
}

using SkinObjectTest = ControlTest;

TEST_F(SkinObjectTest, CreateMakesAHiddenRegisteredChildThatTheFirstLoadPlaces) {
    CCountingControl control;
    ASSERT_TRUE(control.Create(Parent(), u"main", 5, repository.get()));
    EXPECT_TRUE(IsWindow(control.m_hWnd));
    EXPECT_FALSE(IsWindowVisible(control.m_hWnd));
    EXPECT_EQ(GetDlgCtrlID(control.m_hWnd), 5);
    EXPECT_EQ(GetParent(control.m_hWnd), parent->hwnd());
    EXPECT_EQ(control.updates, 0); // no skin yet: registered only
    EXPECT_TRUE(control.IsValid());

    ASSERT_TRUE(LoadSkin(ControlSkin()));
    EXPECT_EQ(control.updates, 1);
    EXPECT_EQ(control.onUpdates, 1);
    EXPECT_TRUE(IsWindowVisible(control.m_hWnd));
    EXPECT_RECT(ChildRect(control.m_hWnd), 10, 20, 60, 50);
}

TEST_F(SkinObjectTest, SetSectionRebindsAndUpdates) {
    ASSERT_TRUE(LoadSkin(ControlSkin()));
    CCountingControl control;
    ASSERT_TRUE(control.Create(Parent(), u"main", 5, repository.get()));
    control.SetSection(u"other");
    EXPECT_EQ(control.updates, 2);
    EXPECT_EQ(ChildRect(control.m_hWnd).left, 100);
    control.SetSection(u"absent");
    EXPECT_EQ(control.updates, 3);
    EXPECT_EQ(control.seen, nullptr);
}

TEST_F(SkinObjectTest, DestroyingAControlUnregistersItAlone) {
    CCountingControl kept;
    ASSERT_TRUE(kept.Create(Parent(), u"main", 5, repository.get()));
    auto control = std::make_unique<CCountingControl>();
    ASSERT_TRUE(control->Create(Parent(), u"main", 5, repository.get()));
    const CSkinInterface* gone = control.get();
    HWND window = control->m_hWnd;
    control.reset();
    EXPECT_FALSE(IsWindow(window));
    // Only the pointer is compared: a registration left behind is found (and dropped) here.
    EXPECT_FALSE(repository->RemoveComponent(gone));
    ASSERT_TRUE(LoadSkin(ControlSkin()));
    EXPECT_EQ(kept.updates, 1);
}

// The controls outlive the repository here: their destructors must not reach it.
TEST_F(SkinObjectTest, TheRepositorysDestructorUnloadsControlsStillRegistered) {
    CCountingControl a, b;
    ASSERT_TRUE(a.Create(Parent(), u"main", 5, repository.get()));
    ASSERT_TRUE(b.Create(Parent(), u"other", 5, repository.get()));
    repository.reset();
    EXPECT_EQ(a.unloads, 1);
    EXPECT_EQ(b.unloads, 1);
}

TEST_F(SkinObjectTest, TheLibraryWindowClass) {
    CCountingControl control;
    WNDCLASS wc{};
    ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), u"MFCSkinObject", &wc));
    ASSERT_TRUE(control.Create(Parent(), u"main", 5, nullptr));
    WCHAR text[32] = {};
    GetWindowText(control.m_hWnd, text, 32);
    EXPECT_EQ(CString(text), CString(u"SkinObject"));
    // The classes are the application's while the library is loaded.
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    EXPECT_EQ(AfxFindRuntimeClass("CSkinObject"), RUNTIME_CLASS(CSkinObject));
    FreeLibrary(skinkit);
}

TEST_F(SkinObjectTest, PropertiesConvertByTheirType) {
    SkinDef skin = SkinDef::Named(u"Props");
    skin.Section(u"main")
        .Component(u"5", u"probe", u"custom")
        .Prop(u"flag", u"bool", u"TRUE")
        .Prop(u"zero", u"numeric", u"0")
        .Prop(u"double_zero", u"numeric", u"00")
        .Prop(u"minus", u"numeric", u"-1")
        .Prop(u"mode", u"choice:a|b|c", u"2")
        .Prop(u"red", u"color", u"255,0,0")
        .Prop(u"area", u"rect", u"1, 2, 30, 40")
        .Prop(u"spot", u"point", u"3,4")
        .Prop(u"where", u"string", u"3,4")
        .Prop(u"Name", u"string", u"first")
        .Prop(u"name", u"string", u"second");
    ASSERT_TRUE(LoadSkin(skin));
    CCountingControl c;
    ASSERT_TRUE(c.Create(Parent(), u"main", 5, repository.get()));

    EXPECT_EQ(Read(c, u"FLAG", false), std::pair(true, true));
    EXPECT_EQ(Read(c, u"zero", true), std::pair(true, false));
    EXPECT_EQ(Read(c, u"double_zero", false), std::pair(true, true)); // only the text "0" is false
    EXPECT_EQ(Read(c, u"red", true), std::pair(false, false));
    EXPECT_EQ(Read(c, u"red", DWORD(7)), std::pair(true, DWORD(0x000000FF)));
    EXPECT_EQ(Read(c, u"mode", DWORD(7)), std::pair(true, DWORD(2)));
    EXPECT_EQ(Read(c, u"minus", DWORD(7)), std::pair(true, DWORD(0xFFFFFFFF)));
    EXPECT_EQ(Read(c, u"area", DWORD(7)), std::pair(false, DWORD(0)));
    EXPECT_EQ(Read(c, u"minus", LONG(9)), std::pair(true, LONG(-1)));
    EXPECT_EQ(Read(c, u"mode", LONG(9)), std::pair(false, LONG(0)));
    EXPECT_EQ(Read(c, u"minus", 9L), std::pair(true, -1L));
    EXPECT_EQ(Read(c, u"area", CRect(9, 9, 9, 9)), std::pair(true, CRect(1, 2, 30, 40)));
    EXPECT_EQ(Read(c, u"spot", CRect(9, 9, 9, 9)), std::pair(false, CRect(0, 0, 0, 0)));
    // Points come from "string" properties; a "point" property does not convert.
    EXPECT_EQ(Read(c, u"spot", CPoint(9, 9)), std::pair(false, CPoint(0, 0)));
    EXPECT_EQ(Read(c, u"where", CPoint(9, 9)), std::pair(true, CPoint(3, 4)));
    EXPECT_EQ(Read(c, u"area", CString()), std::pair(true, CString(u"1, 2, 30, 40")));
    EXPECT_EQ(Read(c, u"NAME", CString()), std::pair(true, CString(u"first"))); // first match
    EXPECT_EQ(Read(c, u"missing", CString(u"x")), std::pair(false, CString()));
    EXPECT_EQ(c.GetProperty(CString(u"missing")), nullptr);
}

TEST_F(SkinObjectTest, WithoutARepositoryOrComponentNothingIsUpdatedOrRead) {
    CCountingControl unbound, missing;
    ASSERT_TRUE(unbound.Create(Parent(), u"main", 5, nullptr));
    ASSERT_TRUE(missing.Create(Parent(), u"main", 99, repository.get()));
    EXPECT_FALSE(unbound.IsValid());
    ASSERT_TRUE(LoadSkin(ControlSkin()));
    EXPECT_EQ(unbound.updates, 0);
    CString text = u"x";
    EXPECT_FALSE(unbound.GetProperty(u"position", text));
    EXPECT_FALSE(missing.GetProperty(u"position", text));
    EXPECT_EQ(text, CString());
}

TEST_F(SkinObjectTest, TheApplicationWindowIsTheFrameAroundTheControl) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, u"App", WS_POPUP | WS_VISIBLE, CRect(0, 0, 240, 320)));
    CCountingControl inFrame;
    ASSERT_TRUE(inFrame.Create(frame, u"main", 5, nullptr));
    EXPECT_EQ(inFrame.GetApplicationWnd()->m_hWnd, frame->m_hWnd);
    // Without a frame: the top-level parent.
    CCountingControl inProbe;
    ASSERT_TRUE(inProbe.Create(Parent(), u"main", 6, nullptr));
    EXPECT_EQ(inProbe.GetApplicationWnd()->m_hWnd, parent->hwnd());
    frame->DestroyWindow(); // frames delete themselves
}

// An application's own component with a window and skin updates.
class CGauge : public CSkinCustom {
public:
    int updates = 0;
    CString label;

protected:
    void Update() override {
        ++updates;
        GetProperty(u"label", label);
        CRect area;
        if (GetProperty(u"area", area)) {
            MoveWindow(area);
            ShowWindow(SW_SHOW);
        }
    }
};

TEST_F(SkinObjectTest, CustomComponentsBindWithoutAWindowOrGetOneThroughCreateBound) {
    SkinDef skin = SkinDef::Named(u"Custom");
    skin.Section(u"main")
        .Component(u"12", u"gauge", u"gauge")
        .Prop(u"label", u"string", u"fuel")
        .Prop(u"area", u"rect", u"5,5,25,15");
    ASSERT_TRUE(LoadSkin(skin));

    CGauge refused;
    EXPECT_FALSE(refused.Create(Parent(), u"main", 12, repository.get()));
    EXPECT_EQ(refused.m_hWnd, nullptr);

    CGauge bound;
    ASSERT_TRUE(bound.Create(u"main", 12, repository.get()));
    EXPECT_EQ(bound.m_hWnd, nullptr);
    EXPECT_EQ(bound.updates, 0); // not registered
    CString label;
    EXPECT_TRUE(bound.GetProperty(u"label", label)); // but bound
    EXPECT_EQ(label, CString(u"fuel"));
    EXPECT_TRUE(bound.Register());
    EXPECT_EQ(bound.updates, 1);
    EXPECT_FALSE(bound.Register());

    CGauge windowed;
    ASSERT_TRUE(windowed.CreateBound(Parent(), u"main", 12, repository.get()));
    EXPECT_EQ(windowed.updates, 1);
    EXPECT_TRUE(IsWindowVisible(windowed.m_hWnd));
    EXPECT_EQ(ChildRect(windowed.m_hWnd).right, 25);
    EXPECT_FALSE(windowed.Register()); // already registered

    ASSERT_TRUE(repository->LoadSkin(u"Test.skn"));
    EXPECT_EQ(bound.updates, 2);
    EXPECT_EQ(windowed.updates, 2);
    EXPECT_EQ(refused.updates, 0);
}

} // namespace
