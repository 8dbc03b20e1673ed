// Window data: the GetWindowLong family, window text, identifiers and enabling.
#include "platform/user/wndobj.h"

#include <algorithm>
#include <cstring>

namespace user {
namespace {

template <class T> bool ExtraSlot(Window* w, int index, T** out) {
    if (index < 0 || size_t(index) + sizeof(T) > w->extra.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *out = reinterpret_cast<T*>(w->extra.data() + index);
    return true;
}

template <class T> T ReadExtra(Window* w, int index) {
    T* slot = nullptr;
    T value = 0;
    if (ExtraSlot(w, index, &slot)) std::memcpy(&value, slot, sizeof(T));
    return value;
}

template <class T> T WriteExtra(Window* w, int index, T value) {
    T* slot = nullptr;
    T old = 0;
    if (!ExtraSlot(w, index, &slot)) return 0;
    std::memcpy(&old, slot, sizeof(T));
    std::memcpy(slot, &value, sizeof(T));
    return old;
}

HWND ParentOrOwner(const Window* w) {
    if ((w->style & WS_CHILD) && w->parent) return w->parent->handle;
    return w->owner ? w->owner->handle : nullptr;
}

// Fields common to both widths; false for an index that is not one of them.
bool SetField(Window* w, int index, LONG_PTR value, LONG_PTR* old) {
    switch (index) {
    case GWL_ID:
        *old = LONG_PTR(w->id), w->id = UINT_PTR(value);
        return true;
    case GWL_STYLE:
        *old = LONG_PTR(w->style), w->style = DWORD(value);
        GeometryChanged(); // the border may have come or gone
        AreasChanged();    // and the visibility
        RefreshDCs();
        return true;
    case GWL_EXSTYLE:
        *old = LONG_PTR(w->exStyle), w->exStyle = DWORD(value);
        return true;
    case GWL_USERDATA:
        *old = w->userData, w->userData = value;
        return true;
    case GWL_HINSTANCE:
        *old = LONG_PTR(w->instance), w->instance = reinterpret_cast<HINSTANCE>(value);
        return true;
    default:
        return false;
    }
}

LONG_PTR ReadLongPtr(Window* w, int index) {
    switch (index) {
    case GWL_WNDPROC:
        return LONG_PTR(w->proc);
    case GWL_HINSTANCE:
        return LONG_PTR(w->instance);
    case GWL_HWNDPARENT:
        return LONG_PTR(ParentOrOwner(w));
    case GWL_ID:
        return LONG_PTR(w->id);
    case GWL_STYLE:
        return LONG_PTR(w->style);
    case GWL_EXSTYLE:
        return LONG_PTR(w->exStyle);
    case GWL_USERDATA:
        return w->userData;
    default:
        return ReadExtra<LONG_PTR>(w, index);
    }
}

} // namespace
} // namespace user

using namespace user;

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = Checked(hwnd);
    return w ? ReadLongPtr(w, index) : 0;
}

LONG GetWindowLong(HWND hwnd, int index) {
    Window* w = Checked(hwnd);
    if (!w) return 0;
    if (index == GWL_WNDPROC) return ProcToken(w->proc);
    if (index >= 0) return ReadExtra<LONG>(w, index);
    return LONG(ReadLongPtr(w, index));
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = Checked(hwnd);
    if (!w) return 0;
    LONG_PTR old = 0;
    if (index == GWL_WNDPROC) {
        WNDPROC proc = ProcFromValue(value);
        if (!proc) return 0;
        old = LONG_PTR(w->proc);
        w->proc = proc;
        return old;
    }
    if (SetField(w, index, value, &old)) return old;
    if (index >= 0) return WriteExtra<LONG_PTR>(w, index, value);
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    Window* w = Checked(hwnd);
    if (!w) return 0;
    if (index == GWL_WNDPROC) {
        WNDPROC old = w->proc;
        return SetWindowLongPtr(hwnd, index, value) ? ProcToken(old) : 0;
    }
    if (index >= 0) return WriteExtra<LONG>(w, index, value);
    return LONG(SetWindowLongPtr(hwnd, index, value));
}

BOOL SetWindowText(HWND hwnd, LPCWSTR text) {
    return Checked(hwnd) && SendMessage(hwnd, WM_SETTEXT, 0, LPARAM(text));
}

int GetWindowText(HWND hwnd, LPWSTR text, int maxCount) {
    if (!Checked(hwnd) || !text || maxCount <= 0) return 0;
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(maxCount), LPARAM(text)));
}

int GetWindowTextLength(HWND hwnd) {
    return Checked(hwnd) ? int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = Checked(hwnd);
    if (!w) return FALSE;
    bool wasDisabled = w->style & WS_DISABLED;
    if (bool(enable) == !wasDisabled) return wasDisabled;
    if (enable) {
        w->style &= ~DWORD(WS_DISABLED);
    } else {
        w->style |= WS_DISABLED;
        // A disabled window keeps no focus.
        if (Window* f = Lookup(GetFocus()); f && IsAncestorOf(w, f)) SetFocus(nullptr);
    }
    if ((w = Lookup(hwnd))) CallProc(w, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}
