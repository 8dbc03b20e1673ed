#include "controls/skinwindow.h"

#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinWindow, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinWindow, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

namespace {

enum ImageType : DWORD { kNatural = 0, kStretched = 1, kTiled = 2 };

} // namespace

CSkinWindow::~CSkinWindow() {
    Unload();
    m_dcBack.DeleteDC();
}

void CSkinWindow::Unload() {
    if (m_dcBack.m_hDC && m_hPrevBitmap) {
        ::SelectObject(m_dcBack.m_hDC, m_hPrevBitmap);
        m_hPrevBitmap = nullptr;
    }
    if (m_hBackBitmap) {
        ::DeleteObject(m_hBackBitmap);
        m_hBackBitmap = nullptr;
    }
    HideWindow();
}

void CSkinWindow::Update() {
    Unload();
    if (!m_pRepository) {
        Invalidate(TRUE);
        return;
    }
    const tagCOMPONENT* component = m_pRepository->GetComponent(m_strSection, m_nComponentID);
    if (!component) return;

    const CPtrList& attributes = component->attributes;
    bool visible = false;
    DWORD imageType = kNatural;
    CString imageFile;
    RECT position{};
    GetAttributeBool(attributes, u"visible", visible);
    GetAttributeBool(attributes, u"image_display", m_bImageDisplay);
    GetAttributeDWord(attributes, u"image_type", imageType);
    GetAttributeString(attributes, u"image_filename", imageFile);
    GetAttributeDWord(attributes, u"background_color", m_clrBackground);
    GetAttributeRect(attributes, u"position", position);
    m_rectPosition = position;

    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    if (m_bImageDisplay) {
        if (HBITMAP image = m_pRepository->GetBitmap(m_strSection, imageFile, true))
            PrepareBackBuffer(image, imageType);
        else
            m_bImageDisplay = false; // fall back to the plain colour
    }
    MoveWindow(m_rectPosition.left, m_rectPosition.top, Width(), Height(), TRUE);
    Invalidate(TRUE);
}

void CSkinWindow::PrepareBackBuffer(HBITMAP image, DWORD imageType) {
    CPaintDC paint(this);
    CBitmap source;
    source.Attach(image);
    BITMAP info{};
    source.GetBitmap(&info);
    m_nImageWidth = info.bmWidth;
    m_nImageHeight = info.bmHeight;
    CDC imageDC;
    imageDC.CreateCompatibleDC(&paint);
    CBitmap* previousImage = imageDC.SelectObject(&source);

    const int w = Width(), h = Height();
    // A 24-bit image (as skins are) is converted to the screen's format once, here: every paint
    // of the window and of each control over it then copies the back buffer without converting
    // a pixel. The screen keeps every 24-bit colour exactly, so nothing shows differently;
    // other formats keep their own, so that the background colour is rounded as they round it.
    m_hBackBitmap = info.bmBitsPixel == 24
                        ? ::CreateCompatibleBitmap(paint.m_hDC, w, h)
                        : ::CreateBitmap(w, h, info.bmPlanes, info.bmBitsPixel, nullptr);
    if (!m_dcBack.m_hDC) m_dcBack.Attach(::CreateCompatibleDC(paint.m_hDC));
    if (m_hBackBitmap)
        m_hPrevBitmap = static_cast<HBITMAP>(::SelectObject(m_dcBack.m_hDC, m_hBackBitmap));

    switch (imageType) {
    case kNatural:
        m_dcBack.FillSolidRect(0, 0, w, h, m_clrBackground);
        m_dcBack.BitBlt(0, 0, m_nImageWidth, m_nImageHeight, &imageDC, 0, 0, SRCCOPY);
        break;
    case kStretched:
        m_dcBack.StretchBlt(0, 0, w, h, &imageDC, 0, 0, m_nImageWidth, m_nImageHeight, SRCCOPY);
        break;
    case kTiled:
        if (m_nImageWidth <= 0 || m_nImageHeight <= 0) break;
        for (int y = 0; y < h; y += m_nImageHeight)
            for (int x = 0; x < w; x += m_nImageWidth)
                m_dcBack.BitBlt(x, y, m_nImageWidth, m_nImageHeight, &imageDC, 0, 0, SRCCOPY);
        break;
    default: // nothing is drawn
        break;
    }

    imageDC.SelectObject(previousImage);
    source.Detach(); // the repository owns the image
}

void CSkinWindow::PaintWindowArea(CWnd* child, CDC* dc, CRect* rect) {
    if (!child || !dc || !rect) return;
    if (m_bImageDisplay) {
        CRect area = *rect;
        child->ClientToScreen(&area);
        ScreenToClient(&area);
        dc->BitBlt(rect->left, rect->top, rect->Width(), rect->Height(), &m_dcBack, area.left,
                   area.top, SRCCOPY);
        return;
    }
    // Through a temporary bitmap of the area, filled whole and copied in one piece.
    CDC fillDC;
    fillDC.CreateCompatibleDC(dc);
    CBitmap fill;
    fill.CreateCompatibleBitmap(dc, rect->Width(), rect->Height());
    CBitmap* previous = fillDC.SelectObject(&fill);
    fillDC.FillSolidRect(0, 0, rect->Width(), rect->Height(), m_clrBackground);
    dc->BitBlt(rect->left, rect->top, rect->Width(), rect->Height(), &fillDC, 0, 0, SRCCOPY);
    fillDC.SelectObject(previous);
}

void CSkinWindow::OnPaint() {
    CPaintDC dc(this);
    if (m_bImageDisplay)
        dc.BitBlt(0, 0, Width(), Height(), &m_dcBack, 0, 0, SRCCOPY);
    else
        dc.FillSolidRect(0, 0, Width(), Height(), m_clrBackground);
}

BOOL CSkinWindow::OnEraseBkgnd(CDC*) {
    return TRUE;
} // OnPaint covers the window

void CSkinWindow::OnLButtonDown(UINT, CPoint point) {
    m_bPressed = true;
    m_rectClick = CRect(point.x - 5, point.y - 5, point.x + 5, point.y + 5);
    SetCapture();
}

void CSkinWindow::OnLButtonUp(UINT, CPoint point) {
    ::ReleaseCapture();
    if (!m_bPressed) return;
    m_bPressed = false;
    if (m_rectClick.PtInRect(point))
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0),
                      reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CSkinWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Button clicks and menu commands of the children go to the application's window.
    if (HIWORD(wParam) == 0) {
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CSkinObject::OnCommand(wParam, lParam);
}

void CSkinWindow::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) {
    ::SendMessage(::GetParent(m_hWnd), WM_HSCROLL, MAKEWPARAM(code & 0xFFFF, pos & 0xFFFF),
                  reinterpret_cast<LPARAM>(scrollBar ? scrollBar->m_hWnd : nullptr));
    Default();
}
