// The graphics device interface: the platform's C calls with their original names and
// signatures. Every call validates the handles it receives; a null, stale or wrong-kind handle
// makes the call fail with its usual failure value (FALSE, null, 0, CLR_INVALID, ERROR).
#pragma once

#include "platform/gdi/gdidefs.h"

// ---- Objects ---------------------------------------------------------------------------------

HGDIOBJ GetStockObject(int object);
// Fails for an object that is selected into a device context; stock objects are never deleted.
BOOL DeleteObject(HGDIOBJ object);
// Bitmaps (BITMAP, or DIBSECTION for a section), pens (LOGPEN), brushes (LOGBRUSH), fonts
// (LOGFONTW); a null buffer asks for the size.
int GetObject(HGDIOBJ object, int size, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);

// ---- Bitmaps ---------------------------------------------------------------------------------

// Rows of bits are aligned to 16 bits, as the device's CreateBitmap expects them.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);

// ---- Device contexts -------------------------------------------------------------------------

// "DISPLAY" gives a context on the whole screen.
HDC CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);
int GetDeviceCaps(HDC dc, int index);

COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous);
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous);

// ---- Clipping --------------------------------------------------------------------------------

// Regions are in device units relative to the context's origin. A null region removes the clip.
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, LPRECT rect);
// 1 and a copy in region when the context has a clip region of its own, 0 when it has none.
int GetClipRgn(HDC dc, HRGN region);
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* rect);

// ---- Blits and fills -------------------------------------------------------------------------

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// brush may also be a system colour index + 1, as the device allows.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL PaintRgn(HDC dc, HRGN region);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y);

// ---- Pens, brushes and lines -----------------------------------------------------------------

HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC dc, LPPOINT position);
// Draws from the current position up to, not including, (x, y).
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);

// ---- Regions ---------------------------------------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
int CombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
int GetRgnBox(HRGN region, LPRECT rect);
// Rectangles in y-x banded order. A null buffer asks for the size; too small a buffer gives 0.
DWORD GetRegionData(HRGN region, DWORD count, LPRGNDATA data);
BOOL EqualRgn(HRGN region1, HRGN region2);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);

// ---- Fonts and text --------------------------------------------------------------------------

HFONT CreateFontIndirect(const LOGFONTW* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outputPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face);
BOOL GetTextMetrics(HDC dc, LPTEXTMETRICW metrics);
BOOL GetTextExtentPoint32(HDC dc, LPCWSTR text, int count, LPSIZE size);
BOOL GetTextExtentExPoint(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit,
                          int* partialExtents, LPSIZE size);
int GetTextFace(HDC dc, int count, LPWSTR face);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                const INT* dx);
BOOL TextOut(HDC dc, int x, int y, LPCWSTR text, int count);
int DrawText(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);

// ---- Icons -----------------------------------------------------------------------------------

HICON CreateIconIndirect(PICONINFO info);
// The bitmaps returned are new copies that the caller deletes.
BOOL GetIconInfo(HICON icon, PICONINFO info);
BOOL DestroyIcon(HICON icon);
// Draws at the icon's own size.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFreeBrush, UINT flags);

// ---- System colours --------------------------------------------------------------------------

DWORD GetSysColor(int index);
// Brushes owned by the platform; deleting one does nothing.
HBRUSH GetSysColorBrush(int index);
