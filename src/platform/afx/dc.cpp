// CDC: attaching, selection wrappers and the framework's composite drawing helpers.
#include "platform/afx/dc.h"

#include "platform/afx/handlemap.h"
#include "platform/base/recycle.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

static CHandleMap<CDC>& Map() {
    static auto* map = new CHandleMap<CDC>;
    return *map;
}

CDC::~CDC() {
    if (m_hDC) ::DeleteDC(Detach());
}

void* CDC::operator new(size_t size) {
    return RecycledNew(size);
}

void CDC::operator delete(void* memory, size_t size) {
    RecycledDelete(memory, size);
}

CDC* CDC::FromHandle(HDC dc) {
    return Map().FromHandle(dc, [&] {
        CDC* wrapper = new CDC;
        wrapper->m_hDC = wrapper->m_hAttribDC = dc;
        return wrapper;
    });
}

void CDC::DeleteTempMap() {
    Map().DeleteTemp([](CDC* wrapper) { wrapper->m_hDC = wrapper->m_hAttribDC = nullptr; });
}

BOOL CDC::Attach(HDC dc) {
    if (!dc || m_hDC) return FALSE;
    m_hDC = m_hAttribDC = dc;
    Map().SetPermanent(dc, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    if (dc) Map().RemoveHandle(dc, this);
    m_hDC = m_hAttribDC = nullptr;
    return dc;
}

BOOL CDC::CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData) {
    if (m_hDC) return FALSE;
    return Attach(::CreateDC(driver, device, output, initData));
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC) return FALSE;
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

// ---- Selection -------------------------------------------------------------------------------

static HGDIOBJ HandleOf(const CGdiObject* object) {
    return object ? object->m_hObject : nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ object = ::GetStockObject(index);
    return object ? CGdiObject::FromHandle(::SelectObject(m_hDC, object)) : nullptr;
}

CPen* CDC::SelectObject(CPen* pen) {
    return static_cast<CPen*>(CGdiObject::FromHandle(::SelectObject(m_hDC, HandleOf(pen))));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return static_cast<CBrush*>(CGdiObject::FromHandle(::SelectObject(m_hDC, HandleOf(brush))));
}

CFont* CDC::SelectObject(CFont* font) {
    return static_cast<CFont*>(CGdiObject::FromHandle(::SelectObject(m_hDC, HandleOf(font))));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return static_cast<CBitmap*>(CGdiObject::FromHandle(::SelectObject(m_hDC, HandleOf(bitmap))));
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, HandleOf(object)));
}

// ---- Attributes ------------------------------------------------------------------------------

CPoint CDC::GetViewportOrg() const {
    POINT p{0, 0};
    ::GetViewportOrgEx(m_hDC, &p);
    return p;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT p{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &p);
    return p;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    POINT p{0, 0};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &p);
    return p;
}

CPoint CDC::SetBrushOrg(int x, int y) {
    POINT p{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &p);
    return p;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT p{0, 0};
    ::MoveToEx(m_hDC, x, y, &p);
    return p;
}

CPoint CDC::GetCurrentPosition() const {
    POINT p{0, 0};
    ::GetCurrentPositionEx(m_hDC, &p);
    return p;
}

// ---- Drawing ---------------------------------------------------------------------------------

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    return ::FillRgn(m_hDC, region ? HRGN(*region) : nullptr, brush ? HBRUSH(*brush) : nullptr);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    ::SetBkColor(m_hDC, colour);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, colour);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh,
                     DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, sw, sh, rop);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32(m_hDC, text, count, &size);
    return size;
}

int CDC::GetTextFace(CString& face) const {
    int length = ::GetTextFace(m_hDC, 0, nullptr);
    if (length <= 0) {
        face.Empty();
        return 0;
    }
    int n = ::GetTextFace(m_hDC, length, face.GetBuffer(length));
    face.ReleaseBuffer(n);
    return n;
}
