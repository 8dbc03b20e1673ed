// The window system: the platform's C calls with their original names and signatures.
//
// Every call validates the window handles it is given: a null, stale or destroyed handle makes
// the call fail with its usual failure value and sets ERROR_INVALID_WINDOW_HANDLE.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/user/userdefs.h"

// ---- Window classes --------------------------------------------------------------------------

// Class names compare without regard to letter case. A class belongs to the instance that
// registered it; CreateWindowEx falls back to a class of that name from any instance.
ATOM RegisterClass(const WNDCLASS* wndClass);
BOOL UnregisterClass(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCWSTR className, LPWNDCLASS wndClass);
int GetClassName(HWND hwnd, LPWSTR className, int maxCount);
HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR cursorName);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// ---- Creating and destroying windows ---------------------------------------------------------

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param);
inline HWND CreateWindow(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                         int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                         LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                          instance, param);
}
// WM_DESTROY goes to the window and then to its children (parents first); WM_NCDESTROY goes to
// every window last, children before their parent. Owned popups are destroyed first.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// ---- The window tree -------------------------------------------------------------------------

HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);

// ---- Window data -----------------------------------------------------------------------------

// GWL_WNDPROC reads as a 32-bit procedure handle that CallWindowProc and SetWindowLong accept;
// use the Ptr forms to read or store full-width values.
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
BOOL SetWindowText(HWND hwnd, LPCWSTR text);
int GetWindowText(HWND hwnd, LPWSTR text, int maxCount);
int GetWindowTextLength(HWND hwnd);

// ---- State -----------------------------------------------------------------------------------

BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
// Returns nonzero when the window was disabled before the call.
BOOL EnableWindow(HWND hwnd, BOOL enable);

// ---- Position, size and z-order --------------------------------------------------------------

BOOL ShowWindow(HWND hwnd, int command);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
// The window takes ownership of region (and deletes it later); null removes the region.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's region into region; ERROR when it has none.
int GetWindowRgn(HWND hwnd, HRGN region);

// ---- Painting --------------------------------------------------------------------------------

// A null window with no rectangle invalidates every window.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
// Paints the window and then its children at once when they have something to paint.
BOOL UpdateWindow(HWND hwnd);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// Contexts are clipped to the window's visible region: its children and the siblings above it
// never receive its drawing. GetDC(null) and GetDC of the desktop draw on the whole screen.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

// ---- Scroll bars and scrolling --------------------------------------------------------------

// The standard bars of a window with WS_VSCROLL or WS_HSCROLL lie outside its client area, as
// wide as SM_CXVSCROLL and as high as SM_CYHSCROLL. Setting a range or page that leaves nothing
// to scroll hides the bar (SIF_DISABLENOSCROLL disables it instead); setting one that scrolls
// shows it again. A tap on a bar sends the window WM_VSCROLL or WM_HSCROLL with the SB_ codes
// of the part tapped (arrows and shaft repeat while held, on the clock), a dragged thumb sends
// SB_THUMBTRACK and SB_THUMBPOSITION; every tap ends with SB_ENDSCROLL. The window scrolls
// itself: the bar only reports.
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
// Returns the previous position.
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
// SB_HORZ, SB_VERT or SB_BOTH.
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
// ESB_ flags; FALSE when nothing changed.
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// Moves the pixels of the client area (or of scroll, cut to clip) by (dx, dy) and reports, in
// update and updateRect, the area that the move exposed. Only pixels that were on screen and
// up to date are moved; SW_INVALIDATE adds the exposed area (and the window's pending update,
// moved along) to the update region, SW_ERASE asks for erasing it, SW_SCROLLCHILDREN moves
// the child windows that lie in the scrolled rectangle. Returns the region type of the
// exposed area, or ERROR.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);

// ---- Drawing helpers -------------------------------------------------------------------------

// Three-dimensional edges in the system colours.
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
// DFC_SCROLL: the arrow buttons of a scroll bar.
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);

// ---- Messages --------------------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Returns FALSE for WM_QUIT, -1 for a bad window filter.
BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
LRESULT DispatchMessage(const MSG* msg);
// Posts WM_CHAR for keys that stand for characters.
BOOL TranslateMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessagePos();
LONG GetMessageTime();
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

HHOOK SetWindowsHookEx(int hookType, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// ---- Capture, focus, activation --------------------------------------------------------------

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
BOOL GetCursorPos(LPPOINT point);
short GetKeyState(int virtualKey);
short GetAsyncKeyState(int virtualKey);

// ---- Timers and time -------------------------------------------------------------------------

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
DWORD GetTickCount();
UINT GetDoubleClickTime();

// ---- System values ---------------------------------------------------------------------------

int GetSystemMetrics(int index);

// ---- Rectangles ------------------------------------------------------------------------------

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dest, const RECT* source);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);
