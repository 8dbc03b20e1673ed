// The framework's graphics-object wrappers. A wrapper owns the object attached to it and
// deletes it when destroyed; FromHandle gives the attached wrapper or a temporary one that
// DeleteTempMap frees (without deleting the object) when the application is idle.
#pragma once

#include "platform/afx/geometry.h"
#include "platform/base/object.h"
#include "platform/gdi/gdi.h"

class CDC;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ object);
    static void DeleteTempMap();

    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    int GetObject(int count, LPVOID buffer) const;
    UINT GetObjectType() const;

    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

protected:
    // Attaches an object just made for this wrapper; if the wrapper already holds one, the new
    // object is deleted and the call fails.
    BOOL AttachNew(HGDIOBJ object);
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    static CPen* FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(pen)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF colour) {
        return AttachNew(::CreatePen(style, width, colour));
    }
    BOOL CreatePenIndirect(const LOGPEN* pen) { return AttachNew(::CreatePenIndirect(pen)); }
    int GetLogPen(LOGPEN* pen) const { return GetObject(sizeof(LOGPEN), pen); }
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    static CBrush* FromHandle(HBRUSH brush) {
        return static_cast<CBrush*>(CGdiObject::FromHandle(brush));
    }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF colour) { return AttachNew(::CreateSolidBrush(colour)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* brush) {
        return AttachNew(::CreateBrushIndirect(brush));
    }
    // The platform's own brush: deleting it does nothing.
    BOOL CreateSysColorBrush(int index) { return AttachNew(::GetSysColorBrush(index)); }
    int GetLogBrush(LOGBRUSH* brush) const { return GetObject(sizeof(LOGBRUSH), brush); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT font) {
        return static_cast<CFont*>(CGdiObject::FromHandle(font));
    }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTW* font) { return AttachNew(::CreateFontIndirect(font)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR face);
    // pointSize in tenths of a point, converted with the device's (or dc's) vertical resolution.
    BOOL CreatePointFont(int pointSize, LPCWSTR face, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTW* font, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* font) const { return GetObject(sizeof(LOGFONTW), font); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP bitmap) {
        return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap));
    }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
        return AttachNew(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BOOL CreateBitmapIndirect(const BITMAP* bitmap) {
        return AttachNew(::CreateBitmapIndirect(bitmap));
    }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // A bitmap resource of the application's resource module.
    BOOL LoadBitmap(UINT id);
    int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* FromHandle(HRGN region) {
        return static_cast<CRgn*>(CGdiObject::FromHandle(region));
    }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int l, int t, int r, int b) {
        return AttachNew(::CreateRectRgn(l, t, r, b));
    }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return AttachNew(::CreateRectRgnIndirect(rect)); }
    int CombineRgn(CRgn* a, CRgn* b, int mode) {
        return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
    }
    int CopyRgn(CRgn* source) {
        return ::CombineRgn(*this, source ? HRGN(*source) : nullptr, nullptr, RGN_COPY);
    }
    BOOL EqualRgn(CRgn* other) const { return ::EqualRgn(*this, other ? HRGN(*other) : nullptr); }
    int OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
    BOOL SetRectRgn(int l, int t, int r, int b) { return ::SetRectRgn(*this, l, t, r, b); }
    BOOL SetRectRgn(LPCRECT r) { return SetRectRgn(r->left, r->top, r->right, r->bottom); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const { return ::RectInRegion(*this, rect); }
    int GetRegionData(LPRGNDATA data, int count) const {
        return int(::GetRegionData(*this, DWORD(count), data));
    }
};
