// CSkinImage: one frame of a skin frame strip whose number of frames the skin gives; the
// application picks the frame with SetImage (indicators, timer-driven animations, picture
// buttons). It may be drawn over what lies behind it with one colour left out, and then only
// the opaque pixels of frame 0 take taps. A tap (press and release inside) posts WM_COMMAND to
// the parent; a double click is two taps. There is no pressed look and no enabled state.
//
// Attributes read by Update, in this order: "visible", "image_filename", "image_count",
// "transparent", "transparent_color", "position" (point in the parent's client coordinates).
// An "image_count" of 0 shows the whole strip as one frame.
#pragma once

#include "controls/skinobject.h"
#include "skindesc/skinvalues.h"

class CSkinImage : public CSkinObject {
    DECLARE_DYNAMIC(CSkinImage)
public:
    static constexpr DWORD kNoImage = 0xFFFFFFFF;

    CSkinImage() = default;
    ~CSkinImage() override;

    // The skin's "image_count" as read, also when there is no bitmap.
    DWORD GetImageCount() const { return m_nImageCount; }
    // Shows frame index when it is below the image count; false, changing nothing, otherwise.
    bool SetImage(DWORD index);

protected:
    void Unload() override;
    void Update() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

    // The strip seen as image count frames (one frame when the count is 0).
    DWORD FrameWidth() const { return m_nBitmapWidth / (m_nImageCount ? m_nImageCount : 1); }
    // The frame's left column: a current image beyond the strip shows frame 0.
    DWORD FrameX() const;
    // Taps count on opaque pixels of frame 0 only when the image is transparent.
    bool Hits(CPoint point) const;

    CRect m_rectWindow{0, 0, 0, 0};
    HBITMAP m_hBitmap = nullptr;
    bool m_bTransparent = false;
    COLORREF m_clrTransparent = 0;
    DWORD m_nBitmapWidth = 0;
    DWORD m_nBitmapHeight = 0;
    DWORD m_nImageCount = 0;
    DWORD m_nCurrentImage = kNoImage;
    bool m_bPressed = false;

private:
    void ReadComponent(const CAttributeIndex& attributes) override;

    DECLARE_MESSAGE_MAP()
};
