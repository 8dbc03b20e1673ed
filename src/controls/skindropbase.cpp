#include "controls/skindropbase.h"

#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSkinDropBase, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinDropBase, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// The label: "font_bold" true is the heavier weight.
constexpr LONG kWeightWhenBold = 700, kWeightOtherwise = 400;
// The box is the text plus this much across: 2 before the text, 12 for the triangle.
constexpr int kBoxExtraWidth = 14;
constexpr int kTextIndent = 2, kTriangleColumn = 12;

} // namespace

CSkinDropBase::CSkinDropBase(int margin)
    : m_crBackground(::GetSysColor(COLOR_BTNFACE)), m_crFont(::GetSysColor(COLOR_BTNTEXT)),
      m_nMargin(margin) {}

void CSkinDropBase::Unload() {
    HideWindow();
}

void CSkinDropBase::Update() {
    UpdateFromComponent();
}

void CSkinDropBase::ReadComponent(const CAttributeIndex& attributes) {
    LOGFONTW font;
    ReadLabel(attributes, font);
    m_pFont = m_pRepository->GetFont(&font);
    ReadPopup(attributes);
    MoveWindow(&m_rcPosition, TRUE);
    SetLabel(m_strLabel); // the box follows the new font and flags
    SetDropLabel(m_strDropLabel);
}

void CSkinDropBase::ReadLabel(const CAttributeIndex& attributes, LOGFONTW& font) {
    bool visible = false;
    RECT position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeBool(attributes, u"dropdown", m_bDropDown);
    GetAttributeBool(attributes, u"dropright", m_bDropRight);
    font = ReadSkinFont(attributes, kWeightWhenBold, kWeightOtherwise);
    GetAttributeDWord(attributes, u"font_color", m_crFont);
    GetAttributeBool(attributes, u"transparent", m_bTransparent);
    GetAttributeDWord(attributes, u"background_color", m_crBackground);
    GetAttributeRect(attributes, u"position", position);
    m_rcPosition = position;
    ShowWindow(visible ? SW_SHOW : SW_HIDE);
}

// ---- Geometry ---------------------------------------------------------------------------------

void CSkinDropBase::SetLabel(const CString& text) {
    m_strLabel = text;
    CRect r;
    if (m_hWnd) GetClientRect(&r);
    CSize e = TextExtent(text);
    CRect box;
    if (m_bDropRight) {
        box.left = r.left;
        box.right = std::min<LONG>(r.left + e.cx + kBoxExtraWidth, r.right);
    } else {
        box.right = r.right;
        box.left = std::max<LONG>(r.right - e.cx - kBoxExtraWidth, r.left);
    }
    if (m_bDropDown) {
        box.top = r.top;
        box.bottom = std::min<LONG>(r.top + e.cy + m_nMargin, r.bottom);
    } else {
        box.bottom = r.bottom;
        box.top = std::max<LONG>(r.bottom - e.cy - m_nMargin, r.top);
    }
    m_rcLabel = box;
}

void CSkinDropBase::SetDropLabel(const CString& text) {
    m_strDropLabel = text;
}

void CSkinDropBase::SetDropMode(bool dropDown, bool dropRight) {
    m_bDropDown = dropDown;
    m_bDropRight = dropRight;
    SetLabel(m_strLabel);
}

CSize CSkinDropBase::TextExtent(const CString& text) const {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ previous = m_pFont ? ::SelectObject(dc, m_pFont->m_hObject) : nullptr;
    SIZE size{};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &size);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    return size;
}

// Rows count from the control's top: m is half the box's height, so the triangle sits in the
// box's middle when the box is at the top, as it is when the popup drops down.
CRect CSkinDropBase::TriangleRect() const {
    CRect r;
    if (m_hWnd) GetClientRect(&r);
    int x0 = m_bDropRight ? TextExtent(ShownText()).cx + kTextIndent : r.right - kTriangleColumn;
    int m = m_rcLabel.Height() / 2;
    int top = m_bDropDown ? m - 2 : m - 1;
    return CRect(x0 + 2, top, x0 + 10, top + 4);
}

// ---- Painting ---------------------------------------------------------------------------------

BOOL CSkinDropBase::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    if (m_bTransparent)
        PaintBehind(this, dc);
    else
        dc->FillSolidRect(&client, m_crBackground);
    return TRUE;
}

void CSkinDropBase::OnPaint() {
    CPaintDC dc(this);
    CRect r, box = m_rcLabel;
    GetClientRect(&r);
    CSkinTextStyle style(&dc, m_pFont, m_crFont);
    CRect text = m_bDropRight ? CRect(box.left + kTextIndent, box.top, r.right, box.bottom)
                              : CRect(r.left, box.top, box.right - kTriangleColumn, box.bottom);
    dc.DrawText(ShownText(), &text,
                (m_bDropRight ? DT_LEFT : DT_RIGHT) | DT_VCENTER | DT_SINGLELINE);
    DrawTriangle(&dc);
    if (m_bPressed && m_bInside) {
        CBrush frame(m_crFont);
        dc.FrameRect(&box, &frame);
    }
}

// Four lines, each one pixel shorter at both ends than the last, towards the point: down when
// the popup opens downwards, up otherwise.
void CSkinDropBase::DrawTriangle(CDC* dc) const {
    CRect t = TriangleRect();
    CPen pen(PS_SOLID, 1, m_crFont);
    CPen* previous = dc->SelectObject(&pen);
    for (int i = 0; i < 4; ++i) {
        int y = m_bDropDown ? t.top + i : t.bottom - 1 - i;
        dc->MoveTo(t.left + i, y);
        dc->LineTo(t.right - i, y);
    }
    dc->SelectObject(previous);
}

// ---- Input ------------------------------------------------------------------------------------

void CSkinDropBase::OnLButtonDown(UINT, CPoint point) {
    if (!LabelBox().PtInRect(point)) return;
    m_bPressed = m_bInside = true;
    Invalidate(TRUE);
    SetCapture();
}

void CSkinDropBase::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinDropBase::OnMouseMove(UINT, CPoint point) {
    if (!m_bPressed) return;
    bool inside = LabelBox().PtInRect(point);
    if (inside == m_bInside) return;
    m_bInside = inside;
    Invalidate(TRUE);
}

void CSkinDropBase::OnLButtonUp(UINT, CPoint point) {
    if (!m_bPressed) return;
    ::ReleaseCapture();
    m_bPressed = false;
    // A pen may lift somewhere else without moving there first: where it lifts decides.
    m_bInside = LabelBox().PtInRect(point);
    if (m_bInside) DropDown(true);
    m_bInside = false;
    Invalidate(TRUE);
}
