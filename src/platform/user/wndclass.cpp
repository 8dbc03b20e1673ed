// Window classes and cursors.
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

#define ERROR_CLASS_HAS_WINDOWS 1412L

struct ClassStore {
    std::vector<std::shared_ptr<WndClass>> classes;
    bool refuse = false;
    ATOM nextAtom = 0xC000;
    HCURSOR cursor = nullptr;
};

ClassStore& Store() {
    static ClassStore* store = new ClassStore;
    return *store;
}

bool NameMatches(const WndClass& cls, LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return cls.atom == WORD(ULONG_PTR(name));
    return cls.name.CompareNoCase(name) == 0;
}

bool SharedClass(const WndClass& cls) {
    return cls.system || (cls.style & CS_GLOBALCLASS);
}

std::shared_ptr<WndClass> FindExact(LPCWSTR name, HINSTANCE instance) {
    for (auto& cls : Store().classes)
        if (NameMatches(*cls, name) && cls->instance == instance) return cls;
    return nullptr;
}

std::shared_ptr<WndClass> FindVisible(LPCWSTR name, HINSTANCE instance) {
    if (auto cls = FindExact(name, instance)) return cls;
    for (auto& cls : Store().classes)
        if (NameMatches(*cls, name) && SharedClass(*cls)) return cls;
    return nullptr;
}

ATOM Register(const WNDCLASS* wc, bool system) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpszClassName[0] ||
        wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbWndExtra > 4096) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (Store().refuse && !system) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    if (FindVisible(wc->lpszClassName, wc->hInstance)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WndClass>();
    cls->name = wc->lpszClassName;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc ? wc->lpfnWndProc : DefWindowProc;
    cls->clsExtra = wc->cbClsExtra;
    cls->wndExtra = wc->cbWndExtra;
    cls->instance = wc->hInstance;
    cls->icon = wc->hIcon;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) cls->menuName = wc->lpszMenuName;
    cls->system = system;
    ClassStore& store = Store();
    cls->atom = store.nextAtom++;
    if (store.nextAtom == 0) store.nextAtom = 0xC000;
    store.classes.push_back(cls);
    return cls->atom;
}

bool HasWindows(const std::shared_ptr<WndClass>& cls) {
    for (Window* w : AllWindows())
        if (w->cls == cls) return true;
    return false;
}

} // namespace

std::shared_ptr<WndClass> FindClassForCreate(LPCWSTR name, HINSTANCE instance) {
    if (!name) return nullptr;
    if (auto cls = FindVisible(name, instance)) return cls;
    for (auto& cls : Store().classes)
        if (NameMatches(*cls, name)) return cls;
    return nullptr;
}

void ResetClasses() {
    auto& classes = Store().classes;
    classes.erase(std::remove_if(classes.begin(), classes.end(),
                                 [](const std::shared_ptr<WndClass>& c) { return !c->system; }),
                  classes.end());
    Store().cursor = nullptr;
    Store().refuse = false;
}

HBRUSH ClassBrush(const WndClass& cls) {
    HBRUSH brush = cls.background;
    if (!brush || GetObjectType(brush) == OBJ_BRUSH) return brush;
    // The class-brush convention: a system colour index + 1, with or without the flag bit.
    ULONG_PTR value = ULONG_PTR(brush) & ~ULONG_PTR(SYS_COLOR_INDEX_FLAG);
    if (value >= 1 && value <= SK_SYSCOLOR_COUNT) return GetSysColorBrush(int(value - 1));
    return nullptr;
}

} // namespace user

using namespace user;

ATOM RegisterClass(const WNDCLASS* wc) {
    return Register(wc, false);
}

ATOM UserRegisterSystemClass(const WNDCLASS* wc) {
    return Register(wc, true);
}

void UserFailClassRegistrations(bool fail) {
    Store().refuse = fail;
}

BOOL UnregisterClass(LPCWSTR name, HINSTANCE instance) {
    if (!name) return FALSE;
    auto cls = FindExact(name, instance);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (HasWindows(cls)) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& classes = Store().classes;
    classes.erase(std::find(classes.begin(), classes.end(), cls));
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCWSTR name, LPWNDCLASS wc) {
    auto cls = name && wc ? FindVisible(name, instance) : nullptr;
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = cls->clsExtra;
    wc->cbWndExtra = cls->wndExtra;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName = cls->menuName.IsEmpty() ? nullptr : cls->menuName.GetString();
    wc->lpszClassName = cls->name.GetString();
    return TRUE;
}

int GetClassName(HWND hwnd, LPWSTR out, int maxCount) {
    Window* w = Checked(hwnd);
    if (!w || !out || maxCount <= 0) return 0;
    int n = std::min(w->cls->name.GetLength(), maxCount - 1);
    std::copy_n(w->cls->name.GetString(), n, out);
    out[n] = 0;
    return n;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name) {
    // The platform's own cursors are plain values; applications have no cursor resources.
    if (instance || !IS_INTRESOURCE(name)) return nullptr;
    WORD id = WORD(ULONG_PTR(name));
    static const WORD kKnown[] = {32512, 32513, 32514, 32515, 32516, 32646, 32648, 32649};
    if (std::find(std::begin(kKnown), std::end(kKnown), id) == std::end(kKnown)) return nullptr;
    return reinterpret_cast<HCURSOR>(ULONG_PTR(id));
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = Store().cursor;
    Store().cursor = cursor;
    return previous;
}

HCURSOR GetCursor() {
    return Store().cursor;
}
