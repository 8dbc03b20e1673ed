#include "controls/skincheckbox.h"

#include "bitmap/drawtransparent.h"
#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinCheckBox, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinCheckBox, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

// Check box captions: "font_bold" true is the lighter weight.
constexpr LONG kWeightWhenBold = 400, kWeightOtherwise = 700;

} // namespace

CSkinCheckBox::~CSkinCheckBox() {
    Unload();
}

void CSkinCheckBox::Unload() {
    HideWindow();
}

void CSkinCheckBox::Update() {
    UpdateFromComponent();
}

void CSkinCheckBox::ReadComponent(const CAttributeIndex& attributes) {
    bool visible = false;
    CString imageFile;
    RECT textRect{}, position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeString(attributes, u"image_filename", imageFile);
    LOGFONTW font = ReadSkinFont(attributes, kWeightWhenBold, kWeightOtherwise);
    GetAttributeRect(attributes, u"font_rect", textRect);
    GetAttributeDWord(attributes, u"font_color", m_clrText);
    GetAttributeString(attributes, u"text", m_strText);
    GetAttributeDWord(attributes, u"transparent_color", m_clrTransparent);
    GetAttributeRect(attributes, u"position", position);
    m_rectText = textRect;
    m_rectWindow = position;

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    m_hBitmap = m_pRepository->GetBitmap(m_strSection, imageFile, true);
    CSize size = BitmapSize(m_hBitmap);
    m_nFrameWidth = size.cx / 4;
    m_nBitmapHeight = size.cy;
    m_pFont = m_pRepository->GetFont(&font);
    MoveWindow(&m_rectWindow, TRUE);

    // The caption's rectangle is given relative to the area right of the box.
    CRect client;
    GetClientRect(&client);
    if (m_rectText.right <= 0) m_rectText.right += client.Width();
    if (m_rectText.bottom <= 0) m_rectText.bottom += client.Height();
    m_rectText.left += m_nFrameWidth;
}

void CSkinCheckBox::SetChecked(bool checked) {
    if (checked == m_bChecked) return;
    m_bChecked = checked;
    Invalidate(TRUE);
}

void CSkinCheckBox::SetText(const CString& text) {
    m_strText = text;
    Invalidate(TRUE);
}

CRect CSkinCheckBox::BoxRect() const {
    CRect client;
    GetClientRect(&client);
    int top = (client.Height() - m_nBitmapHeight) / 2;
    return CRect(0, top, m_nFrameWidth, top + m_nBitmapHeight);
}

void CSkinCheckBox::OnPaint() {
    CPaintDC dc(this);
    CRect client, box = BoxRect();
    GetClientRect(&client);
    {
        CSkinOffscreen image(&dc, client.Width(), client.Height());
        PaintBehind(this, image.DC());
        CSkinBitmapDC strip(&dc, m_hBitmap);
        DrawTransparent(image.DC(), box.left, box.top, box.Width(), box.Height(), strip.DC(),
                        Frame() * m_nFrameWidth, 0, m_clrTransparent);
        image.CopyTo(&dc, client.Width(), client.Height());
    }
    if (m_strText.IsEmpty()) return;
    CSkinTextStyle style(&dc, m_pFont, m_clrText);
    CRect r = m_rectText;
    dc.DrawText(m_strText, &r, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

BOOL CSkinCheckBox::OnEraseBkgnd(CDC*) {
    return TRUE;
} // painting covers the control

// The state changes on the press: no capture, and the release is not looked at.
void CSkinCheckBox::OnLButtonDown(UINT, CPoint) {
    if (!m_bEnabled) return;
    m_bChecked = !m_bChecked;
    Invalidate(TRUE);
    Click();
}

// A double click toggles twice and posts two notifications.
void CSkinCheckBox::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinCheckBox::Click() {
    PostCommand(this, BN_CLICKED);
}

void CSkinCheckBox::OnEnable(BOOL enable) {
    m_bEnabled = enable != 0;
    Invalidate(TRUE);
}
