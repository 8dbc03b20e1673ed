// Resetting the whole platform, and the desktop window.
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

constexpr const WCHAR* kDesktopClass = u"#32769";

std::vector<void (*)()>& ResetHooks_() {
    static auto* hooks = new std::vector<void (*)()>;
    return *hooks;
}

std::shared_ptr<WndClass> DesktopClass() {
    if (auto cls = FindClassForCreate(kDesktopClass, nullptr)) return cls;
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(ULONG_PTR(COLOR_BACKGROUND + 1));
    wc.lpszClassName = kDesktopClass;
    UserRegisterSystemClass(&wc);
    return FindClassForCreate(kDesktopClass, nullptr);
}

} // namespace

Window* CreateDesktop() {
    Window* w = NewWindow();
    if (!w) return nullptr;
    SIZE screen = GdiGetScreenSize();
    w->cls = DesktopClass();
    w->proc = w->cls->proc;
    w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    w->rect = RECT{0, 0, screen.cx, screen.cy};
    w->isDesktop = true;
    GeometryChanged();
    w->created = true;
    SetDesktop(w);
    // The first pump paints the desktop colour over the whole screen.
    w->update = gdi::PixRegion(w->rect);
    w->erase = true;
    return w;
}

} // namespace user

using namespace user;

void UserResetPlatform(int screenWidth, int screenHeight) {
    ResetDCs();
    for (Window* w : AllWindows())
        if (w->region) DeleteObject(w->region);
    ResetQueue();
    ResetTimers();
    ResetInput();
    ResetFocus();
    ResetHooks();
    ResetClasses();
    ResetRegistry();
    UserSetWaitHook(nullptr);
    UserTakeRunawayError();
    GdiResetScreen(screenWidth, screenHeight);
    ClearWindowTable();
    CreateDesktop();
    for (auto hook : std::vector<void (*)()>(ResetHooks_()))
        hook();
}

void UserAddResetHook(void (*hook)()) {
    auto& hooks = ResetHooks_();
    if (hook && std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) hooks.push_back(hook);
}
