// CWnd: handle maps and the framework's window procedure that reads them, creation through
// that procedure, destruction, and class registration.
#include "platform/afx/wnd.h"

#include "platform/afx/handlemap.h"
#include "platform/afx/imagelist.h"
#include "platform/afx/menu.h"
#include "platform/base/module.h"
#include "platform/user/userdevice.h"

#include <deque>
#include <utility>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

struct CreationHook {
    HHOOK hook = nullptr;
    CWnd* pending = nullptr; // the object whose window is being created
};

CreationHook& Creation() {
    static auto* state = new CreationHook;
    return *state;
}

CHandleMap<CWnd>& Map() {
    static auto* map = new CHandleMap<CWnd>;
    return *map;
}

// Scroll-bar objects for windows whose own object is something else.
CHandleMap<CScrollBar>& ScrollBars() {
    static auto* map = new CHandleMap<CScrollBar>;
    return *map;
}

// A platform reset removes every hook and window.
void ForgetPlatformState() {
    Creation() = CreationHook{};
    AfxDeleteTempMaps();
}

void Subclass(CWnd* wnd, HWND hwnd) {
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *wnd->GetSuperWndProcAddr() = old;
}

LRESULT CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    CreationHook& c = Creation();
    if (code == HCBT_CREATEWND && c.pending) {
        CWnd* wnd = std::exchange(c.pending, nullptr);
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        wnd->Attach(hwnd);
        wnd->PreSubclassWindow();
        Subclass(wnd, hwnd);
    }
    return CallNextHookEx(c.hook, code, wParam, lParam);
}

void HookWindowCreate(CWnd* wnd) {
    CreationHook& c = Creation();
    if (!c.hook) {
        c.hook = SetWindowsHookEx(WH_CBT, &CbtFilterHook, nullptr, 0);
        UserAddResetHook(&ForgetPlatformState);
    }
    c.pending = wnd;
}

// False when the hook never saw the window (its creation failed before it began).
bool UnhookWindowCreate() {
    return std::exchange(Creation().pending, nullptr) == nullptr;
}

} // namespace

// ---- CCmdTarget ------------------------------------------------------------------------------

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                              UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    UINT message = HIWORD(nCode) ? HIWORD(nCode) : WM_COMMAND;
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), message, LOWORD(nCode), nID);
    if (!e) return FALSE;
    if (e->nSig == AfxSigNotify_v) {
        auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
        auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn);
        (this->*pfn)(notify ? notify->pNMHDR : nullptr, notify ? notify->pResult : nullptr);
    } else {
        (this->*(e->pfn))();
    }
    return TRUE;
}

// ---- Handle maps -----------------------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return Map().LookupPermanent(hwnd);
}

// Here, by the map it reads for every message.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = Map().LookupPermanent(hwnd);
    if (!wnd) return ::DefWindowProc(hwnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    UserAddIdleHook(&AfxDeleteTempMaps);
    return Map().FromHandle(hwnd, [hwnd] {
        auto* wnd = new CWnd;
        wnd->m_hWnd = hwnd;
        return wnd;
    });
}

void CWnd::DeleteTempMap() {
    Map().DeleteTemp([](CWnd* wnd) { wnd->m_hWnd = nullptr; });
    ScrollBars().DeleteTemp([](CScrollBar* bar) { bar->m_hWnd = nullptr; });
}

CScrollBar* CScrollBar::FromHandle(HWND hwnd) {
    CWnd* permanent = FromHandlePermanent(hwnd);
    if (permanent && permanent->IsKindOf(RUNTIME_CLASS(CScrollBar)))
        return static_cast<CScrollBar*>(permanent);
    if (!hwnd) return nullptr;
    UserAddIdleHook(&AfxDeleteTempMaps);
    return ScrollBars().FromHandle(hwnd, [hwnd] {
        auto* bar = new CScrollBar;
        bar->m_hWnd = hwnd;
        return bar;
    });
}

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CImageList::DeleteTempMap();
    CMenu::DeleteTempMap();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd) return FALSE;
    m_hWnd = hwnd;
    Map().SetPermanent(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = std::exchange(m_hWnd, nullptr);
    if (hwnd) Map().RemoveHandle(hwnd, this);
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!::IsWindow(hwnd) || FromHandlePermanent(hwnd) || !Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    Subclass(this, hwnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id)));
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper) ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- Creation and destruction ----------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs = {param,       AfxGetInstanceHandle(),
                       idOrMenu,    parent,
                       height,      width,
                       y,           x,
                       LONG(style), windowName,
                       className,   exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    UserAddIdleHook(&AfxDeleteTempMaps);
    HookWindowCreate(this);
    HWND hwnd =
        ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y,
                         cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    bool hooked = UnhookWindowCreate();
    if (!hooked) PostNcDestroy(); // nothing was attached, so nothing else will clean up
    return hwnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    bool defaults = rect.left == CW_USEDEFAULT;
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    defaults ? CW_USEDEFAULT : int(rect.right - rect.left),
                    defaults ? CW_USEDEFAULT : int(rect.bottom - rect.top),
                    parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(UINT_PTR(id)),
                    param);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    // An object that receives the window's messages is detached by its WM_NCDESTROY and may
    // no longer exist afterwards; any other is detached here.
    bool routed =
        FromHandlePermanent(m_hWnd) == this &&
        ::GetWindowLongPtr(m_hWnd, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc);
    BOOL result = ::DestroyWindow(m_hWnd);
    if (!routed) Detach();
    return result;
}

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
    if (m_hWnd) Detach();
}

// ---- Classes ---------------------------------------------------------------------------------

BOOL AfxRegisterClass(WNDCLASS* wndClass) {
    if (!wndClass) return FALSE;
    WNDCLASS existing;
    if (::GetClassInfo(wndClass->hInstance, wndClass->lpszClassName, &existing)) return TRUE;
    return ::RegisterClass(wndClass) != 0;
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    HINSTANCE instance = AfxGetInstanceHandle();
    CString name;
    name.Format(u"Afx:%x:%x:%x:%x:%x", unsigned(ULONG_PTR(instance)), classStyle,
                unsigned(ULONG_PTR(cursor)), unsigned(ULONG_PTR(background)),
                unsigned(ULONG_PTR(icon)));
    // Names handed out stay valid: the framework's callers keep the pointer.
    static auto* names = new std::deque<CString>;
    const CString* kept = nullptr;
    for (const CString& n : *names)
        if (n == name) kept = &n;
    if (!kept) kept = &names->emplace_back(name);
    WNDCLASS wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = kept->GetString();
    return AfxRegisterClass(&wc) ? kept->GetString() : nullptr;
}
