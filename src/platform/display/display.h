// Where the screen goes. Headless, it can be saved as PNG at any time. Where the SDL2 backend
// is built and a display is present, a desktop window shows the screen scaled by a whole
// factor; while it is open, message loops wait on it: its pointer events become injected input
// and it moves the clock in real time, so timers run as on the device.
#pragma once

#include <memory>
#include <string>

// Writes the screen as it is now (8-bit RGB PNG); false when the file cannot be written.
bool DisplaySaveScreen(const std::string& hostPath);

// True when a desktop window can be opened: the SDL2 backend is built and DISPLAY or
// WAYLAND_DISPLAY is set.
bool DisplayCanShowWindow();

class DesktopWindow {
public:
    // Opens a window showing the screen scaled by scale (at least 1); null when headless or
    // when the window cannot be made. Only one can be open at a time.
    static std::unique_ptr<DesktopWindow> Open(int scale = 2, const char* title = "skinkit");
    virtual ~DesktopWindow() = default;

    // Shows the screen as it is now.
    virtual void Present() = 0;
    // False once the user closed the window (a closed window posts WM_QUIT once).
    virtual bool IsOpen() const = 0;
    virtual int Scale() const = 0;
    // The desktop window's title (UTF-8).
    virtual void SetTitle(const char* title) = 0;

protected:
    DesktopWindow() = default;
};
