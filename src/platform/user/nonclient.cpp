// The non-client area: the border and the standard scroll bars around the client area, what
// DefWindowProc answers for hit tests there and how it paints them in the system colours.
#include "platform/user/scrollbar.h"

namespace user {

LRESULT NonClientHitTest(Window* w, POINT pt) {
    RECT client = ClientRectScreen(w);
    if (PtInRect(&client, pt)) return HTCLIENT;
    RECT wr = WindowRectScreen(w);
    if (!PtInRect(&wr, pt)) return HTNOWHERE;
    POINT local = {pt.x - wr.left, pt.y - wr.top};
    RECT v = ScrollBarRect(w, SB_VERT), h = ScrollBarRect(w, SB_HORZ);
    if (PtInRect(&v, local)) return HTVSCROLL;
    if (PtInRect(&h, local)) return HTHSCROLL;
    return HTBORDER;
}

void PaintNonClient(Window* w) {
    RECT bounds = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    RECT client = ClientRectInWindow(w);
    if (EqualRect(&bounds, &client)) return;
    HDC dc = GetWindowDC(w->handle);
    if (BorderWidth(w)) FrameRect(dc, &bounds, GetSysColorBrush(COLOR_WINDOWFRAME));
    DrawScrollBar(w, dc, SB_VERT);
    DrawScrollBar(w, dc, SB_HORZ);
    RECT v = ScrollBarRect(w, SB_VERT), h = ScrollBarRect(w, SB_HORZ);
    // Where both bars meet: the size box's plain face.
    if (!IsRectEmpty(&v) && !IsRectEmpty(&h)) {
        RECT corner = {v.left, h.top, v.right, h.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(w->handle, dc);
}

} // namespace user
