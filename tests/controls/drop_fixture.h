// The drop-down controls' tests: a skin window (component 1, a plain green) with drop-down
// controls on it, white 12-pixel labels on navy, and ways to read labels and frames.
#pragma once

#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <functional>
#include <memory>
#include <string>

class DropTest : public PressTest {
protected:
    static constexpr COLORREF kInk = RGB(255, 255, 255), kBack = RGB(0, 0, 128);

    void SetUp() override {
        PressTest::SetUp();
        skin.Section(u"main");
        Control(skin, u"1", u"window", "visible=true;background_color=0,96,0;position=0,0,240,320");
    }
    void TearDown() override {
        window.reset();
        PressTest::TearDown();
    }
    ComponentDef& Drop(int id, const CString& type, const std::string& more) {
        return Control(
            skin, CString::FromUtf8(std::to_string(id)), type,
            "visible=true;font_size=12;font_color=255,255,255;background_color=0,0,128;" + more);
    }
    void Load(const PackageEntries& resources = {}) {
        ASSERT_TRUE(LoadSkin(skin, resources));
        window = std::make_unique<CSkinWindow>(); // after the reset that forgets window classes
        ASSERT_TRUE(window->Create(Parent(), u"main", 1, repository.get()));
    }
    // The size of text in the labels' font (the repository's).
    SIZE Extent(const CString& text) {
        LOGFONTW font{};
        font.lfHeight = -12, font.lfWeight = 400;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(repository->GetFont(&font)); // the repository's, kept when dc goes
        return dc.GetTextExtent(text);
    }
    // The label-coloured pixels of w by h at (x, y) on the screen, rows of '#' and '.'.
    std::string Ink(int x, int y, int w, int h) const {
        std::string s;
        for (int row = y; row < y + h; ++row, s += ' ')
            for (int col = x; col < x + w; ++col)
                s += Pixel(col, row) == kInk ? '#' : '.';
        return s;
    }
    // Whether the screen shows label-coloured corners at r of window's client area.
    bool Framed(HWND window, CRect r) const {
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return Pixel(r.left, r.top) == kInk && Pixel(r.right - 1, r.top) == kInk &&
               Pixel(r.left, r.bottom - 1) == kInk && Pixel(r.right - 1, r.bottom - 1) == kInk;
    }

    SkinDef skin = SkinDef::Named(u"Drops");
    std::unique_ptr<CSkinWindow> window;
};
