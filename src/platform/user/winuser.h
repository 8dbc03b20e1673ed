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

// ---- Menus -----------------------------------------------------------------------------------

// Menus are platform objects reached by handle: a stale handle fails with
// ERROR_INVALID_MENU_HANDLE. By command, an item is looked for in the menu and then in its
// submenus; by position, only in the menu itself.
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, with it, every submenu it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// With MF_POPUP, idOrSubmenu is the submenu's handle; with MF_OWNERDRAW, item is the item
// data; with MF_BITMAP, item is the bitmap's handle; otherwise item is the text.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item);
// A position past the last item (by position) appends.
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item);
// RemoveMenu keeps the item's submenu alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
// 0xFFFFFFFF past the last item and for an item that opens a submenu.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The item's type and state flags (MF_*), with the submenu's item count in the high byte for
// a submenu; 0xFFFFFFFF when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
// Copies the item's text; a null buffer asks for its length.
int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int maxCount, UINT flags);
// Each returns the previous MF_CHECKED or MF_ENABLED/MF_GRAYED/MF_DISABLED state, or
// 0xFFFFFFFF when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
// Checks item as a radio item and unchecks the others from first to last (ids or positions,
// all in one menu); fails when item is not among them.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT item, UINT flags);

inline BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
    return AppendMenuW(menu, flags, idOrSubmenu, item);
}
inline BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
    return InsertMenuW(menu, position, flags, idOrSubmenu, item);
}
inline BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
    return GetMenuItemInfoW(menu, item, byPosition, info);
}
inline BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
    return SetMenuItemInfoW(menu, item, byPosition, info);
}
inline int GetMenuString(HMENU menu, UINT item, LPWSTR text, int maxCount, UINT flags) {
    return GetMenuStringW(menu, item, text, maxCount, flags);
}

// Shows the popup at (x, y) as the alignment flags say, kept on the screen (and off the
// exclusion rectangle), and runs a modal loop until an item is chosen or the popup is
// dismissed: a tap outside, Escape, or WM_EXITMENULOOP reaching the owner. The owner
// receives WM_ENTERMENULOOP, WM_INITMENU and WM_INITMENUPOPUP first, WM_MEASUREITEM and
// WM_DRAWITEM for owner-drawn items, and WM_EXITMENULOOP last; the chosen command is posted
// as WM_COMMAND after the loop, or returned with TPM_RETURNCMD (0 when nothing was chosen).
// Without TPM_RETURNCMD the result is nonzero when the popup was shown.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* reservedRect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
// The screen rectangle of an item (by position) of a popup that is open; false otherwise.
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, LPRECT rect);

// ---- Resources -------------------------------------------------------------------------------

// A bitmap resource of the module as a new bitmap the caller deletes; null when the module
// has no such resource.
HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name);
