// What this stand-in offers beyond the device's own window system: resetting the platform,
// running the message pump until idle, injecting input, driving the clock, and the hooks a
// display or a test installs where a message loop would wait. Library code above the platform
// does not include this header; the display, the framework layer and the tests do.
#pragma once

#include "platform/user/winuser.h"

#include <functional>
#include <string>

// ---- Reset -----------------------------------------------------------------------------------

// Destroys every window without sending it messages, unregisters the classes that were not
// registered as system classes, and empties the queue, the timers, capture, focus, the
// registry and the hooks; sets the clock to 0, replaces the screen by a fresh one of the given
// size and makes a new desktop window (invalid, so the next pump paints it). The functions
// added with UserAddResetHook run afterwards.
void UserResetPlatform(int screenWidth = 240, int screenHeight = 320);
// For the layers above (common controls, menus, framework maps): called after every reset.
// Adding the same function twice adds it once. Reset hooks themselves survive resets.
void UserAddResetHook(void (*hook)());
// Called when UserPumpUntilIdle has nothing left to do (the framework frees its temporary
// objects there; an application's own loop does that in its idle handling). Not called from
// inside message loops that wait, where callers may still hold temporary objects. Survives
// resets.
void UserAddIdleHook(void (*hook)());
// A class that survives resets (the platform's own control classes).
ATOM UserRegisterSystemClass(const WNDCLASS* wndClass);
// While set, RegisterClass refuses every class (as a device out of memory would), so that a
// test can reach a caller's failure path. Reset clears it.
void UserFailClassRegistrations(bool fail);

// ---- Live objects --------------------------------------------------------------------------

// Menus made and not yet destroyed (a submenu is destroyed with its parent). Resets keep
// them, as they keep graphics objects.
int UserGetMenuCount();
// Bitmap resources of a module, for LoadBitmap: the platform keeps a copy of the bitmap's
// pixels under the identifier. Reset removes them.
bool UserAddBitmapResource(HINSTANCE module, UINT id, HBITMAP bitmap);

// ---- Pump ------------------------------------------------------------------------------------

struct UserPumpResult {
    bool idle = false;  // reached a state with nothing posted, nothing to paint, no due timer
    bool quit = false;  // met WM_QUIT (it is consumed)
    int dispatched = 0; // messages dispatched
    std::string error;  // runaway loop: names the window and the message
    explicit operator bool() const { return idle && error.empty(); }
};

// Dispatches posted messages and input, then paints, then due timers at the current clock,
// until nothing is left. More than maxDispatches dispatches without reaching idle is a runaway
// message or paint loop: the pump stops and reports the last window and message. A SendMessage
// nesting deeper than the platform allows is reported the same way.
UserPumpResult UserPumpUntilIdle(int maxDispatches = 20000);
// Advances the clock by ms, stopping at every timer's due time on the way to pump until idle.
UserPumpResult UserAdvanceTime(DWORD ms, int maxDispatches = 20000);

// Describes a message for reports: "WM_PAINT to 0x... (class "X", text "Y")".
std::string UserDescribeMessage(HWND hwnd, UINT message);
// Text of a runaway condition met since the last pump (empty when none); cleared by the pump.
std::string UserTakeRunawayError();

// ---- Clock -----------------------------------------------------------------------------------

// GetTickCount follows this clock. Tests advance it explicitly; a desktop window advances it in
// real time.
DWORD UserGetClock();
void UserAdvanceClock(DWORD ms);
// Earliest due time of any timer; false when there is none.
bool UserNextTimerDue(DWORD* due);

// ---- Input -----------------------------------------------------------------------------------

// Pointer and key events in screen coordinates, queued in order with posted messages. Each
// is routed when it is retrieved: to the capture window first, otherwise to the topmost
// visible window under the point (a disabled window swallows it). The clock at injection time
// decides double clicks.
void UserInjectPointerDown(int x, int y);
void UserInjectPointerUp(int x, int y);
void UserInjectPointerMove(int x, int y);
// Key events go to the focus window, or to the active window when nothing has the focus.
void UserInjectKey(UINT virtualKey, bool down);

// ---- Waiting ---------------------------------------------------------------------------------

// Runs whenever a message loop (GetMessage, a modal loop) would wait for input. It may look at
// the screen, inject input, post messages or advance the clock. Returning false means nothing
// more will come. Null removes it. Reset removes it.
void UserSetWaitHook(std::function<bool()> hook);

// A host that shows the screen (the display's desktop window). Wait blocks until input or the
// next timer is due, turns host events into injected input and moves the clock to real time;
// false means the host is gone.
class UserHostDriver {
public:
    virtual ~UserHostDriver() = default;
    virtual bool Wait() = 0;
};
// Not owned; null removes it. Survives resets.
void UserSetHostDriver(UserHostDriver* driver);

// What a message loop does when it finds nothing to do: runs the wait hook if there is one,
// else the host driver's Wait. False when neither exists or the one asked says that nothing
// more will come (without a hook and without a display, a loop never waits forever).
bool UserWaitForInput();
