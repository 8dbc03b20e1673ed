#include "controls/skinstatic.h"

#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinStatic, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinStatic, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

// Static text: "font_bold" true is the heavier weight, unlike the buttons.
constexpr LONG kWeightWhenBold = 700, kWeightOtherwise = 400;
constexpr LPCWSTR kBreak = u"\\n"; // the two characters a description writes for a line break

// Replaces every occurrence of from by to until none is left.
void ReplaceAll(CString& text, LPCWSTR from, LPCWSTR to) {
    while (text.Find(from) >= 0)
        text.Replace(from, to);
}

} // namespace

CSkinStatic::~CSkinStatic() {
    Unload();
}

void CSkinStatic::Unload() {
    HideWindow();
}

void CSkinStatic::Update() {
    UpdateFromComponent();
}

void CSkinStatic::ReadComponent(const CAttributeIndex& attributes) {
    bool visible = false;
    RECT position{};
    GetAttributeBool(attributes, u"visible", visible);
    LOGFONTW font = ReadSkinFont(attributes, kWeightWhenBold, kWeightOtherwise);
    GetAttributeDWord(attributes, u"font_color", m_clrText);
    GetAttributeBool(attributes, u"wordwrap", m_bWordWrap);
    GetAttributeString(attributes, u"text", m_strText); // as written: no conversion
    GetAttributeBool(attributes, u"transparent", m_bTransparent);
    GetAttributeDWord(attributes, u"background_color", m_clrBackground);
    GetAttributeRect(attributes, u"position", position);
    m_rectWindow = position;

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    m_pFont = m_pRepository->GetFont(&font);
    MoveWindow(&m_rectWindow, TRUE);
}

void CSkinStatic::SetText(const CString& text) {
    m_strText = text;
    if (m_bWordWrap) {
        ReplaceAll(m_strText, kBreak, u"\n");
    } else {
        ReplaceAll(m_strText, kBreak, u" ");
        ReplaceAll(m_strText, u"\n", u" ");
    }
    Invalidate(TRUE);
}

BOOL CSkinStatic::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    if (m_bTransparent)
        PaintBehind(this, dc);
    else
        dc->FillSolidRect(&client, m_clrBackground);
    return TRUE;
}

void CSkinStatic::OnPaint() {
    CPaintDC dc(this);
    if (m_strText.IsEmpty()) return;
    CRect r;
    GetClientRect(&r);
    CSkinTextStyle style(&dc, m_pFont, m_clrText);
    if (m_bWordWrap)
        DrawWrapped(&dc, r);
    else
        dc.DrawText(m_strText, &r, DT_SINGLELINE | DT_NOPREFIX);
}

void CSkinStatic::DrawWrapped(CDC* dc, CRect r) {
    const UINT format = DT_WORDBREAK | DT_NOPREFIX;
    CString s = m_strText;
    for (int i = s.Find(kBreak); i >= 0; i = s.Find(kBreak)) {
        // An empty piece still takes a line: it is drawn as one space.
        int height = i == 0 ? dc->DrawText(u" ", 1, &r, format) : dc->DrawText(s, i, &r, format);
        r.top += height;
        s = s.Mid(i + 2);
    }
    dc->DrawText(s, &r, format);
}

void CSkinStatic::OnLButtonDown(UINT, CPoint point) {
    m_bPressed = true;
    m_rectClick = CRect(point.x - 5, point.y - 5, point.x + 5, point.y + 5);
    SetCapture();
}

// There is no double-click handler: the second press of a double click is no press.
void CSkinStatic::OnLButtonUp(UINT, CPoint point) {
    ::ReleaseCapture();
    if (!m_bPressed) return;
    m_bPressed = false;
    if (m_rectClick.PtInRect(point)) SendCommand(this, STN_CLICKED);
}
