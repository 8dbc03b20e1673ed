// CWnd: relatives (frames, owners, top-level parents) and the wrappers that do more than
// forward one call.
#include "platform/afx/frame.h"
#include "platform/afx/wnd.h"

namespace {

// A child's parent, or another window's owner.
HWND ParentOrOwner(HWND hwnd) {
    if (::GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) return ::GetParent(hwnd);
    return ::GetWindow(hwnd, GW_OWNER);
}

} // namespace

CFrameWnd* CWnd::GetParentFrame() const {
    if (!m_hWnd) return nullptr;
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent())
        if (parent->IsFrameWnd()) return static_cast<CFrameWnd*>(parent);
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (!m_hWnd) return nullptr;
    CFrameWnd* frame =
        IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (frame)
        if (CFrameWnd* outer = frame->GetParentFrame())
            frame = outer;
        else
            break;
    return frame;
}

CWnd* CWnd::GetTopLevelOwner() const {
    if (!m_hWnd) return nullptr;
    HWND hwnd = m_hWnd;
    while (HWND owner = ::GetWindow(hwnd, GW_OWNER))
        hwnd = owner;
    return FromHandle(hwnd);
}

CWnd* CWnd::GetTopLevelParent() const {
    if (!m_hWnd) return nullptr;
    HWND hwnd = m_hWnd;
    while (HWND up = ParentOrOwner(hwnd))
        hwnd = up;
    return FromHandle(hwnd);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : HWND_TOP, x, y, cx, cy,
                          flags);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLength(m_hWnd);
    LPWSTR buffer = text.GetBuffer(length + 1);
    int got = ::GetWindowText(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(got);
}

namespace {

BOOL Modify(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    DWORD style = DWORD(::GetWindowLong(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    ::SetWindowLong(hwnd, index, LONG(changed));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return Modify(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return Modify(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}
