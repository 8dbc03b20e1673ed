// CWnd: the framework's window object, with message maps, the usual wrappers of the window
// calls, and permanent and temporary objects for window handles.
//
// A CWnd made by the framework (Create, CreateEx, SubclassWindow) is permanent: the window's
// procedure is the framework's, which finds the object and dispatches through its message map;
// what the map does not handle goes to the procedure the window had before (the class's own),
// so a CWnd can wrap a platform control and still call Default(). FromHandle of any other
// window gives a temporary object, freed when the application is idle.
#pragma once

#include "platform/afx/dc.h"
#include "platform/afx/gdiobj.h"
#include "platform/afx/geometry.h"
#include "platform/afx/msgmap.h"
#include "platform/base/cstring.h"
#include "platform/user/winuser.h"

class CFrameWnd;
class CMenu;
struct CCreateContext;

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches the object and routes the window's messages through it.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // ---- Creation
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, CCreateContext* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU idOrMenu,
                          LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow() {}
    // Called after WM_NCDESTROY, when the object no longer has a window (frames delete
    // themselves here).
    virtual void PostNcDestroy() {}

    // ---- Messages
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    // The default handling of the message being processed.
    LRESULT Default();
    virtual BOOL IsFrameWnd() const { return FALSE; }
    WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
    // Hands the message being processed to the permanent object of child as a notification.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* result = nullptr);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }

    // ---- State and styles
    DWORD GetStyle() const { return DWORD(::GetWindowLong(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return DWORD(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return int(::SetWindowLong(m_hWnd, GWL_ID, id)); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void SetWindowText(LPCWSTR text) { ::SetWindowText(m_hWnd, text); }
    int GetWindowText(LPWSTR text, int maxCount) const {
        return ::GetWindowText(m_hWnd, text, maxCount);
    }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* font, BOOL redraw = TRUE) {
        SendMessage(WM_SETFONT, WPARAM(font ? font->GetSafeHandle() : nullptr), redraw);
    }
    CFont* GetFont() const { return CFont::FromHandle(HFONT(SendMessage(WM_GETFONT))); }

    // ---- Size, position, z-order
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   repaint);
    }
    // A null insertAfter puts the window on top of its siblings (when the z-order changes at
    // all); use the platform's call for the other reserved places.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
        ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
    }
    void MapWindowPoints(CWnd* to, LPRECT rect) const {
        MapWindowPoints(to, reinterpret_cast<LPPOINT>(rect), 2);
    }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int GetWindowRgn(HRGN region) const { return ::GetWindowRgn(m_hWnd, region); }

    // ---- Painting
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE) {
        ::InvalidateRgn(m_hWnd, region ? HRGN(*region) : nullptr, erase);
    }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    void ValidateRgn(CRgn* region) { ::ValidateRgn(m_hWnd, region ? HRGN(*region) : nullptr); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, rect, region ? HRGN(*region) : nullptr, flags);
    }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE) {
        return ::GetUpdateRect(m_hWnd, rect, erase);
    }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
    CDC* BeginPaint(LPPAINTSTRUCT paint) { return CDC::FromHandle(::BeginPaint(m_hWnd, paint)); }
    void EndPaint(LPPAINTSTRUCT paint) { ::EndPaint(m_hWnd, paint); }

    // ---- Scroll bars and scrolling
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE) {
        if (!info) return FALSE;
        ::SetScrollInfo(m_hWnd, bar, info, redraw);
        return TRUE;
    }
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const {
        if (!info) return FALSE;
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, bar, info);
    }
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) {
        return ::SetScrollPos(m_hWnd, bar, pos, redraw);
    }
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    void SetScrollRange(int bar, int min, int max, BOOL redraw = TRUE) {
        ::SetScrollRange(m_hWnd, bar, min, max, redraw);
    }
    void GetScrollRange(int bar, int* min, int* max) const {
        ::GetScrollRange(m_hWnd, bar, min, max);
    }
    void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, int(bar), show); }
    BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH) {
        return ::EnableScrollBar(m_hWnd, UINT(bar), arrows);
    }
    void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr) {
        ::ScrollWindow(m_hWnd, dx, dy, scroll, clip);
    }
    int ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update,
                       LPRECT updateRect, UINT flags) {
        return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip, update ? HRGN(*update) : nullptr,
                                updateRect, flags);
    }
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }

    // ---- Input, focus, timers
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    // ---- Relatives
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) {
        return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr));
    }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    CWnd* GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const { return GetWindow(relation); }
    BOOL IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* ChildWindowFromPoint(POINT point) const {
        return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
    }
    // The nearest frame window among the parents (not the window itself).
    CFrameWnd* GetParentFrame() const;
    // The outermost frame: this window if it is a frame, else its parent frame, then that
    // frame's own parent frames.
    CFrameWnd* GetTopLevelFrame() const;
    // The end of the chain of owners, starting with the window itself.
    CWnd* GetTopLevelOwner() const;
    // The end of the chain of parents (of child windows) and owners (of the others).
    CWnd* GetTopLevelParent() const;

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Default handlers: each gives the message its default handling.
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);

    WNDPROC m_pfnSuper = nullptr; // the procedure the window had before the framework's

    DECLARE_MESSAGE_MAP()

private:
    BOOL DispatchEntry(const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam,
                       LRESULT* result);
    // The entry of this object's maps for a window message, or null.
    const AFX_MSGMAP_ENTRY* FindWindowEntry(UINT message) const;
    friend LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Runs one message through a window object, remembering it for Default().
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The message being processed (for Default and reflection).
const MSG* AfxGetCurrentMessage();
// Frees the framework's temporary objects (windows, device contexts, graphics objects).
void AfxDeleteTempMaps();

// A scroll bar control as the framework passes it to OnHScroll and OnVScroll.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    // The permanent object when it is a scroll bar; otherwise a temporary scroll-bar object
    // for the handle (whatever control sent the notification).
    static CScrollBar* FromHandle(HWND hwnd);
};

// Registers a class unless one of that name already exists for its instance.
BOOL AfxRegisterClass(WNDCLASS* wndClass);
// A class of the given style, cursor, brush and icon with the framework's default procedure;
// the name stays valid for the life of the process.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
