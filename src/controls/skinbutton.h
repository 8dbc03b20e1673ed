// CSkinButton: a push or toggle button drawn from one skin frame strip.
//
// The strip holds four equally wide frames: normal, pressed, disabled, and a released-outside
// frame shown after a press that ended off the button until the next press. The window takes
// the size of one frame. The button may draw a caption, may be drawn over what lies behind it
// with one colour left out, may shape its window to the opaque pixels of frame 0, and may
// latch down as a toggle. A completed click posts WM_COMMAND (BN_CLICKED) to the parent; a
// double click is two clicks.
//
// Attributes read by Update, in this order: "visible", "image_filename", "font_name",
// "font_size", "font_bold" (true gives weight 400, false 700), "font_italic", "font_halign"
// and "font_valign" (0 left/top, 1 centre, other right/bottom), "font_rect" (a negative right
// or bottom counts from the client's right or bottom edge), "font_color", "text",
// "transparent", "region" (with "transparent": shape the window), "transparent_color",
// "toggle", "position" (point in the parent's client coordinates).
#pragma once

#include "controls/skinobject.h"
#include "controls/skinpaint.h"

class CSkinButton : public CSkinObject {
    DECLARE_DYNAMIC(CSkinButton)
public:
    CSkinButton() = default;
    ~CSkinButton() override;

    CString GetText() const { return m_strText; }
    // Stores the caption and repaints; the skin's "text" replaces it at the next Update.
    void SetText(const CString& text);
    // Posts the click notification to the parent; changes no state.
    void Click();
    // A toggle button latches down or comes up without a notification; others ignore it.
    void Toggle(bool down);
    bool IsDown() const { return m_bToggle && m_bDown; }

protected:
    void Unload() override;
    void Update() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnEnable(BOOL enable);

    int FrameWidth() const { return int(m_nBitmapWidth / 4); }
    // The frame the state shows: 2 disabled, 1 down or pressed, 3 released outside, 0 normal.
    int Frame() const;
    // Whether point is on the button: pixels of frame 0 decide only for a transparent button
    // without a region; everywhere else the whole client area is opaque.
    SkinHit HitTest(CPoint point) const;
    bool InClient(CPoint point) const;

    HBITMAP m_hBitmap = nullptr;
    bool m_bTransparent = false;
    bool m_bRegion = false;
    COLORREF m_clrTransparent = 0;
    DWORD m_nBitmapWidth = 0;
    DWORD m_nBitmapHeight = 0;
    CString m_strText;
    CFont* m_pFont = nullptr;
    DWORD m_nVAlign = 0;
    DWORD m_nHAlign = 0;
    COLORREF m_clrText = 0;
    CRect m_rectText{0, 0, 0, 0};
    bool m_bToggle = false;
    CRect m_rectWindow{0, 0, 0, 0};
    bool m_bPressed = false;
    bool m_bTracking = false;
    bool m_bEnabled = true;
    bool m_bDown = false;

private:
    void ReadComponent(const CAttributeIndex& attributes) override;
    void DrawCaption(CDC* dc);
    // Ends a press: the capture goes and tracking stops.
    void StopTracking();

    DECLARE_MESSAGE_MAP()
};
