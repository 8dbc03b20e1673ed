// Tests of the basic controls: press sequences as table rows, and skin strips whose frames can
// be told apart by one pixel.
//
// A row gives the injected steps as text in the control's client coordinates ("d" down, "m"
// move, "u" up, "r" repaint the control), what the screen shows after each step (one character per
// step, read by a look function, usually the frame index), and the ordered messages the parent
// received:
//
//   {"drag out and back in", "d5,5 m90,5 m5,5 u5,5", "1031", "C6"},
//
// Steps run without advancing the clock, so "d u d u" at one point is a double click; rows run
// one second apart, so they never join into one.
#pragma once

#include "support/control_fixture.h"

#include <functional>
#include <string>
#include <vector>

class PressTest : public ControlTest {
protected:
    // Injects steps in window's client coordinates; after each, appends look().
    std::string Press(HWND window, const std::string& steps, const std::function<char()>& look);
    // The parent's WM_COMMAND messages since the last Clear: "C<id>" each (a notification code
    // other than 0 adds ":<code>"), and any message numbered message as "<wParam>".
    std::string Received(UINT message = 0) const;
};

// A component whose attributes are "key=value" items separated by ';', each typed as the
// controls read it (a "position" of four numbers is a rect, of two a point).
ComponentDef& Control(SkinDef& skin, const CString& id, const CString& type,
                      const std::string& attributes);

// Frames of one colour each with a transparent border of width border (magenta), side by side.
std::vector<BYTE> FrameStrip(const std::vector<COLORREF>& frames, int frameWidth, int height,
                             int border = 0);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);
// The index of colour in colours as a digit, '-' when it is none of them.
char FrameOf(COLORREF colour, const std::vector<COLORREF>& colours);
