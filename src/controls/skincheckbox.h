// CSkinCheckBox: a two-state control drawn from a skin frame strip, the box at the left of the
// control and a caption to its right, always over what lies behind it with one colour of the
// strip left out.
//
// The strip holds four frames: unchecked, unchecked disabled, checked, checked disabled. The
// box is centred vertically in the control. A press (a double click is two presses) toggles
// the state and posts WM_COMMAND (BN_CLICKED) to the parent; every point of the control counts.
//
// Attributes read by Update, in this order: "visible", "image_filename", "font_name",
// "font_size", "font_bold" (true gives weight 400, false 700), "font_italic", "font_rect"
// (relative to the area right of the box; a right or bottom of 0 or less counts from the
// client's right or bottom edge), "font_color", "text", "transparent_color", "position" (rect
// in the parent's client coordinates).
#pragma once

#include "controls/skinobject.h"
#include "skindesc/skinvalues.h"

class CSkinCheckBox : public CSkinObject {
    DECLARE_DYNAMIC(CSkinCheckBox)
public:
    CSkinCheckBox() = default;
    ~CSkinCheckBox() override;

    bool IsChecked() const { return m_bChecked; }
    // Changes the state without a notification; repaints only when it changes.
    void SetChecked(bool checked);
    CString GetText() const { return m_strText; }
    // Stores the caption and repaints; the skin's "text" replaces it at the next Update.
    void SetText(const CString& text);
    // Posts the click notification to the parent; changes no state.
    void Click();

protected:
    void Unload() override;
    void Update() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnEnable(BOOL enable);

    // The frame the state shows: 0 unchecked, 2 checked, plus 1 when disabled.
    int Frame() const { return (m_bChecked ? 2 : 0) + (m_bEnabled ? 0 : 1); }
    // The box's place in the client area: at the left, centred vertically (cut equally at top
    // and bottom when taller than the control).
    CRect BoxRect() const;

    HBITMAP m_hBitmap = nullptr;
    COLORREF m_clrTransparent = 0;
    LONG m_nFrameWidth = 0;
    LONG m_nBitmapHeight = 0;
    CString m_strText;
    CFont* m_pFont = nullptr;
    COLORREF m_clrText = 0;
    CRect m_rectText{0, 0, 0, 0};
    CRect m_rectWindow{0, 0, 0, 0};
    bool m_bEnabled = true;
    bool m_bChecked = false;

private:
    void ReadComponent(const CAttributeIndex& attributes) override;

    DECLARE_MESSAGE_MAP()
};
