// Graphics tests: a fixture that gives each test a fresh screen and checks at the end that every
// graphics object the test made has been released, plus small helpers for building inputs.
#pragma once

#include "platform/afx/dc.h"
#include "platform/gdi/gdidevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Frees the framework's temporary wrappers, then expects the live-object counts of SetUp.
    void TearDown() override;

private:
    GdiObjectCounts m_counts;
};

// A memory context with its own bitmap selected; everything is released on destruction.
class Canvas {
public:
    // A section of the given depth (1, 4, 8 use a grey ramp palette; 16 is 5-5-5).
    Canvas(int width, int height, int bpp = 32, COLORREF fill = RGB(255, 255, 255));
    // Takes ownership of bitmap.
    explicit Canvas(HBITMAP bitmap);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void Fill(COLORREF colour);
    void Fill(const RECT& area, COLORREF colour);
    // Deselects the bitmap and hands it to the caller (the canvas then draws on nothing).
    HBITMAP Release();
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    // Every pixel, row by row.
    std::vector<COLORREF> Pixels() const;
    // Pixels of one colour, and their bounding box (empty when there are none).
    int Count(COLORREF colour) const;
    RECT Bounds(COLORREF colour) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Deletes the object when the scope ends.
template <class H> struct Owned {
    Owned(H handle) : h(handle) {}
    ~Owned() { DeleteObject(h); }
    operator H() const { return h; }
    H h;
};

// Selects the object into dc for the scope, then selects the previous one back and deletes it.
struct Selected {
    Selected(HDC dc, HGDIOBJ object) : dc(dc), object(object), old(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc, old);
        DeleteObject(object);
    }
    HDC dc;
    HGDIOBJ object, old;
};

// A section bitmap: bpp bits per pixel, positive height (bottom-up), the given colour table
// (1, 4, 8 bits) or masks (16, 32 bits with BI_BITFIELDS when masks are given).
HBITMAP MakeSection(int width, int height, int bpp, const std::vector<RGBQUAD>& table = {},
                    const std::vector<DWORD>& masks = {}, void** bits = nullptr);

// Seeds for randomized tests: SKINKIT_SEED when set, else a fixed value.
unsigned TestSeed();

// "(l,t,r,b)", so that rectangles compare with readable failure messages.
std::string Describe(const RECT& r);
#define EXPECT_RECT(rect, l, t, r, b) EXPECT_EQ(Describe(rect), Describe(RECT{l, t, r, b}))
