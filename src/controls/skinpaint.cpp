#include "controls/skinpaint.h"

#include "bitmap/paintparent.h"
#include "controls/skinwindow.h"
#include "platform/base/wcsrt.h"
#include "skindesc/skinvalues.h"

void PaintBehind(CWnd* control, CDC* dc) {
    CRect client;
    control->GetClientRect(&client);
    // A permanent CSkinWindow object answers the run-time class test; any other parent (or a
    // temporary wrapper of one) gets what the screen shows.
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(control->m_hWnd));
    if (auto* window = DYNAMIC_DOWNCAST(CSkinWindow, parent))
        window->PaintWindowArea(control, dc, &client);
    else
        PaintParentBackground(control, dc);
}

// The image's bitmap never leaves this object, so it is kept by handle: no framework wrapper
// is made for it or for the context's first bitmap, on a path every control paint takes.
CSkinOffscreen::CSkinOffscreen(CDC* target, int width, int height) {
    m_dc.CreateCompatibleDC(target);
    m_hBitmap = ::CreateCompatibleBitmap(target ? target->m_hDC : nullptr, width, height);
    if (m_hBitmap && m_dc.m_hDC) m_hPrevious = ::SelectObject(m_dc.m_hDC, m_hBitmap);
}

CSkinOffscreen::~CSkinOffscreen() {
    if (m_hPrevious) ::SelectObject(m_dc.m_hDC, m_hPrevious);
    if (m_hBitmap) ::DeleteObject(m_hBitmap);
    m_dc.DeleteDC();
}

void CSkinOffscreen::CopyTo(CDC* target, int width, int height) {
    target->BitBlt(0, 0, width, height, &m_dc, 0, 0, SRCCOPY);
}

CSkinBitmapDC::CSkinBitmapDC(CDC* target, HBITMAP bitmap) {
    m_dc.Attach(::CreateCompatibleDC(target ? target->m_hDC : nullptr));
    if (bitmap) m_hPrevious = ::SelectObject(m_dc.m_hDC, bitmap);
}

CSkinBitmapDC::~CSkinBitmapDC() {
    // The bitmap belongs to the repository's cache: deselect it, never delete it.
    if (m_hPrevious) ::SelectObject(m_dc.m_hDC, m_hPrevious);
    m_dc.DeleteDC();
}

CSkinTextStyle::CSkinTextStyle(CDC* dc, CFont* font, COLORREF colour) : m_pDC(dc) {
    m_clrPrevious = dc->SetTextColor(colour);
    if (font) m_pPreviousFont = dc->SelectObject(font);
    m_nPreviousMode = dc->SetBkMode(TRANSPARENT);
}

CSkinTextStyle::~CSkinTextStyle() {
    m_pDC->SetBkMode(m_nPreviousMode);
    if (m_pPreviousFont) m_pDC->SelectObject(m_pPreviousFont);
    m_pDC->SetTextColor(m_clrPrevious);
}

LOGFONTW ReadSkinFont(const CAttributeIndex& attributes, LONG boldWeight, LONG otherWeight) {
    CString face;
    LONG size = 0;
    bool bold = false, italic = false;
    GetAttributeString(attributes, u"font_name", face);
    GetAttributeLong(attributes, u"font_size", size);
    GetAttributeBool(attributes, u"font_bold", bold);
    GetAttributeBool(attributes, u"font_italic", italic);
    LOGFONTW font{};
    font.lfHeight = -size;
    font.lfWeight = bold ? boldWeight : otherWeight;
    font.lfItalic = italic ? 1 : 0;
    // The description holds 31 characters and a terminator: a longer face name is cut, and
    // the font system then picks the nearest face it has.
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

void PostCommand(CWnd* control, WORD code) {
    ::PostMessage(::GetParent(control->m_hWnd), WM_COMMAND,
                  MAKEWPARAM(control->GetDlgCtrlID(), code),
                  reinterpret_cast<LPARAM>(control->m_hWnd));
}

void SendCommand(CWnd* control, WORD code) {
    ::SendMessage(::GetParent(control->m_hWnd), WM_COMMAND,
                  MAKEWPARAM(control->GetDlgCtrlID(), code),
                  reinterpret_cast<LPARAM>(control->m_hWnd));
}

CSize BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap) ::GetObject(bitmap, sizeof info, &info);
    return CSize(info.bmWidth, info.bmHeight);
}

SkinHit HitTestBitmap(HBITMAP bitmap, POINT point, COLORREF transparent) {
    CSkinBitmapDC image(nullptr, bitmap);
    COLORREF pixel = bitmap ? image.DC()->GetPixel(point) : CLR_INVALID;
    if (pixel == CLR_INVALID) return SkinHit::Unreadable;
    return pixel == transparent ? SkinHit::Transparent : SkinHit::Opaque;
}
