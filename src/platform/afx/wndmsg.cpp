// CWnd: a window object's messages (AfxCallWndProc), message-map dispatch, default handling,
// commands, notifications and their reflection to the child that sent them.
#include "platform/afx/app.h"
#include "platform/afx/menu.h"
#include "platform/afx/wnd.h"

#include <utility>

namespace {

// The message being processed, for Default() and reflection: each dispatch points here at its
// own message and points back when it returns, so nested messages do not disturb it.
const MSG g_noMessage = {};
const MSG* g_current = &g_noMessage;

const MSG& Current() {
    return *g_current;
}

// Points at a message for as long as it is being processed.
class CurrentMessage {
public:
    explicit CurrentMessage(const MSG& msg) : m_saved(std::exchange(g_current, &msg)) {}
    ~CurrentMessage() { g_current = m_saved; }
    CurrentMessage(const CurrentMessage&) = delete;
    CurrentMessage& operator=(const CurrentMessage&) = delete;

private:
    const MSG* m_saved;
};

CPoint PointOf(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

template <class F> F As(AFX_PMSG pfn) {
    return reinterpret_cast<F>(pfn);
}

} // namespace

const MSG* AfxGetCurrentMessage() {
    return &Current();
}

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG msg = {hwnd, message, wParam, lParam, 0, {}};
    CurrentMessage current(msg);
    if (message == WM_INITMENUPOPUP) AfxNotePopupMenu(hwnd, reinterpret_cast<HMENU>(wParam));
    return wnd->WindowProc(message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Mostly the super procedure is the default one (a class of the framework's own): called
    // directly, as CallWindowProc would.
    if (m_pfnSuper && m_pfnSuper != &::DefWindowProc)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = Current();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

// Remembered as the framework does: message maps are static tables, and every message to a
// window would otherwise walk its class's maps and their bases.
const AFX_MSGMAP_ENTRY* CWnd::FindWindowEntry(UINT message) const {
    struct Slot {
        const AFX_MSGMAP* map;
        UINT message;
        const AFX_MSGMAP_ENTRY* entry;
    };
    static Slot cache[512];
    const AFX_MSGMAP* map = GetMessageMap();
    Slot& slot = cache[((reinterpret_cast<uintptr_t>(map) >> 4) ^ (message * 31u)) & 511u];
    if (slot.map != map || slot.message != message)
        slot = {map, message, FindEntry(map, message, 0, 0)};
    return slot.entry;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT r = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        r = 1;
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        handled = header && header->hwndFrom && OnNotify(wParam, lParam, &r);
    } else if (const AFX_MSGMAP_ENTRY* e = FindWindowEntry(message)) {
        handled = DispatchEntry(e, wParam, lParam, &r);
    }
    if (handled && result) *result = r;
    return handled;
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    AFX_PMSG pfn = e->pfn;
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*As<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_is:
        *result = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_bD:
        *result =
            (this->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_vwp:
        (this->*As<void (CWnd::*)(UINT, CPoint)>(pfn))(UINT(wParam), PointOf(lParam));
        break;
    case AfxSig_vwwx:
        (this->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CScrollBar::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_vt:
        (this->*As<void (CWnd::*)(UINT_PTR)>(pfn))(UINT_PTR(wParam));
        break;
    case AfxSig_vwii:
        (this->*As<void (CWnd::*)(UINT, int, int)>(pfn))(UINT(wParam), LOWORD(lParam),
                                                         HIWORD(lParam));
        break;
    case AfxSig_vvii:
        (this->*As<void (CWnd::*)(int, int)>(pfn))(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case AfxSig_vW:
        (this->*As<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_vWl:
        (this->*As<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_vb:
        (this->*As<void (CWnd::*)(BOOL)>(pfn))(BOOL(wParam));
        break;
    case AfxSig_vbw:
        (this->*As<void (CWnd::*)(BOOL, UINT)>(pfn))(BOOL(wParam), UINT(lParam));
        break;
    case AfxSig_vDRAW:
        (this->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            int(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case AfxSig_vMEASURE:
        (this->*As<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            int(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case AfxSig_vwww:
        (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(UINT(wParam), LOWORD(lParam),
                                                           HIWORD(lParam));
        break;
    case AfxSig_lwl:
        *result = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// ---- Commands, notifications and reflection --------------------------------------------------

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && wnd->SendChildNotifyLastMsg(result);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* result) {
    const MSG m = Current();
    return OnChildNotify(m.message, m.wParam, m.lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_COMMAND:
        if (!CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND),
                                  nullptr, nullptr))
            return FALSE;
        if (result) *result = 1;
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {result, header};
        return CCmdTarget::OnCmdMsg(0, MAKELONG(WORD(header->code), WM_REFLECT_BASE + WM_NOTIFY),
                                    &notify, nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    // The control's own object sees its notification first.
    if (control && ReflectLastMsg(control)) return TRUE;
    return OnCmdMsg(id, HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(header->hwndFrom, result)) return TRUE;
    AFX_NOTIFY notify = {result, header};
    return OnCmdMsg(UINT(header->idFrom), MAKELONG(WORD(header->code), WM_NOTIFY), &notify,
                    nullptr);
}

// ---- Default handlers ------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) {
    return int(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return BOOL(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

// Scroll notifications go to the scroll bar's own object first.
void CWnd::OnHScroll(UINT, UINT, CScrollBar* scrollBar) {
    if (scrollBar && ReflectLastMsg(scrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* scrollBar) {
    if (scrollBar && ReflectLastMsg(scrollBar->m_hWnd)) return;
    Default();
}

// Owner-drawn controls draw themselves: the item goes to the control's own object first.
// Menu items go to the menu's own object (a menu item names its menu in hwndItem).
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    if (item && item->CtlType == ODT_MENU) {
        if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem))) {
            menu->DrawItem(item);
            return;
        }
    } else if (item && ReflectLastMsg(item->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
    if (item && item->CtlType == ODT_MENU) {
        if (CMenu* menu = AfxFindMenuOfItem(m_hWnd, *item)) {
            menu->MeasureItem(item);
            return;
        }
    } else if (item && ReflectLastMsg(::GetDlgItem(m_hWnd, id))) {
        return;
    }
    Default();
}

void CWnd::OnNcDestroy() {
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    HWND hwnd = m_hWnd;
    WNDPROC ours = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hwnd, GWL_WNDPROC));
    Default();
    // Give the window back its own procedure unless someone subclassed it after us.
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hwnd, GWL_WNDPROC)) == ours)
        ::SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    PostNcDestroy();
}
