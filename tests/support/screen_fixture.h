// Window-system tests: a fixture that resets the whole platform per test, pumps to idle, injects
// input, advances the test clock and reads the screen; it saves the screen as PNG when a test
// fails and checks at the end that the test released every graphics object it made.
#pragma once

#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class ScreenTest : public ::testing::Test {
protected:
    explicit ScreenTest(int width = 240, int height = 320) : m_width(width), m_height(height) {}
    // Resets the platform (fresh screen, window manager, registry, clock 0) and pumps once, so
    // the desktop has painted.
    void SetUp() override;
    // Saves the screen when the test failed; destroys the windows still open, frees temporary
    // wrappers and expects the live-object and menu counts of SetUp; resets the platform.
    void TearDown() override;

    // Pumps until idle; a runaway loop fails the test with the pump's message.
    UserPumpResult Pump();
    // Pointer input in screen coordinates, each followed by a pump.
    void Down(int x, int y);
    void Up(int x, int y);
    void Move(int x, int y);
    void Click(int x, int y);
    void Key(UINT virtualKey);
    // Advances the test clock by ms, firing timers on the way.
    void AdvanceTime(DWORD ms);

    // The screen as a user sees it (COLORREF, 0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    // Empty when every pixel of rect has colour; otherwise names the first that has not.
    std::string CheckFill(const RECT& rect, COLORREF colour) const;

    int m_width;
    int m_height;

private:
    GdiObjectCounts m_counts;
    int m_menus = 0;
};

#define EXPECT_FILL(rect, colour) EXPECT_EQ(CheckFill(rect, colour), "")

// A window of a test class that paints itself in one colour and records what it receives.
struct ProbeMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ProbeWindow {
public:
    // Classes: "SkProbe" (no class brush) and, with doubleClicks, "SkProbeDbl" (CS_DBLCLKS).
    // fill CLR_NONE paints nothing.
    ProbeWindow(HWND parent, const RECT& rect, COLORREF fill, UINT id = 0,
                DWORD style = WS_CHILD | WS_VISIBLE, bool doubleClicks = false);
    ~ProbeWindow();
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }
    int Count(UINT message) const;
    // The messages received in order, and only those of one kind.
    const std::vector<ProbeMessage>& Messages() const { return m_messages; }
    std::vector<ProbeMessage> Only(UINT message) const;
    void Clear() { m_messages.clear(); }

    COLORREF fill;
    // Runs first for every message; returning true answers it with *result.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> handler;

private:
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    std::vector<ProbeMessage> m_messages;
};

// Reads an 8-bit RGB PNG written by the platform; empty on failure.
struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row
    COLORREF At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
PngImage ReadPngFile(const std::string& hostPath);
