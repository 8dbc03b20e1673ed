// A skin switch repaints the screen once, after every component has taken the new skin: nothing
// paints while the components update, whatever they ask for.
#include "platform/afx/wnd.h"
#include "repository/skinrepository.h"
#include "skindesc/skinvalues.h"
#include "support/screen_fixture.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <memory>
#include <vector>

namespace {

// A window that fills itself with one colour and counts the paints and erases it gets while
// *during is set.
class Swatch : public CWnd {
public:
    explicit Swatch(const bool* during) : m_during(during) {}
    COLORREF colour = RGB(255, 255, 255);
    int paintsDuring = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if ((message == WM_PAINT || message == WM_ERASEBKGND) && *m_during) ++paintsDuring;
        if (message == WM_ERASEBKGND) return 1;
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }

private:
    const bool* m_during;
};

// A component whose Update hides it, takes its colour and visibility from the skin, shows,
// raises and invalidates it, and asks for an immediate paint.
class SkinnedSwatch : public Swatch, public CSkinInterface {
public:
    SkinnedSwatch(const bool* during, CSkinRepository& repository, UINT id)
        : Swatch(during), m_repository(repository), m_id(id) {}

protected:
    void Unload() override { ShowWindow(SW_HIDE); }
    void Update() override {
        Unload();
        const tagCOMPONENT* component = m_repository.GetComponent(u"main", m_id);
        bool visible = true;
        DWORD value = 0;
        if (component) {
            GetAttributeBool(component->attributes, u"visible", visible);
            GetAttributeDWord(component->attributes, u"color", value);
        }
        colour = value;
        ShowWindow(visible ? SW_SHOW : SW_HIDE);
        BringWindowToTop();
        Invalidate(TRUE);
        UpdateWindow();
    }

private:
    CSkinRepository& m_repository;
    UINT m_id;
};

// Registered first and last (it has no window): tells when the two passes run.
class PassMarker : public CSkinInterface {
public:
    PassMarker(bool* during, bool opens) : m_during(during), m_opens(opens) {}

protected:
    void Unload() override {}
    void Update() override {
        if (m_opens) *m_during = true;
    }
    void OnUpdate() override {
        if (!m_opens) *m_during = false;
    }

private:
    bool* m_during;
    bool m_opens;
};

constexpr int kSwatches = 4;

// Every swatch in the colour; the hidden one's place (0-based) shows the frame instead.
SkinDef Colours(const CString& name, const CString& colour, int hidden) {
    SkinDef skin = SkinDef::Named(name);
    SectionDef& main = skin.Section(u"main");
    for (int i = 0; i < kSwatches; ++i) {
        CString id;
        id.Format(u"%d", i + 1);
        main.Component(id, u"swatch", u"static")
            .Attr(u"color", u"color", colour)
            .Attr(u"visible", u"bool", i == hidden ? u"false" : u"true");
    }
    return skin;
}

class SkinSwitchRedrawTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(WriteSkinPackage(dir / u"Red.skn", Colours(u"Red", u"255,0,0", -1)));
        ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", Colours(u"Blue", u"0,0,255", 2)));
        ASSERT_TRUE(repository.SetSkinsFolder(dir.Path()));
        frame.CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE,
                       CRect(0, 0, 200, 50), nullptr, 0);
        repository.AddComponent(&opener);
        for (int i = 0; i < kSwatches; ++i) {
            swatches.push_back(std::make_unique<SkinnedSwatch>(&during, repository, i + 1));
            swatches.back()->CreateEx(0, AfxRegisterWndClass(0), u"", WS_CHILD | WS_VISIBLE,
                                      CRect(10 + 40 * i, 10, 40 + 40 * i, 40), &frame, i + 1);
            repository.AddComponent(swatches.back().get());
        }
        repository.AddComponent(&closer);
    }
    void TearDown() override {
        swatches.clear();
        frame.DestroyWindow();
        ScreenTest::TearDown();
    }
    int PaintsDuring() const {
        int paints = frame.paintsDuring;
        for (const auto& s : swatches)
            paints += s->paintsDuring;
        return paints;
    }

    TempDir dir;
    bool during = false;
    PassMarker opener{&during, true}, closer{&during, false};
    CSkinRepository repository;
    Swatch frame{&during};
    std::vector<std::unique_ptr<SkinnedSwatch>> swatches;
};

TEST_F(SkinSwitchRedrawTest, NothingPaintsDuringTheSwitchAndEverythingAfter) {
    ASSERT_TRUE(repository.LoadSkin(u"Red.skn"));
    EXPECT_FALSE(during);
    Pump();
    for (int i = 0; i < kSwatches; ++i)
        EXPECT_FILL((RECT{10 + 40 * i, 10, 40 + 40 * i, 40}), RGB(255, 0, 0)) << i;
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn"));
    EXPECT_EQ(PaintsDuring(), 0);
    for (int i = 0; i < kSwatches; ++i) // the old skin until the pump: no flicker
        EXPECT_FILL((RECT{10 + 40 * i, 10, 40 + 40 * i, 40}), RGB(255, 0, 0)) << i;
    Pump();
    for (int i = 0; i < kSwatches; ++i)
        EXPECT_FILL((RECT{10 + 40 * i, 10, 40 + 40 * i, 40}),
                    i == 2 ? RGB(255, 255, 255) : RGB(0, 0, 255))
            << i;
    EXPECT_FALSE(swatches[2]->IsWindowVisible()); // hidden during the pass, and it stays so
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_FILL((RECT{0, 0, 200, 10}), RGB(255, 255, 255));
}

} // namespace
