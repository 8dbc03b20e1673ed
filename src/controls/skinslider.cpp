#include "controls/skinslider.h"

#include "bitmap/drawtransparent.h"
#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSkinSlider, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinSlider, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CSkinSlider::~CSkinSlider() {
    Unload();
}

void CSkinSlider::Unload() {
    HideWindow();
}

void CSkinSlider::Update() {
    UpdateFromComponent();
}

void CSkinSlider::ReadComponent(const CAttributeIndex& attributes) {
    bool visible = false;
    CString bkgndFile, thumbFile;
    DWORD margin = 0, tickType = 0, tickFreq = 0;
    POINT position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeBool(attributes, u"bkgnd_display", m_bBkgndDisplay);
    GetAttributeString(attributes, u"bkgnd_filename", bkgndFile);
    GetAttributeBool(attributes, u"bkgnd_transparent", m_bBkgndTransparent);
    GetAttributeDWord(attributes, u"bkgnd_transparent_color", m_clrBkgndTransparent);
    GetAttributeString(attributes, u"thumb_filename", thumbFile);
    GetAttributeDWord(attributes, u"thumb_transparent_color", m_clrThumbTransparent);
    GetAttributeDWord(attributes, u"thumb_margin", margin);
    GetAttributeDWord(attributes, u"tick_freq_type", tickType);
    GetAttributeDWord(attributes, u"tick_freq", tickFreq);
    GetAttributePoint(attributes, u"position", position);
    m_nThumbMargin = LONG(margin);

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    m_hBkgnd = m_pRepository->GetBitmap(m_strSection, bkgndFile, true);
    m_hThumb = m_pRepository->GetBitmap(m_strSection, thumbFile, true);
    CSize size = BitmapSize(m_hBkgnd);
    m_rectWindow = CRect(CPoint(position), size);
    LayOut(tickType, tickFreq);
    MoveWindow(&m_rectWindow, TRUE);
}

void CSkinSlider::LayOut(DWORD tickType, DWORD tickFreq) {
    const int W = m_rectWindow.Width(), H = m_rectWindow.Height();
    CSize thumb = BitmapSize(m_hThumb);
    const int d = (H - thumb.cy) / 2;
    m_rectTrack = CRect(m_nThumbMargin, d, W - m_nThumbMargin, H - d);
    // The thumb starts at the left end of the track at every Update.
    m_rectThumb = CRect(m_rectTrack.left, m_rectTrack.top, m_rectTrack.left + thumb.cx / 2,
                        m_rectTrack.top + thumb.cy);
    if (tickType == 1) {
        m_nTickStep = tickFreq;
    } else {
        DWORD percent = std::clamp<DWORD>(tickFreq, 5, 20); // unsigned: negatives give 20
        m_nTickStep = DWORD(W) * percent / 100;
    }
}

BOOL CSkinSlider::OnEraseBkgnd(CDC*) {
    return TRUE;
} // painting covers the control

void CSkinSlider::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CSkinOffscreen image(&dc, client.Width(), client.Height());
    PaintBackground(image.DC(), &dc, client);
    if (m_hThumb) {
        CSkinBitmapDC thumb(&dc, m_hThumb);
        DrawTransparent(image.DC(), m_rectThumb.left, m_rectThumb.top, m_rectThumb.Width(),
                        m_rectThumb.Height(), thumb.DC(), m_bDragging ? m_rectThumb.Width() : 0, 0,
                        m_clrThumbTransparent);
    }
    image.CopyTo(&dc, client.Width(), client.Height());
}

void CSkinSlider::PaintBackground(CDC* image, CDC* compatible, const CRect& client) {
    if (!m_bBkgndDisplay || !m_hBkgnd) {
        // Without a background to show, the thumb sits on what lies behind the control.
        PaintBehind(this, image);
        return;
    }
    CSkinBitmapDC bkgnd(compatible, m_hBkgnd);
    if (!m_bBkgndTransparent) {
        image->BitBlt(0, 0, client.Width(), client.Height(), bkgnd.DC(), 0, 0, SRCCOPY);
        return;
    }
    PaintBehind(this, image);
    DrawTransparent(image, 0, 0, client.Width(), client.Height(), bkgnd.DC(), 0, 0,
                    m_clrBkgndTransparent);
}

void CSkinSlider::OnLButtonDown(UINT, CPoint point) {
    if (m_rectThumb.PtInRect(point)) {
        m_bDragging = true;
        m_ptAnchor = point;
        SetCapture();
        Invalidate(TRUE); // the thumb shows its dragged frame
        return;
    }
    if (!m_rectTrack.PtInRect(point)) return;
    MoveThumb(point.x > m_rectThumb.left ? int(m_nTickStep) : -int(m_nTickStep));
    Notify(kStepped);
    Invalidate(TRUE);
    UpdateWindow(); // a tap repaints at once
}

// A double click is two presses: two steps, or a drag that starts again.
void CSkinSlider::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinSlider::MoveThumb(int dx) {
    m_rectThumb.OffsetRect(dx, 0);
    if (m_rectThumb.right > m_rectTrack.right)
        m_rectThumb.OffsetRect(m_rectTrack.right - m_rectThumb.right, 0);
    if (m_rectThumb.left < m_rectTrack.left)
        m_rectThumb.OffsetRect(m_rectTrack.left - m_rectThumb.left, 0);
}

void CSkinSlider::OnMouseMove(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (!m_bDragging || !client.PtInRect(point)) return;
    const int x = point.x, anchor = m_ptAnchor.x;
    if (x > anchor && m_rectThumb.right < m_rectTrack.right) {
        MoveThumb(x - anchor);
        m_ptAnchor.x = std::min<int>(x, m_rectTrack.right);
        Invalidate(TRUE);
    } else if (x < anchor && m_rectThumb.left > m_rectTrack.left) {
        MoveThumb(x - anchor);
        m_ptAnchor.x = std::max<int>(x, m_rectTrack.left);
        Invalidate(TRUE);
    }
    // At an end, the thumb and the anchor stay until the pointer passes the anchor again.
    Notify(kDragged);
}

void CSkinSlider::OnLButtonUp(UINT, CPoint) {
    if (m_bDragging) Notify(kReleased);
    m_bDragging = false;
    ::ReleaseCapture();
    Invalidate(TRUE);
    UpdateWindow();
}

void CSkinSlider::SetCmdParent(CWnd* window) {
    if (window) m_pCmdParent = window;
}

void CSkinSlider::Notify(WPARAM code) {
    // The parent becomes the command window at the first notification. Only a permanent
    // framework object is kept: a temporary wrapper is freed at idle, so a parent without one
    // is reached through its handle each time.
    HWND parent = ::GetParent(m_hWnd);
    if (!m_pCmdParent) m_pCmdParent = CWnd::FromHandlePermanent(parent);
    ::PostMessage(m_pCmdParent ? m_pCmdParent->m_hWnd : parent, m_nMessageID, code, 0);
}

void CSkinSlider::SetRange(DWORD minimum, DWORD maximum) {
    m_nMin = minimum;
    m_nMax = maximum;
}

DWORD CSkinSlider::Travel() const {
    int travel = m_rectTrack.Width() - m_rectThumb.Width();
    return travel > 0 ? DWORD(travel) : 0;
}

// The mapping is in unsigned 32-bit arithmetic with truncating division, as the slider has
// always computed it: GetPos after SetPos(p) can give less than p. With no travel or an empty
// range, the thumb sits at the left end and the position is the minimum.
DWORD CSkinSlider::GetPos() const {
    const DWORD travel = Travel();
    if (travel == 0) return m_nMin;
    return m_nMin + DWORD(m_rectThumb.left - m_rectTrack.left) * (m_nMax - m_nMin) / travel;
}

void CSkinSlider::SetPos(DWORD pos) {
    if (pos < m_nMin || pos > m_nMax) return;
    const DWORD range = m_nMax - m_nMin;
    const int left =
        range == 0 ? m_rectTrack.left : m_rectTrack.left + int(Travel() * (pos - m_nMin) / range);
    m_rectThumb.OffsetRect(left - m_rectThumb.left, 0);
    Invalidate(TRUE);
}
