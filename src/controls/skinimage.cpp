#include "controls/skinimage.h"

#include "bitmap/drawtransparent.h"
#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinImage, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinImage, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CSkinImage::~CSkinImage() {
    Unload();
}

void CSkinImage::Unload() {
    m_hBitmap = nullptr; // until the next Update, the control paints nothing
    HideWindow();
}

void CSkinImage::Update() {
    UpdateFromComponent();
}

void CSkinImage::ReadComponent(const CAttributeIndex& attributes) {
    bool visible = false;
    CString imageFile;
    POINT position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeString(attributes, u"image_filename", imageFile);
    GetAttributeDWord(attributes, u"image_count", m_nImageCount);
    GetAttributeBool(attributes, u"transparent", m_bTransparent);
    GetAttributeDWord(attributes, u"transparent_color", m_clrTransparent);
    GetAttributePoint(attributes, u"position", position);

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    m_hBitmap = m_pRepository->GetBitmap(m_strSection, imageFile, true);
    CSize size = BitmapSize(m_hBitmap);
    m_nBitmapWidth = DWORD(size.cx);
    m_nBitmapHeight = DWORD(size.cy);
    if (!m_hBitmap)
        m_nCurrentImage = kNoImage;
    else if (m_nCurrentImage == kNoImage && m_nImageCount != 0)
        m_nCurrentImage = 0; // an image chosen earlier is kept, even beyond the new strip
    m_rectWindow = CRect(position.x, position.y, position.x + int(FrameWidth()),
                         position.y + int(m_nBitmapHeight));
    MoveWindow(&m_rectWindow, TRUE);
}

bool CSkinImage::SetImage(DWORD index) {
    if (index >= m_nImageCount) return false;
    m_nCurrentImage = index;
    Invalidate(TRUE);
    return true;
}

DWORD CSkinImage::FrameX() const {
    const DWORD w = FrameWidth();
    DWORD end = (m_nCurrentImage + 1) * w;
    // Beyond the strip, and "no image" (which an "image_count" of 0 keeps), show frame 0.
    if (end > m_nBitmapWidth || end < w) end = w;
    return end - w;
}

BOOL CSkinImage::OnEraseBkgnd(CDC* dc) {
    if (!m_hBitmap) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, RGB(255, 255, 255));
    }
    return TRUE;
}

void CSkinImage::OnPaint() {
    CPaintDC dc(this);
    if (!m_hBitmap) return;
    const int w = int(FrameWidth()), h = int(m_nBitmapHeight), x = int(FrameX());
    CSkinBitmapDC strip(&dc, m_hBitmap);
    if (!m_bTransparent) {
        dc.BitBlt(0, 0, w, h, strip.DC(), x, 0, SRCCOPY);
        return;
    }
    CRect client;
    GetClientRect(&client);
    CSkinOffscreen image(&dc, client.Width(), client.Height());
    PaintBehind(this, image.DC());
    DrawTransparent(image.DC(), 0, 0, w, h, strip.DC(), x, 0, m_clrTransparent);
    image.CopyTo(&dc, w, h);
}

bool CSkinImage::Hits(CPoint point) const {
    return !m_bTransparent || HitTestBitmap(m_hBitmap, point, m_clrTransparent) == SkinHit::Opaque;
}

void CSkinImage::OnLButtonDown(UINT, CPoint point) {
    if (!Hits(point)) return;
    m_bPressed = true;
    SetCapture();
}

// A double click is two taps.
void CSkinImage::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinImage::OnLButtonUp(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        if (m_bTransparent) {
            SkinHit hit = HitTestBitmap(m_hBitmap, point, m_clrTransparent);
            if (hit == SkinHit::Unreadable) return; // nothing changes
            if (hit == SkinHit::Transparent) {
                ::ReleaseCapture();
                m_bPressed = false;
                return;
            }
        }
        if (m_bPressed) PostCommand(this, 0);
    }
    ::ReleaseCapture();
    m_bPressed = false;
}
