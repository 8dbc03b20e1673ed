// The drop-down controls' tests: a skin window (component 1, a plain green) with drop-down
// controls on it, white 12-pixel labels on navy, and ways to read labels, frames and popups.
#pragma once

#include "controls/skinwindow.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <functional>
#include <memory>
#include <string>

class DropTest : public PressTest {
protected:
    static constexpr COLORREF kInk = RGB(255, 255, 255), kBack = RGB(0, 0, 128),
                              kWindowFill = RGB(0, 96, 0);

    void SetUp() override {
        PressTest::SetUp();
        skin.Section(u"main");
        Control(skin, u"1", u"window", "visible=true;background_color=0,96,0;position=0,0,240,320");
    }
    void TearDown() override {
        window.reset();
        PressTest::TearDown();
    }
    ComponentDef& Drop(UINT id, const CString& type, const std::string& attributes) {
        return Control(skin, CString::FromUtf8(std::to_string(id)), type,
                       "visible=true;font_size=12;font_color=255,255,255;background_color=0,0,"
                       "128;" +
                           attributes);
    }
    void Load(const PackageEntries& resources = {}) {
        ASSERT_TRUE(LoadSkin(skin, resources));
        window = std::make_unique<CSkinWindow>(); // after the reset that forgets window classes
        ASSERT_TRUE(window->Create(Parent(), u"main", 1, repository.get()));
    }
    // The size of text in the labels' font.
    static SIZE Extent(const CString& text) {
        LOGFONTW description{};
        description.lfHeight = -12;
        description.lfWeight = 400;
        HFONT font = CreateFontIndirect(&description);
        HDC dc = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32(dc, text, text.GetLength(), &size);
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
        DeleteObject(font);
        return size;
    }
    // The screen's label-coloured pixels in w by h from (x, y): rows of '#' and '.'.
    std::string Ink(int x, int y, int w, int h) const {
        std::string s;
        for (int row = y; row < y + h; ++row, s += ' ')
            for (int col = x; col < x + w; ++col)
                s += Pixel(col, row) == kInk ? '#' : '.';
        return s;
    }
    // Empty when the screen shows a one-pixel frame of label colour round r.
    std::string Framed(const RECT& r) const {
        return CheckFill({r.left, r.top, r.right, r.top + 1}, kInk) +
               CheckFill({r.left, r.bottom - 1, r.right, r.bottom}, kInk) +
               CheckFill({r.left, r.top, r.left + 1, r.bottom}, kInk) +
               CheckFill({r.right - 1, r.top, r.right, r.bottom}, kInk);
    }
    // r of window's client area on the screen.
    static CRect OnScreen(HWND window, CRect r) {
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Input for a waiting loop, which reads it itself: no pumping.
    static void Tap(int x, int y) { UserInjectPointerDown(x, y), UserInjectPointerUp(x, y); }
    static std::string Step(char what, POINT p) {
        return what + std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    }

    SkinDef skin = SkinDef::Named(u"Drops");
    std::unique_ptr<CSkinWindow> window;
};
