// The common controls' shared machinery.
#include "platform/commctrl/control.h"

#include "platform/user/userdevice.h"

#include <algorithm>
#include <unordered_set>

namespace commctrl {
namespace {

// Every live control, so that a platform reset (which frees windows without messages) frees
// their state too.
std::unordered_set<Control*>& Live() {
    static auto* live = new std::unordered_set<Control*>;
    return *live;
}

void FreeAll() {
    for (Control* c : Live())
        delete c;
    Live().clear();
}

Control* Find(HWND hwnd) {
    return reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, 0));
}

} // namespace

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                 Control* (*make)(HWND, const CREATESTRUCT&)) {
    if (message == WM_NCCREATE && lParam && !Find(hwnd)) {
        Control* c = make(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
        Live().insert(c);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(c));
    }
    Control* c = Find(hwnd);
    if (!c || !Live().count(c)) return DefWindowProc(hwnd, message, wParam, lParam);
    ++c->m_depth;
    LRESULT result = c->Message(message, wParam, lParam);
    --c->m_depth;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        c->m_dead = true;
    }
    if (c->m_dead && c->m_depth == 0) {
        Live().erase(c);
        delete c;
    }
    return result;
}

void RegisterControlClass(LPCWSTR name, WNDPROC proc) {
    UserAddResetHook(&FreeAll);
    WNDCLASS existing;
    if (GetClassInfo(nullptr, name, &existing)) return;
    WNDCLASS wc = {};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = name;
    UserRegisterSystemClass(&wc);
}

LRESULT Notify(HWND from, UINT code, NMHDR* header) {
    header->hwndFrom = from;
    header->idFrom = UINT_PTR(GetDlgCtrlID(from));
    header->code = code;
    HWND parent = GetParent(from);
    return parent ? SendMessage(parent, WM_NOTIFY, header->idFrom, LPARAM(header)) : 0;
}

HFONT ControlFont(HFONT set) {
    return set ? set : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int FontHeight(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(font));
    TEXTMETRICW tm = {};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return int(tm.tmHeight);
}

int TextWidth(HDC dc, const CString& text) {
    SIZE size = {};
    GetTextExtentPoint32(dc, text.GetString(), text.GetLength(), &size);
    return int(size.cx);
}

void DrawCellText(HDC dc, const CString& text, const RECT& rect, UINT align) {
    int room = int(rect.right - rect.left);
    if (room <= 0 || text.IsEmpty()) return;
    CString shown = text;
    if (TextWidth(dc, text) > room) {
        // The longest start that leaves room for the ellipsis.
        int fit = 0;
        SIZE size;
        int dots = TextWidth(dc, u"...");
        GetTextExtentExPoint(dc, text.GetString(), text.GetLength(), std::max(0, room - dots), &fit,
                             nullptr, &size);
        shown = text.Left(fit) + u"...";
        align = DT_LEFT;
    }
    RECT r = rect;
    DrawText(dc, shown.GetString(), shown.GetLength(), &r,
             align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

int CopyText(const CString& text, LPWSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    int n = std::min(text.GetLength(), size - 1);
    std::copy_n(text.GetString(), n, buffer);
    buffer[n] = 0;
    return n;
}

bool ForwardBarPress(HWND hwnd, POINT client) {
    RECT rect = {};
    GetClientRect(hwnd, &rect);
    if (PtInRect(&rect, client)) return false;
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit != HTVSCROLL && hit != HTHSCROLL) return false;
    DefWindowProc(hwnd, WM_NCLBUTTONDOWN, WPARAM(hit), MAKELPARAM(screen.x, screen.y));
    return true;
}

void SettleScrollBars(HWND hwnd,
                      const std::function<void(const RECT&, SCROLLINFO& v, SCROLLINFO& h)>& fill) {
    for (int round = 0; round < 3; ++round) {
        RECT before = {}, after = {};
        GetClientRect(hwnd, &before);
        SCROLLINFO v = {sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        SCROLLINFO h = v;
        fill(before, v, h);
        SetScrollInfo(hwnd, SB_VERT, &v, TRUE);
        SetScrollInfo(hwnd, SB_HORZ, &h, TRUE);
        GetClientRect(hwnd, &after);
        if (EqualRect(&before, &after)) break;
    }
}

bool ScrollRequest(HWND hwnd, int bar, UINT code, int pos, int step, int page, int* target) {
    switch (code) {
    case SB_LINEUP:
        *target = pos - step;
        return true;
    case SB_LINEDOWN:
        *target = pos + step;
        return true;
    case SB_PAGEUP:
        *target = pos - page;
        return true;
    case SB_PAGEDOWN:
        *target = pos + page;
        return true;
    case SB_TOP:
        *target = 0;
        return true;
    case SB_BOTTOM:
        *target = 0x3FFFFFFF;
        return true;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(hwnd, bar, &si);
        *target = si.nTrackPos;
        return true;
    }
    default:
        return false;
    }
}

} // namespace commctrl
