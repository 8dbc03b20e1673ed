// CSkinStatic: a caption in a skinned font and colour, on a solid colour or over what lies
// behind it, on one line or word-wrapped. Explicit line breaks are written as the two
// characters "\n" (backslash, n). A tap (press and release within a few pixels) sends
// WM_COMMAND (STN_CLICKED) to the parent before the release returns; a double click is one tap.
//
// Attributes read by Update, in this order: "visible", "font_name", "font_size", "font_bold"
// (true gives weight 700, false 400), "font_italic", "font_color", "wordwrap", "text" (kept
// as written), "transparent", "background_color", "position" (rect in the parent's client
// coordinates).
#pragma once

#include "controls/skinobject.h"
#include "skindesc/skinvalues.h"

class CSkinStatic : public CSkinObject {
    DECLARE_DYNAMIC(CSkinStatic)
public:
    CSkinStatic() = default;
    ~CSkinStatic() override;

    CString GetText() const { return m_strText; }
    // Stores the caption and repaints. Without word wrap every "\n" and line feed becomes a
    // space; with it every "\n" becomes a line feed. The skin's "text" replaces it at the next
    // Update.
    void SetText(const CString& text);

protected:
    void Unload() override;
    void Update() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);

    CString m_strText;
    bool m_bWordWrap = false;
    CRect m_rectWindow{0, 0, 0, 0};
    CFont* m_pFont = nullptr;
    COLORREF m_clrText = 0;
    bool m_bTransparent = false;
    COLORREF m_clrBackground = 0;
    bool m_bPressed = false;
    CRect m_rectClick{0, 0, 0, 0};

private:
    void ReadComponent(const CAttributeIndex& attributes) override;
    // Draws the caption piece by piece at each "\n", each piece below the last.
    void DrawWrapped(CDC* dc, CRect r);

    DECLARE_MESSAGE_MAP()
};
