// The default window procedure.
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

// A press on a standard scroll bar is tracked until the pointer is lifted.
void NonClientButtonDown(Window* w, WPARAM hit, LPARAM lParam) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (hit == HTVSCROLL) TrackScrollBar(w, SB_VERT, pt);
    if (hit == HTHSCROLL) TrackScrollBar(w, SB_HORZ, pt);
}

// The client area within a window rectangle given in the parent's coordinates.
void CalcClientRect(Window* w, RECT* r) {
    RECT client = ClientRectInWindow(w);
    LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    RECT out = {r->left + client.left, r->top + client.top, r->right - (width - client.right),
                r->bottom - (height - client.bottom)};
    out.right = std::max(out.left, out.right);
    out.bottom = std::max(out.top, out.bottom);
    *r = out;
}

LRESULT EraseDefault(Window* w, HDC dc) {
    HBRUSH brush = ClassBrush(*w->cls);
    if (!brush) return 0;
    RECT r;
    GetClientRect(w->handle, &r);
    FillRect(dc, &r, brush);
    return 1;
}

LRESULT CopyText(Window* w, WPARAM size, LPWSTR out) {
    if (!out || size == 0) return 0;
    int n = std::min<int>(w->text.GetLength(), int(std::min<WPARAM>(size - 1, 0x7FFFFFFF)));
    std::copy_n(w->text.GetString(), n, out);
    out[n] = 0;
    return n;
}

void PositionChanged(Window* w, const WINDOWPOS* pos) {
    HWND hwnd = w->handle;
    if (!(pos->flags & SWP_NOMOVE)) {
        int b = BorderWidth(w);
        CallProc(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + b, w->rect.top + b));
        if (!(w = Lookup(hwnd))) return;
    }
    if (!(pos->flags & SWP_NOSIZE)) {
        RECT r;
        GetClientRect(hwnd, &r);
        CallProc(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    }
}

} // namespace
} // namespace user

using namespace user;

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Sent for every move, show and hide, and answered 0 whatever the window: no lookup.
    if (message == WM_WINDOWPOSCHANGING || message == WM_SHOWWINDOW) return 0;
    Window* w = Lookup(hwnd);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCHITTEST:
        return NonClientHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
        PaintNonClient(w);
        return 0;
    case WM_NCCALCSIZE:
        if (lParam)
            CalcClientRect(w, wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                     : reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        NonClientButtonDown(w, wParam, lParam);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseDefault(w, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
        return TRUE;
    case WM_GETTEXT:
        return CopyText(w, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return w->text.GetLength();
    case WM_SETREDRAW:
        // Redraw off is a state of its own rather than a cleared WS_VISIBLE (as the desktop
        // system does it): the window keeps covering what lies below it, IsWindowVisible
        // answers as before, and a ShowWindow made while redraw is off is not undone when it
        // is turned on again. Turning it on invalidates nothing; the caller redraws.
        w->redrawOff = !wParam;
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (lParam) PositionChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            Window* f = Lookup(GetFocus());
            if (!f || !IsAncestorOf(w, f)) SetFocus(hwnd);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_MOUSEACTIVATE:
        return 1; // activate
    case WM_SETCURSOR:
        return FALSE; // the device shows no pointer
    default:
        return 0;
    }
}
