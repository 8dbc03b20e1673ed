// What the skinned controls share when they paint and when they tell their parent.
//
// Every see-through control composes itself off screen and copies the result in one piece, so
// that it never flickers:
//
//   CPaintDC dc(this);
//   CSkinOffscreen image(&dc, client.Width(), client.Height());
//   PaintBehind(this, image.DC());                       // the skin window, or the screen
//   CSkinBitmapDC strip(&dc, m_hBitmap);
//   DrawTransparent(image.DC(), 0, 0, w, h, strip.DC(), FrameX(), 0, m_clrTransparent);
//   image.CopyTo(&dc, w, h);                             // one copy to the window
//
// PaintBehind is the one place that decides how to show what lies behind a control: a control
// on a CSkinWindow asks it for the background behind its client area (a single copy from its
// back buffer); on any other parent it captures what the screen shows (PaintParentBackground).
//
// Fonts: every control describes its font from "font_name", "font_size", "font_bold" and
// "font_italic" (read in this order); the weight that "font_bold" selects differs between
// controls, so each passes its own pair. Notifications: PostCommand and SendCommand give the
// parent WM_COMMAND with the control's id and handle, so that whether a control posts or sends
// is visible at its one call.
#pragma once

#include "platform/afx/wnd.h"
#include "platform/base/collections.h"
#include "skindesc/skinvalues.h"

// Paints into dc, over control's client rectangle, what lies behind the control.
void PaintBehind(CWnd* control, CDC* dc);

// An off-screen image compatible with target, width by height; released with the scope.
class CSkinOffscreen {
public:
    CSkinOffscreen(CDC* target, int width, int height);
    ~CSkinOffscreen();
    CSkinOffscreen(const CSkinOffscreen&) = delete;
    CSkinOffscreen& operator=(const CSkinOffscreen&) = delete;

    CDC* DC() { return &m_dc; }
    // Copies width by height from (0, 0) of the image to (0, 0) of target.
    void CopyTo(CDC* target, int width, int height);

private:
    CDC m_dc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hPrevious = nullptr;
};

// A bitmap the control does not own (a cached skin bitmap), selected into a memory context
// compatible with target for as long as the scope lasts. A null target means the screen.
class CSkinBitmapDC {
public:
    CSkinBitmapDC(CDC* target, HBITMAP bitmap);
    ~CSkinBitmapDC();
    CSkinBitmapDC(const CSkinBitmapDC&) = delete;
    CSkinBitmapDC& operator=(const CSkinBitmapDC&) = delete;

    CDC* DC() { return &m_dc; }

private:
    CDC m_dc;
    HGDIOBJ m_hPrevious = nullptr;
};

// Text colour, font and a transparent background mode selected into dc for the scope.
class CSkinTextStyle {
public:
    CSkinTextStyle(CDC* dc, CFont* font, COLORREF colour);
    ~CSkinTextStyle();
    CSkinTextStyle(const CSkinTextStyle&) = delete;
    CSkinTextStyle& operator=(const CSkinTextStyle&) = delete;

private:
    CDC* m_pDC;
    COLORREF m_clrPrevious;
    CFont* m_pPreviousFont = nullptr;
    int m_nPreviousMode;
};

// The control font description from the component's font attributes: every field zero but the
// face name (cut to 31 characters), the height (minus "font_size"), the italic flag and the
// weight, boldWeight when "font_bold" is true and otherWeight when it is not.
LOGFONTW ReadSkinFont(const CAttributeIndex& attributes, LONG boldWeight, LONG otherWeight);

// WM_COMMAND to control's parent: the control's id in the low word, code in the high word,
// its window handle as lParam. Post queues it; Send runs the parent's handler at once.
void PostCommand(CWnd* control, WORD code = 0);
void SendCommand(CWnd* control, WORD code = 0);

// A skin bitmap's width and height; (0, 0) without a bitmap.
CSize BitmapSize(HBITMAP bitmap);

// How a point of a skin bitmap reads for a hit test: the pixel at point (the platform's
// invalid colour outside the bitmap or without one), classified against transparent.
enum class SkinHit { Unreadable, Transparent, Opaque };
SkinHit HitTestBitmap(HBITMAP bitmap, POINT point, COLORREF transparent);
