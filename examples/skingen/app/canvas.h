// A small 24-bit drawing surface for the sample skins' bitmaps, written out as BMP files.
#pragma once

#include "platform/base/afx.h"

#include <string>
#include <vector>

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Get(int x, int y) const;
    void Set(int x, int y, COLORREF colour); // outside the canvas: ignored
    void FillRect(int left, int top, int right, int bottom, COLORREF colour);
    // A rectangle with corners of the given radius; outside the corners stays as it was.
    void FillRoundRect(int left, int top, int right, int bottom, int radius, COLORREF colour);
    void FrameRect(int left, int top, int right, int bottom, COLORREF colour);
    void Line(int x0, int y0, int x1, int y1, COLORREF colour, int thickness = 1);
    void FillCircle(int cx, int cy, int radius, COLORREF colour);
    void FillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, COLORREF colour);
    // A ring: the circle's pixels between radius - thickness and radius.
    void Ring(int cx, int cy, int radius, int thickness, COLORREF colour);
    // Copies source onto this canvas at (x, y), leaving out pixels of colour skip.
    void Paste(const Canvas& source, int x, int y, COLORREF skip = 0xFFFFFFFF);
    // Vertical gradient from top to bottom colour over the rectangle.
    void Gradient(int left, int top, int right, int bottom, COLORREF topColour,
                  COLORREF bottomColour);

    // The BMP file: 24 bits per pixel, or 8 with a palette of the colours used (at most 256).
    std::vector<BYTE> Bmp(int bitsPerPixel = 24) const;

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    int m_width, m_height;
    std::vector<COLORREF> m_pixels;
};

COLORREF Mix(COLORREF a, COLORREF b, int numerator, int denominator);
