// CDC: the framework's device-context wrapper.
//
// A CDC owns the context attached to it (the destructor deletes it); classes that borrow a
// context (paint, client and window contexts) detach it in their own destructors. FromHandle
// gives the attached CDC or a temporary one freed by DeleteTempMap.
#pragma once

#include "platform/afx/gdiobj.h"
#include "platform/base/cstring.h"

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    // Wrappers are made for every context a paint hands out (FromHandle): their storage is kept.
    static void* operator new(size_t size);
    static void operator delete(void* memory, size_t size);

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC dc);
    static void DeleteTempMap();
    BOOL Attach(HDC dc);
    HDC Detach();

    BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData);
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    // ---- Objects
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    virtual CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region); // the clip region; returns its complexity
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    CPen* GetCurrentPen() const {
        return CPen::FromHandle(HPEN(::GetCurrentObject(m_hDC, OBJ_PEN)));
    }
    CBrush* GetCurrentBrush() const {
        return CBrush::FromHandle(HBRUSH(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
    }
    CFont* GetCurrentFont() const {
        return CFont::FromHandle(HFONT(::GetCurrentObject(m_hDC, OBJ_FONT)));
    }
    CBitmap* GetCurrentBitmap() const {
        return CBitmap::FromHandle(HBITMAP(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
    }

    // ---- Attributes
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    virtual COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    virtual COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetROP2() const { return ::GetROP2(m_hDC); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
    UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
    CPoint GetViewportOrg() const;
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    virtual CPoint OffsetViewportOrg(int dx, int dy);
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }

    // ---- Clipping
    virtual int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    virtual int SelectClipRgn(CRgn* region) {
        return ::SelectClipRgn(m_hDC, region ? HRGN(*region) : nullptr);
    }
    int SelectClipRgn(CRgn* region, int mode) {
        return ::ExtSelectClipRgn(m_hDC, region ? HRGN(*region) : nullptr, mode);
    }
    int IntersectClipRect(int l, int t, int r, int b) {
        return ::IntersectClipRect(m_hDC, l, t, r, b);
    }
    int IntersectClipRect(LPCRECT r) {
        return IntersectClipRect(r->left, r->top, r->right, r->bottom);
    }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    int OffsetClipRgn(int dx, int dy) { return ::OffsetClipRgn(m_hDC, dx, dy); }
    int OffsetClipRgn(SIZE s) { return OffsetClipRgn(s.cx, s.cy); }
    virtual BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    virtual BOOL RectVisible(LPCRECT r) const { return ::RectVisible(m_hDC, r); }

    // ---- Lines and shapes
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }

    // ---- Fills
    void FillRect(LPCRECT rect, CBrush* brush) {
        ::FillRect(m_hDC, rect, brush ? HBRUSH(*brush) : nullptr);
    }
    void FrameRect(LPCRECT rect, CBrush* brush) {
        ::FrameRect(m_hDC, rect, brush ? HBRUSH(*brush) : nullptr);
    }
    void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, region ? HRGN(*region) : nullptr); }
    // As in the framework, these leave the background colour set to colour.
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);

    // ---- Bitmaps and pixels
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh,
                    DWORD rop);
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }
    COLORREF SetPixel(POINT p, COLORREF colour) { return SetPixel(p.x, p.y, colour); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIcon(POINT p, HICON icon) { return DrawIcon(p.x, p.y, icon); }

    // ---- Text
    virtual BOOL TextOut(int x, int y, LPCWSTR text, int count) {
        return ::TextOut(m_hDC, x, y, text, count);
    }
    BOOL TextOut(int x, int y, const CString& text) {
        return TextOut(x, y, text, text.GetLength());
    }
    virtual BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count,
                            const INT* dx) {
        return ::ExtTextOut(m_hDC, x, y, options, rect, text, count, dx);
    }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx) {
        return ExtTextOut(x, y, options, rect, text, UINT(text.GetLength()), dx);
    }
    virtual int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format) {
        return ::DrawText(m_hDC, text, count, rect, format);
    }
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return DrawText(text, text.GetLength(), rect, format);
    }
    CSize GetTextExtent(LPCWSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRICW metrics) const { return ::GetTextMetrics(m_hDC, metrics); }
    int GetTextFace(int count, LPWSTR face) const { return ::GetTextFace(m_hDC, count, face); }
    int GetTextFace(CString& face) const;
};
