// Press sequences as table rows: the steps in the control's client coordinates ("d" down,
// "m" move, "u" up, "r" repaint), what the screen shows after each, and the messages the
// parent received, e.g. {"drag out and back in", "d5,5 m90,5 m5,5 u5,5", "1010", "C6"}.
// Rows run a second apart (never one double click); steps within a row do not.
#pragma once

#include "support/control_fixture.h"

#include <functional>
#include <string>
#include <vector>

class PressTest : public ControlTest {
protected:
    std::string Press(HWND window, const std::string& steps, const std::function<char()>& look);
    // The parent's WM_COMMAND messages as "C<id>[:<code>]", and messages numbered message as
    // their wParam.
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
