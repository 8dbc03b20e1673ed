// CSkinWindow: the skinned background of a screen, on which the other controls sit.
//
// It takes its place, size and look from its component: a plain colour, or a skin image drawn
// at its natural size over the colour, stretched, or tiled. The background is composed once per
// Update into a back buffer; painting, and PaintWindowArea for the controls that draw
// themselves see-through, are single copies from it. It passes its children's button clicks and
// horizontal scroll notifications on to its own parent, and reports a tap on itself as a
// WM_COMMAND carrying its id.
//
// Attributes read by Update: "visible" (bool), "image_display" (bool), "image_type" (0 natural,
// 1 stretched, 2 tiled), "image_filename", "background_color", "position" (rect in the parent's
// client coordinates).
#pragma once

#include "controls/skinobject.h"

class CSkinWindow : public CSkinObject {
    DECLARE_DYNAMIC(CSkinWindow)
public:
    CSkinWindow() = default;
    ~CSkinWindow() override;

    // Paints into dc, over rect (child's client coordinates), the background behind that area
    // of child.
    void PaintWindowArea(CWnd* child, CDC* dc, CRect* rect);

protected:
    void Unload() override;
    void Update() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);

    int Width() const { return m_rectPosition.Width(); }
    int Height() const { return m_rectPosition.Height(); }

    CRect m_rectPosition{0, 0, 0, 0};
    COLORREF m_clrBackground = 0;
    bool m_bImageDisplay = false;
    LONG m_nImageWidth = 0;
    LONG m_nImageHeight = 0;
    CDC m_dcBack;
    HBITMAP m_hBackBitmap = nullptr;
    HBITMAP m_hPrevBitmap = nullptr;
    bool m_bPressed = false;
    CRect m_rectClick{0, 0, 0, 0};

private:
    // Composes the image into the back buffer as image_type says.
    void PrepareBackBuffer(HBITMAP image, DWORD imageType);

    DECLARE_MESSAGE_MAP()
};
