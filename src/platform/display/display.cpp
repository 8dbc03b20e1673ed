// The headless screen, and the choice of a desktop window.
#include "platform/display/display.h"

#include "platform/gdi/gdidevice.h"

#include <cstdlib>

// Made by the SDL backend when it is built; null otherwise.
std::unique_ptr<DesktopWindow> OpenSdlDesktopWindow(int scale, const char* title);

bool DisplaySaveScreen(const std::string& hostPath) {
    return GdiWriteScreenPng(hostPath);
}

bool DisplayCanShowWindow() {
#ifdef SKINKIT_HAVE_SDL2
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
#else
    return false;
#endif
}

std::unique_ptr<DesktopWindow> DesktopWindow::Open(int scale, const char* title) {
    if (!DisplayCanShowWindow()) return nullptr;
    return OpenSdlDesktopWindow(scale < 1 ? 1 : scale, title ? title : "skinkit");
}
