// What the common controls share: their per-window objects, notifying the parent, the font's
// metrics, cell text cut with an ellipsis, and a press on the control's own scroll bar.
#pragma once

#include "platform/base/cstring.h"
#include "platform/commctrl/commctrl.h"

#include <functional>
#include <memory>

namespace commctrl {

// A control's state, made on WM_NCCREATE and freed after WM_NCDESTROY. A control that is
// destroyed while one of its own messages is still being handled (a parent that destroys it
// from a notification) is freed only when that handling has returned, so the handlers may
// keep using their members; its window handle is stale by then and calls on it fail.
class Control {
public:
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    // The window's style now, and whether it has the keyboard focus.
    DWORD Style() const { return DWORD(GetWindowLong(m_hwnd, GWL_STYLE)); }
    bool HasFocus() const { return GetFocus() == m_hwnd; }

    HWND m_hwnd;

private:
    friend LRESULT Dispatch(HWND, UINT, WPARAM, LPARAM, Control* (*)(HWND, const CREATESTRUCT&));
    int m_depth = 0;
    bool m_dead = false;
};

// The class procedures' common body: make creates the control on WM_NCCREATE.
LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                 Control* (*make)(HWND, const CREATESTRUCT&));
void RegisterControlClass(LPCWSTR name, WNDPROC proc);

// Sends WM_NOTIFY with header (whose hwndFrom, idFrom and code are filled in) to the parent.
LRESULT Notify(HWND from, UINT code, NMHDR* header);
// The control's font: the one set with WM_SETFONT, else the default GUI font.
HFONT ControlFont(HFONT set);
// The height of a line of the font (its tmHeight).
int FontHeight(HFONT font);
int TextWidth(HDC dc, const CString& text);
// One line of text in rect, vertically centred, aligned by DT_LEFT, DT_CENTER or DT_RIGHT,
// ending in "..." when it does not fit.
void DrawCellText(HDC dc, const CString& text, const RECT& rect, UINT align);
// Copies text into a caller's buffer of size characters (cut to fit, always terminated);
// returns the characters copied.
int CopyText(const CString& text, LPWSTR buffer, int size);
// A button-down that arrived outside the client area (the control holds the capture) on one of
// its standard scroll bars is tracked as a press on that bar; false when it is not on a bar.
bool ForwardBarPress(HWND hwnd, POINT client);

// Sets both standard scroll bars. Showing one bar can take room the other then lacks, so this
// settles in up to three rounds: fill gets each round's client rectangle and sets the range,
// page and position of the vertical bar (v) and the horizontal one (h).
void SettleScrollBars(HWND hwnd,
                      const std::function<void(const RECT&, SCROLLINFO& v, SCROLLINFO& h)>& fill);
// The position a scroll-bar code (of WM_VSCROLL or WM_HSCROLL) asks for on bar, from the
// position now, a line's step and a page; SB_BOTTOM asks for a position past any end, for the
// caller to clamp. False for a code that asks for nothing.
bool ScrollRequest(HWND hwnd, int bar, UINT code, int pos, int step, int page, int* target);

} // namespace commctrl
