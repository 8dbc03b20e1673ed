#include "bitmap/paintparent.h"

void PaintParentBackground(CWnd* control, CDC* dest) {
    control->ShowWindow(SW_HIDE);
    if (CWnd* parent = control->GetParent()) parent->UpdateWindow();

    CWnd* desktop = CWnd::GetDesktopWindow();
    CDC* screen = desktop->GetDC();
    CDC memory;
    memory.CreateCompatibleDC(screen);
    CRect window;
    control->GetWindowRect(&window);
    const int w = window.Width(), h = window.Height();
    CBitmap capture;
    capture.CreateBitmap(w, h, UINT(screen->GetDeviceCaps(PLANES) & 0xFF),
                         UINT(screen->GetDeviceCaps(BITSPIXEL) & 0xFF), nullptr);
    CBitmap* previous = memory.SelectObject(&capture);
    memory.BitBlt(0, 0, w, h, screen, window.left, window.top, SRCCOPY);
    desktop->ReleaseDC(screen);

    // 0x257: no size, no move, no z-order, no activation, show, no owner z-order.
    control->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    ::BitBlt(dest ? dest->m_hDC : nullptr, 0, 0, w, h, memory.m_hDC, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}
