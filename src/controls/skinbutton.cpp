#include "controls/skinbutton.h"

#include "bitmap/bitmapu.h"
#include "bitmap/drawtransparent.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinButton, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinButton, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

// Button captions: "font_bold" true is the lighter weight.
constexpr LONG kWeightWhenBold = 400, kWeightOtherwise = 700;

UINT AlignmentFormat(DWORD horizontal, DWORD vertical) {
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    format |= horizontal == 0 ? DT_LEFT : horizontal == 1 ? DT_CENTER : DT_RIGHT;
    format |= vertical == 0 ? DT_TOP : vertical == 1 ? DT_VCENTER : DT_BOTTOM;
    return format;
}

} // namespace

CSkinButton::~CSkinButton() {
    Unload();
}

void CSkinButton::Unload() {
    HideWindow();
}

void CSkinButton::Update() {
    UpdateFromComponent();
}

void CSkinButton::ReadComponent(const CAttributeIndex& attributes) {
    bool visible = false;
    CString imageFile, text;
    RECT textRect{};
    POINT position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeString(attributes, u"image_filename", imageFile);
    LOGFONTW font = ReadSkinFont(attributes, kWeightWhenBold, kWeightOtherwise);
    GetAttributeDWord(attributes, u"font_halign", m_nHAlign);
    GetAttributeDWord(attributes, u"font_valign", m_nVAlign);
    GetAttributeRect(attributes, u"font_rect", textRect);
    GetAttributeDWord(attributes, u"font_color", m_clrText);
    GetAttributeString(attributes, u"text", m_strText);
    GetAttributeBool(attributes, u"transparent", m_bTransparent);
    GetAttributeBool(attributes, u"region", m_bRegion);
    GetAttributeDWord(attributes, u"transparent_color", m_clrTransparent);
    GetAttributeBool(attributes, u"toggle", m_bToggle);
    GetAttributePoint(attributes, u"position", position);
    m_rectText = textRect;

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    m_hBitmap = m_pRepository->GetBitmap(m_strSection, imageFile, true);
    CSize size = BitmapSize(m_hBitmap);
    m_nBitmapWidth = DWORD(size.cx);
    m_nBitmapHeight = DWORD(size.cy);
    m_pFont = m_pRepository->GetFont(&font);

    m_rectWindow =
        CRect(position.x, position.y, position.x + FrameWidth(), position.y + int(m_nBitmapHeight));
    MoveWindow(&m_rectWindow, TRUE);
    HRGN region = nullptr;
    if (m_bTransparent && m_bRegion)
        region = CBitmapU::GetBitmapRegionEx(m_hBitmap, 4, 0, m_clrTransparent, 0x101010, nullptr);
    SetWindowRgn(region, visible); // the window system owns the region from here

    // A negative right or bottom edge counts from the client's right or bottom.
    CRect client;
    GetClientRect(&client);
    if (m_rectText.right < 0) m_rectText.right += client.Width();
    if (m_rectText.bottom < 0) m_rectText.bottom += client.Height();
}

void CSkinButton::SetText(const CString& text) {
    m_strText = text;
    Invalidate(TRUE);
}

int CSkinButton::Frame() const {
    if (!m_bEnabled) return 2;
    if (m_bDown || (m_bPressed && m_bTracking)) return 1;
    if (m_bPressed) return 3;
    return 0;
}

void CSkinButton::OnPaint() {
    CPaintDC dc(this);
    const int w = FrameWidth(), h = int(m_nBitmapHeight), sourceX = Frame() * w;
    CSkinBitmapDC strip(&dc, m_hBitmap);
    if (m_bTransparent && !m_bRegion) {
        CRect client;
        GetClientRect(&client);
        CSkinOffscreen image(&dc, client.Width(), client.Height());
        PaintBehind(this, image.DC());
        DrawTransparent(image.DC(), 0, 0, w, h, strip.DC(), sourceX, 0, m_clrTransparent);
        image.CopyTo(&dc, w, h);
    } else {
        dc.BitBlt(0, 0, w, h, strip.DC(), sourceX, 0, SRCCOPY);
    }
    DrawCaption(&dc);
}

void CSkinButton::DrawCaption(CDC* dc) {
    if (m_strText.IsEmpty()) return;
    CSkinTextStyle style(dc, m_pFont, m_clrText);
    CRect r = m_rectText; // DrawText clips to it: an empty rectangle shows no caption
    dc->DrawText(m_strText, &r, AlignmentFormat(m_nHAlign, m_nVAlign));
}

BOOL CSkinButton::OnEraseBkgnd(CDC*) {
    return TRUE;
} // painting covers the frame

bool CSkinButton::InClient(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    return client.PtInRect(point);
}

SkinHit CSkinButton::HitTest(CPoint point) const {
    if (!m_bTransparent || m_bRegion) return SkinHit::Opaque;
    return HitTestBitmap(m_hBitmap, point, m_clrTransparent); // frame 0, whatever is shown
}

void CSkinButton::OnLButtonDown(UINT, CPoint point) {
    if (!m_bEnabled || HitTest(point) != SkinHit::Opaque) return;
    m_bPressed = m_bTracking = true;
    SetCapture();
    Invalidate(TRUE);
}

// The second press of a double click is an ordinary press: a double click is two clicks.
void CSkinButton::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinButton::OnMouseMove(UINT, CPoint point) {
    if (!m_bEnabled || !m_bTracking) return;
    SkinHit hit = InClient(point) ? HitTest(point) : SkinHit::Transparent;
    if (hit == SkinHit::Unreadable) return;
    if (hit == SkinHit::Transparent) {
        if (m_bPressed) {
            m_bPressed = false;
            Invalidate(TRUE);
        }
        return;
    }
    if (::GetCapture() != m_hWnd) return; // another window took the pointer
    if (!m_bPressed) {
        m_bPressed = true;
        Invalidate(TRUE);
    }
}

void CSkinButton::OnLButtonUp(UINT, CPoint point) {
    if (!m_bEnabled) {
        m_bPressed = m_bTracking = false;
        return;
    }
    if (!m_bTracking) return;
    // Released off the button: no click, and the pressed flag stays as the last move left it.
    if (!InClient(point)) return StopTracking();
    switch (HitTest(point)) {
    case SkinHit::Unreadable:
        return; // tracking goes on
    case SkinHit::Transparent:
        return StopTracking();
    case SkinHit::Opaque:
        break;
    }
    if (!m_bToggle) {
        Click();
    } else if (!m_bDown) {
        Click();
        m_bDown = true; // only Toggle(false) brings it up again
    }
    m_bPressed = false;
    Invalidate(TRUE);
    StopTracking();
}

void CSkinButton::StopTracking() {
    ::ReleaseCapture();
    m_bTracking = false;
}

void CSkinButton::Click() {
    PostCommand(this, BN_CLICKED);
}

void CSkinButton::Toggle(bool down) {
    if (!m_bToggle || down == m_bDown) return;
    m_bDown = down;
    Invalidate(TRUE);
}

// The button has no keyboard activation; it takes key presses so they go no further.
void CSkinButton::OnKeyDown(UINT, UINT, UINT) {}
void CSkinButton::OnKeyUp(UINT, UINT, UINT) {}

void CSkinButton::OnEnable(BOOL enable) {
    m_bEnabled = enable != 0;
    Invalidate(TRUE);
}
