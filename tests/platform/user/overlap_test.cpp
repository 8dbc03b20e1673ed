// Many overlapping siblings, moved, sized, shaped, restacked, hidden and shown at random: after
// each pump every screen pixel must show what a plain model built from the public calls says
// (the topmost visible window whose area holds the pixel, within its ancestors' client areas).
// A missed exposure leaves stale pixels; a wrong visible region paints over a neighbour.
#include "support/screen_fixture.h"

#include <memory>
#include <random>

namespace {

// The tree as the public calls describe it: rectangles in screen coordinates, the window
// region (null for none) in window coordinates.
struct Node {
    COLORREF fill;
    RECT rect, client;
    std::shared_ptr<void> region;
    std::vector<Node> children;
};

Node Snapshot(HWND hwnd) {
    auto* probe = reinterpret_cast<ProbeWindow*>(GetWindowLongPtr(hwnd, GWL_USERDATA));
    Node n{probe ? probe->fill : GetSysColor(COLOR_BACKGROUND), {}, {}, nullptr, {}};
    GetWindowRect(hwnd, &n.rect);
    GetClientRect(hwnd, &n.client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&n.client), 2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    n.region.reset(region, DeleteObject);
    if (GetWindowRgn(hwnd, region) == ERROR) n.region.reset();
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLong(c, GWL_STYLE) & WS_VISIBLE) n.children.push_back(Snapshot(c));
    return n;
}

// The colour a screen pixel must have: its owner's fill, or the frame colour on a border.
COLORREF Expected(const Node& n, POINT p) {
    if (!PtInRect(&n.client, p)) return GetSysColor(COLOR_WINDOWFRAME);
    for (const Node& c : n.children) {
        auto* region = static_cast<HRGN>(c.region.get());
        if (PtInRect(&c.rect, p) &&
            (!region || PtInRegion(region, p.x - c.rect.left, p.y - c.rect.top)))
            return Expected(c, p);
    }
    return n.fill;
}

class OverlapTest : public ScreenTest {
protected:
    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(random); }
    RECT RandomRect() {
        int x = Pick(-20, 230), y = Pick(-20, 310);
        return {x, y, x + Pick(0, 80), y + Pick(0, 80)};
    }
    void RandomChange(HWND w, HWND sibling);
    std::string FirstWrongPixel() {
        Node desktop = Snapshot(GetDesktopWindow());
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (COLORREF want = Expected(desktop, {x, y}); Pixel(x, y) != want)
                    return CheckFill(RECT{x, y, x + 1, y + 1}, want);
        return "";
    }

    std::mt19937 random;
    std::vector<std::unique_ptr<ProbeWindow>> windows;
};

void OverlapTest::RandomChange(HWND w, HWND sibling) {
    RECT r = RandomRect();
    switch (Pick(0, 6)) {
    case 0:
        MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        break;
    case 1: // shown, or hidden (and at times shown again at once, as a control's Update does)
        if (GetWindowLong(w, GWL_STYLE) & WS_VISIBLE) ShowWindow(w, SW_HIDE);
        if (!(GetWindowLong(w, GWL_STYLE) & WS_VISIBLE) && Pick(0, 2)) ShowWindow(w, SW_SHOWNA);
        break;
    case 2:
        SetWindowPos(w, Pick(0, 1) ? HWND_BOTTOM : sibling, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        break;
    case 3:
        BringWindowToTop(w);
        break;
    case 4: { // an L shape, or none
        HRGN shape = Pick(0, 2) ? CreateRectRgn(0, 0, Pick(1, 40), Pick(1, 10)) : nullptr;
        HRGN leg = CreateRectRgn(0, 0, Pick(1, 10), Pick(1, 40));
        if (shape) CombineRgn(shape, shape, leg, RGN_OR);
        DeleteObject(leg);
        SetWindowRgn(w, shape, TRUE);
        break;
    }
    default: // the same place again, as a control's Update does
        SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

TEST_F(OverlapTest, TheScreenMatchesAPerPixelModelAfterRandomChanges) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        random.seed(seed);
        windows.clear();
        windows.push_back(std::make_unique<ProbeWindow>(
            nullptr, RECT{0, 0, 240, 320}, RGB(255, 255, 255), 0, WS_POPUP | WS_VISIBLE));
        // 40 siblings, the last of them bordered with 20 children of its own.
        for (int i = 0; i < 60; ++i)
            windows.push_back(
                std::make_unique<ProbeWindow>(windows[i < 40 ? 0 : 40]->hwnd(), RandomRect(),
                                              RGB(10 + 4 * i, (i * 53) % 200 + 20, 250 - 3 * i), i,
                                              WS_CHILD | WS_VISIBLE | (i == 39 ? WS_BORDER : 0)));
        SetWindowPos(windows[40]->hwnd(), nullptr, 20, 20, 200, 280, SWP_NOZORDER);
        for (int round = 0; round < 8; ++round) {
            for (int change = 0; change < 20; ++change) {
                int i = Pick(1, 60);
                RandomChange(windows[i]->hwnd(),
                             windows[i < 41 ? Pick(1, 40) : Pick(41, 60)]->hwnd());
            }
            Pump();
            ASSERT_EQ(FirstWrongPixel(), "") << "round " << round;
        }
    }
}

// Guards the areas kept between changes (each window's shown area, a parent's union of many
// children): a screen tiled with small controls, a few of them changed between pumps the way
// a control's Update and its neighbours change them.
TEST_F(OverlapTest, ATiledScreenMatchesTheModelAfterChangesToSomeControls) {
    random.seed(7);
    windows.push_back(std::make_unique<ProbeWindow>(nullptr, RECT{0, 0, 240, 320},
                                                    RGB(255, 255, 255), 0, WS_POPUP | WS_VISIBLE));
    for (int i = 0; i < 96; ++i) {
        RECT r = {(i % 8) * 30, (i / 8) * 26, (i % 8) * 30 + (i % 5 ? 30 : 70), (i / 8) * 26 + 26};
        windows.push_back(std::make_unique<ProbeWindow>(windows[0]->hwnd(), r,
                                                        RGB(i * 2, 255 - i * 2, (i * 37) % 255),
                                                        i, WS_CHILD | WS_VISIBLE));
    }
    for (int round = 0; round < 12; ++round) {
        for (int change = 0; change < 6; ++change) {
            int i = Pick(1, 96);
            RandomChange(windows[i]->hwnd(), windows[Pick(1, 96)]->hwnd());
        }
        Pump();
        ASSERT_EQ(FirstWrongPixel(), "") << "round " << round;
    }
}

// Guards the paint search's notes of clean subtrees: a window hidden through its style keeps
// its update region and is painted once its style shows it again, among many siblings.
TEST_F(OverlapTest, AnUpdateKeptWhileHiddenByStyleIsPaintedWhenShownAgain) {
    ProbeWindow top(nullptr, {0, 0, 240, 320}, RGB(255, 255, 255), 0, WS_POPUP | WS_VISIBLE);
    for (int i = 0; i < 20; ++i)
        windows.push_back(std::make_unique<ProbeWindow>(top, RECT{i * 12, 0, i * 12 + 12, 12},
                                                        RGB(10 * i, 0, 0), i));
    Pump();
    HWND w = windows[5]->hwnd();
    windows[5]->fill = RGB(0, 0, 255);
    InvalidateRect(w, nullptr, TRUE);
    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) & ~WS_VISIBLE);
    Pump();
    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | WS_VISIBLE);
    Pump();
    EXPECT_FILL((RECT{60, 0, 72, 12}), RGB(0, 0, 255));
}

} // namespace
