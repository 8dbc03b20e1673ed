// PaintParentBackground: a see-through control shows what lies behind it, comes to rest, and
// exposes only what it repaints.
#include "bitmap/paintparent.h"
#include "platform/afx/wnddc.h"
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kMarker = RGB(255, 0, 255);

// What the parent paints: every column its own colour, shifted by g_shift.
int g_shift = 0;
COLORREF Stripe(int x) {
    return RGB(x, 255 - x, 64);
}

LRESULT PaintStripes(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (int x = 0; x < 240; ++x) {
        HBRUSH brush = CreateSolidBrush(Stripe(x + g_shift));
        RECT column{x, 0, x + 1, 320};
        FillRect(dc, &column, brush);
        DeleteObject(brush);
    }
    EndPaint(hwnd, &ps);
    *result = 0;
    return true;
}

// A see-through control: the parent's pixels behind it, then a marker in its corner.
class CSeeThrough : public CWnd {
public:
    int paints = 0;
    bool toNull = false;

protected:
    afx_msg void OnPaint() {
        ++paints;
        CPaintDC dc(this);
        PaintParentBackground(this, toNull ? nullptr : &dc);
        dc.FillSolidRect(0, 0, 2, 2, kMarker);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSeeThrough, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class PaintParentTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        g_shift = 0;
        parent = std::make_unique<ProbeWindow>(nullptr, RECT{0, 0, 240, 320}, CLR_NONE, 0,
                                               WS_POPUP | WS_VISIBLE);
        parent->handler = [this](UINT m, WPARAM w, LPARAM l, LRESULT* r) {
            return PaintStripes(parent->hwnd(), m, w, l, r) != 0;
        };
    }
    void TearDown() override {
        control.DestroyWindow();
        parent.reset();
        ScreenTest::TearDown();
    }
    void CreateControl() {
        ASSERT_TRUE(control.Create(AfxRegisterWndClass(0), u"see-through", WS_CHILD | WS_VISIBLE,
                                   CRect(100, 40, 140, 70), CWnd::FromHandle(parent->hwnd()), 9));
    }

    std::unique_ptr<ProbeWindow> parent;
    CSeeThrough control;
};

TEST_F(PaintParentTest, TheControlShowsWhatLiesBehindItAndReachesIdle) {
    ProbeWindow below(parent->hwnd(), {90, 30, 120, 80}, RGB(0, 0, 255), 8); // a sibling under it
    CreateControl();
    UserPumpResult result = Pump();
    EXPECT_TRUE(result.idle);
    EXPECT_EQ(control.paints, 1); // showing itself again inside its paint starts no new paint
    EXPECT_TRUE(IsWindowVisible(control.m_hWnd));
    EXPECT_FILL((RECT{100, 40, 102, 42}), kMarker);
    EXPECT_FILL((RECT{100, 42, 120, 70}), RGB(0, 0, 255));
    for (int x = 120; x < 140; x += 3)
        EXPECT_EQ(Pixel(x, 50), Stripe(x)) << "x " << x;
    EXPECT_EQ(Pixel(139, 69), Stripe(139));
}

TEST_F(PaintParentTest, RepaintingPartOfTheControlExposesOnlyThatPartOfTheParent) {
    CreateControl();
    Pump();
    parent->Clear();
    RECT exposed{};
    parent->handler = [&](UINT m, WPARAM w, LPARAM l, LRESULT* r) {
        if (m == WM_PAINT) GetUpdateRect(parent->hwnd(), &exposed, FALSE);
        return PaintStripes(parent->hwnd(), m, w, l, r) != 0;
    };
    RECT corner = {0, 0, 10, 10};
    InvalidateRect(control.m_hWnd, &corner, TRUE);
    EXPECT_TRUE(Pump().idle);
    EXPECT_EQ(parent->Count(WM_PAINT), 1);
    EXPECT_RECT(exposed, 100, 40, 110, 50);
    EXPECT_EQ(control.paints, 2);
    // After the parent changes, repaints stay correct.
    g_shift = 50;
    InvalidateRect(parent->hwnd(), nullptr, TRUE);
    control.Invalidate();
    EXPECT_TRUE(Pump().idle);
    EXPECT_EQ(control.paints, 3);
    EXPECT_EQ(Pixel(120, 60), Stripe(170));
    EXPECT_EQ(Pixel(20, 60), Stripe(70));
    EXPECT_EQ(Pixel(100, 40), kMarker);
}

TEST_F(PaintParentTest, ANullDestinationDrawsNothing) {
    control.toNull = true;
    CreateControl();
    EXPECT_TRUE(Pump().idle);
    EXPECT_TRUE(IsWindowVisible(control.m_hWnd));
    EXPECT_EQ(Pixel(100, 40), kMarker);
}

} // namespace
