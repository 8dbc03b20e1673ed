// CSkinDropBase: the closed look and the press of the drop-down controls (CSkinDropList,
// CSkinDropTree), which differ only in their popup.
//
// A text label and a small triangle sit in a label box fitted to the label's text and anchored
// to one corner of the control: "dropdown" puts it at the top (the popup opens below it) or at
// the bottom (the popup opens above it), "dropright" at the left (the popup extends to the
// right) or at the right. The rest of the control shows a solid colour or, when "transparent"
// is set, what lies behind it. A press in the box frames it while the pointer stays inside; a
// release inside calls DropDown(true). While the popup is open the drop label replaces the
// label (in the same box). A double click is a press.
//
// Attributes read by Update, in this order: "visible", "dropdown", "dropright", "font_name",
// "font_size", "font_bold" (700 when true, else 400), "font_italic", "font_color",
// "transparent", "background_color", then the popup's own (ReadPopup), then "position" (rect
// in the parent's client coordinates).
#pragma once

#include "controls/skinobject.h"

class CSkinDropBase : public CSkinObject {
    DECLARE_DYNAMIC(CSkinDropBase)
public:
    ~CSkinDropBase() override = default;

    // Stores the label and refits the box to it; no repaint.
    virtual void SetLabel(const CString& text);
    // Stores the text shown while the popup is open; no repaint.
    virtual void SetDropLabel(const CString& text);
    // Sets the box's corner and the popup's direction and refits the box.
    void SetDropMode(bool dropDown, bool dropRight);
    // Opens the popup (when it has something to show) or asks an open one to close.
    virtual void DropDown(bool open) = 0;

    const CString& GetLabel() const { return m_strLabel; }
    bool IsDropped() const { return m_bDropped; }

    // The label box in client coordinates: painting, the press and the popup's anchor.
    CRect LabelBox() const { return m_rcLabel; }
    // The box holding the four lines of the triangle, in client coordinates.
    CRect TriangleRect() const;

protected:
    // margin: what the box adds to the text's height.
    explicit CSkinDropBase(int margin);

    void Unload() override;
    void Update() override;
    // Reads what the popup takes from the component and applies it.
    virtual void ReadPopup(const CAttributeIndex& attributes) = 0;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

    CRect m_rcPosition{0, 0, 0, 0};
    CRect m_rcLabel{0, 0, 0, 0};
    COLORREF m_crBackground;
    COLORREF m_crFont;
    CFont* m_pFont = nullptr; // the repository's
    bool m_bTransparent = false;
    bool m_bPressed = false;
    bool m_bInside = false;
    bool m_bDropDown = true;
    bool m_bDropRight = true;
    bool m_bDropped = false;
    CString m_strLabel = u"<Empty>";
    CString m_strDropLabel = u"<Empty>";

private:
    void ReadComponent(const CAttributeIndex& attributes) override;
    void ReadLabel(const CAttributeIndex& attributes, LOGFONTW& font);
    // The text's size in the label font (the device context's own font before any Update).
    CSize TextExtent(const CString& text) const;
    const CString& ShownText() const { return m_bDropped ? m_strDropLabel : m_strLabel; }
    void DrawTriangle(CDC* dc) const;

    int m_nMargin;

    DECLARE_MESSAGE_MAP()
};
