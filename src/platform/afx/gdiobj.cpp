// Graphics-object wrappers and their handle map.
#include "platform/afx/gdiobj.h"

#include "platform/afx/dc.h"
#include "platform/afx/handlemap.h"
#include "platform/base/module.h"
#include "platform/user/winuser.h"

#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

static CHandleMap<CGdiObject>& Map() {
    static auto* map = new CHandleMap<CGdiObject>;
    return *map;
}

// A temporary wrapper of the class that matches the object's kind.
static CGdiObject* MakeWrapper(HGDIOBJ object) {
    CGdiObject* wrapper;
    switch (::GetObjectType(object)) {
    case OBJ_PEN:
        wrapper = new CPen;
        break;
    case OBJ_BRUSH:
        wrapper = new CBrush;
        break;
    case OBJ_FONT:
        wrapper = new CFont;
        break;
    case OBJ_BITMAP:
        wrapper = new CBitmap;
        break;
    case OBJ_REGION:
        wrapper = new CRgn;
        break;
    default:
        wrapper = new CGdiObject;
        break;
    }
    wrapper->m_hObject = object;
    return wrapper;
}

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    return Map().FromHandle(object, [&] { return MakeWrapper(object); });
}

void CGdiObject::DeleteTempMap() {
    Map().DeleteTemp([](CGdiObject* wrapper) { wrapper->m_hObject = nullptr; });
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object || m_hObject) return FALSE;
    m_hObject = object;
    Map().SetPermanent(object, this);
    return TRUE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ object) {
    if (object && m_hObject) ::DeleteObject(object);
    return Attach(object);
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    if (object) Map().RemoveHandle(object, this);
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) {
    return AttachNew(::GetStockObject(index));
}

int CGdiObject::GetObject(int count, LPVOID buffer) const {
    return ::GetObject(m_hObject, count, buffer);
}

UINT CGdiObject::GetObjectType() const {
    return UINT(::GetObjectType(m_hObject));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR face) {
    return AttachNew(::CreateFont(height, width, escapement, orientation, weight, italic, underline,
                                  strikeOut, charSet, outPrecision, clipPrecision, quality,
                                  pitchAndFamily, face));
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* font, CDC* dc) {
    if (!font) return FALSE;
    int dpi = 96;
    if (dc && dc->m_hDC) {
        dpi = dc->GetDeviceCaps(LOGPIXELSY);
    } else if (HDC screen = ::CreateCompatibleDC(nullptr)) {
        dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::DeleteDC(screen);
    }
    LOGFONTW lf = *font;
    // Tenths of a point to pixels: 720 tenths per inch.
    lf.lfHeight = -int(std::lround(std::abs(double(font->lfHeight)) * dpi / 720.0));
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR face, CDC* dc) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return AttachNew(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return AttachNew(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
