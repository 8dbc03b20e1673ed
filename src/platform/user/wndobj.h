// The objects behind window handles and the window manager's shared helpers.
//
// Every window lives in the window table and is reached only through its handle; a handle
// whose window was destroyed resolves to null, so no call touches a freed window. A window's
// rectangle is kept in its parent's client coordinates (the desktop's client area is the
// screen); children are kept in z-order, topmost first. Update regions are kept in window
// coordinates (the window's top-left corner is (0, 0)), so they cover the border as well as
// the client area.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/handletable.h"
#include "platform/gdi/region.h"
#include "platform/user/childgrid.h"
#include "platform/user/winuser.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace user {

struct WndClass {
    CString name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    CString menuName;
    ATOM atom = 0;
    bool system = false;
};

// One standard scroll bar's values (range 0 to 100 until set, as on the device).
struct ScrollBarInfo {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    UINT disabled = 0; // ESB_ flags
};

struct Window {
    // What searches among siblings read, together at the start of the object: a screen of many
    // controls makes them visit many windows.
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr;      // the desktop for top-level windows; null for the desktop
    int64_t z = 0;                 // order among the siblings: smaller keys lie higher
    mutable uint64_t gridMark = 0; // the last grid search that found this window
    RECT rect = {};                // window rectangle in the parent's client coordinates

    HWND handle = nullptr;
    std::shared_ptr<WndClass> cls;
    WNDPROC proc = nullptr;
    UINT_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    CString text;
    std::vector<BYTE> extra;

    Window* owner = nullptr;              // popups: the top-level window that owns them
    std::vector<Window*> children;        // topmost first
    std::unique_ptr<ChildGrid> grid;      // children by area, kept for parents of many
    RECT gridCells = {};                  // the cells of the parent's grid that list this window
    uint64_t childRectsSerial = 0;        // changes whenever a child comes, goes, moves or sizes
    mutable std::vector<Window*> meeting; // SiblingsMeeting, kept for the serial below
    mutable uint64_t meetingSerial = 0;   // the parent's childRectsSerial it was found for

    HRGN region = nullptr; // window region (owned), window coordinates
    gdi::PixRegion shape;  // copy of the region for clipping and hit testing
    bool hasShape = false;
    uint64_t shapeSerial = 0; // changes whenever the window takes another shape
    std::unique_ptr<struct ChildAreas> childAreas; // kept for parents of many
    mutable size_t areaSlot = 0; // the window's place in its parent's ChildAreas::from

    gdi::PixRegion update;   // window coordinates
    bool erase = false;      // the next BeginPaint sends WM_ERASEBKGND
    bool paintBelow = false; // a descendant may need paint (then every ancestor has it too)
    size_t cleanBelow = 0;   // how many of the lowest children are known to need no paint
    std::vector<gdi::PixRegion> painting; // screen areas of BeginPaint calls still open

    mutable gdi::PixRegion shown;    // ShownArea while visible, cached for the epoch below
    mutable uint64_t shownEpoch = 0; // the areas epoch the cached shown area belongs to (0: none)

    mutable POINT origin = {};        // screen position of the client area, cached
    mutable uint64_t originEpoch = 0; // the geometry epoch the cached origin belongs to

    ScrollBarInfo scroll[2]; // the standard bars, SB_HORZ and SB_VERT

    // WM_SETREDRAW FALSE: nothing in the window paints or is invalidated until it is set again.
    bool redrawOff = false;

    bool created = false;    // WM_NCCREATE and WM_CREATE have been answered
    bool destroying = false; // inside DestroyWindow
    bool isDesktop = false;
};

// ---- Window table (wndtable.cpp) -------------------------------------------------------------

// The live windows by handle, made on first use (wndtable.cpp). Never destroyed: windows may
// still be looked up while the process exits. A plain pointer rather than a function's static,
// whose first-use guard every lookup would check as well.
extern HandleTable<Window>* g_windowTable;
HandleTable<Window>& MakeWindowTable();
inline HandleTable<Window>& WindowTable() {
    return g_windowTable ? *g_windowTable : MakeWindowTable();
}
// Inline: every call of the window system starts by looking its window up, often more than once.
inline Window* Lookup(HWND hwnd) {
    return WindowTable().Find(hwnd);
}
// Like Lookup, and sets ERROR_INVALID_WINDOW_HANDLE when the handle is bad.
inline Window* Checked(HWND hwnd) {
    Window* w = Lookup(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}
Window* NewWindow();
void FreeWindow(Window* w);
// Every window in the table (for reset and searches).
std::vector<Window*> AllWindows();
void ClearWindowTable();
// The desktop window, made on first use.
Window* Desktop();
void SetDesktop(Window* w);
Window* CreateDesktop();

// ---- Classes (wndclass.cpp) ------------------------------------------------------------------

std::shared_ptr<WndClass> FindClassForCreate(LPCWSTR name, HINSTANCE instance);
void ResetClasses();
// The class brush as a brush handle (system colour values resolved), or null.
HBRUSH ClassBrush(const WndClass& cls);

// ---- Tree and geometry (tree.cpp, geometry.cpp) ----------------------------------------------

bool IsVisible(const Window* w); // the window and all its ancestors have WS_VISIBLE
// The window or one of its ancestors has redraw off (WM_SETREDRAW FALSE); false for null.
bool RedrawOff(const Window* w);
bool IsAncestorOf(const Window* ancestor, const Window* w); // true also for w itself
Window* TopLevelOf(Window* w);
void Unlink(Window* w);
void LinkAt(Window* parent, Window* w, size_t index);
// Moves w from its place among its siblings (from, its ZIndex) to another (as Unlink and LinkAt
// would, in one step).
void MoveToPlace(Window* w, size_t from, size_t place);
size_t ZIndex(const Window* w); // place among the siblings (children[ZIndex(w)] of the parent)
// Gives the window a new rectangle (parent client coordinates).
void SetWindowRectField(Window* w, const RECT& rect);
int BorderWidth(const Window* w);
// Called whenever a window's rectangle, border or parent changes (screen positions are cached);
// a border or parent also changes every shown area.
void GeometryChanged();
// A window's rectangle changed: screen positions are worked out again (shown areas are not).
void PositionsChanged();
// Cuts region to rect; a region within rect already (mostly the case) is left as it is.
void CutToRect(gdi::PixRegion& region, const RECT& rect);

// The rectangle helpers below are inline: the window manager works out rectangles and screen
// positions of windows thousands of times in a skin switch, mostly for controls without a frame.

// True when the two rectangles share a pixel.
inline bool RectsOverlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom &&
           a.left < a.right && a.top < a.bottom && b.left < b.right && b.top < b.bottom;
}
inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline RECT Shifted(RECT r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Changes whenever a window's rectangle, border or parent changes (geometry.cpp).
extern uint64_t g_geometryEpoch;
// ClientOrigin when the cached one is out of date: worked out and cached again.
POINT WorkOutClientOrigin(const Window* w);
// ClientRectInWindow of a window with a border or scroll bars.
RECT FramedClientRect(const Window* w);

// Screen position of client (0, 0), cached until the geometry changes.
inline POINT ClientOrigin(const Window* w) {
    return w->originEpoch == g_geometryEpoch ? w->origin : WorkOutClientOrigin(w);
}
inline RECT WindowRectScreen(const Window* w) {
    if (!w->parent) return w->rect;
    POINT p = ClientOrigin(w->parent);
    return Shifted(w->rect, p.x, p.y);
}
// Client area in window coordinates: the window's rectangle less its border and scroll bars.
inline RECT ClientRectInWindow(const Window* w) {
    if (w->style & (WS_BORDER | WS_VSCROLL | WS_HSCROLL)) return FramedClientRect(w);
    return RECT{0, 0, std::max<LONG>(0, w->rect.right - w->rect.left),
                std::max<LONG>(0, w->rect.bottom - w->rect.top)};
}
inline RECT ClientRectScreen(const Window* w) {
    RECT r = ClientRectInWindow(w), wr = WindowRectScreen(w);
    return Shifted(r, wr.left, wr.top);
}
// Window area in screen coordinates, cut by the window's own region.
gdi::PixRegion OwnArea(const Window* w);
// The deepest visible window under a screen point, searching children topmost first; a
// disabled window ends the search (disabled is set) and takes the point for nobody.
Window* HitTest(Window* root, POINT pt, bool* disabled);

// ---- Children by area (childgrid.cpp) -------------------------------------------------------

// Appends to *out the visible children of parent above place `limit` (z < limit) whose
// rectangles overlap a screen rectangle, topmost first.
void FindChildrenNear(const Window* parent, const RECT& screenRect, int64_t limit,
                      std::vector<Window*>* out);
constexpr int64_t kAllChildren = INT64_MAX;
// Appends to *out every child of parent, shown or hidden, whose rectangle meets rect (parent
// client coordinates), in no particular order.
void ChildrenMeeting(const Window* parent, const RECT& rect, std::vector<Window*>* out);
// The siblings of w (w too), shown or hidden, whose rectangles meet w's: ChildrenMeeting of its
// own rectangle, kept until a sibling comes, goes, moves or sizes (a control hidden, shown and
// raised in place asks three times).
const std::vector<Window*>& SiblingsMeeting(const Window* w);
// Keep the parent's grid (and what SiblingsMeeting keeps) in step: unlist before the window's
// rectangle or place among its siblings changes, list again after.
void ListInGrid(Window* w);
void UnlistFromGrid(Window* w);

// ---- Visible regions and exposure (visregion.cpp) --------------------------------------------

// Called whenever anything that decides which window shows which pixel changes everywhere (a
// border, scroll bars, a parent): every shown area is worked out again.
void AreasChanged();
// Called when one window's rectangle (it was `before`), shape, place among its siblings or
// visibility changes: the shown areas of the siblings below it whose rectangles meet its old or
// new one (and of their descendants) are worked out again, and with `itself` its own and its
// descendants' too. A window's own visibility does not change what it shows while visible, so
// a window hidden and shown again in place (a control's Update) keeps its area.
void AreasChangedAround(const Window* w, const RECT& before, bool itself);
// Called before a window moves among its siblings between the ones of order keys low and high
// (inclusive), upwards or not: only it and the siblings it passes that meet it show anything
// else (controls side by side brought to the top one after another pass none), and a sibling
// it rises over loses just its area.
void AreasChangedByRestack(const Window* w, int64_t low, int64_t high, bool up);
// The union of the windows' areas (screen coordinates), built in one step.
gdi::PixRegion AreasOf(const std::vector<Window*>& windows);

// What of the window's area is on screen, in screen coordinates: cut by ancestors' client
// areas and regions and by the siblings above it and above each ancestor. Children are not
// removed.
gdi::PixRegion ShownArea(const Window* w);
// ShownArea restricted to the client or window area, without the visible children.
gdi::PixRegion VisibleRegion(const Window* w, bool client);
// Hands each pixel of screenArea to the window that shows it now and adds it to that window's
// update region.
void InvalidateScreenArea(const gdi::PixRegion& screenArea, bool erase);
// The same for an area that only top and its descendants can show (what a window showed or
// shows now goes to it, its parent or their descendants): the search starts there.
void InvalidateWithin(Window* top, const gdi::PixRegion& screenArea, bool erase);

// The union of the areas of a parent's visible children, in its client coordinates, with the
// children, rectangles and shapes it was built from: a parent of many children clips them all
// out of its own paint and exposures, mostly while they lie where they lay before.
struct ChildAreas {
    struct From {
        const Window* child;
        RECT rect;
        uint64_t shapeSerial;
        bool operator==(const From& o) const {
            return child == o.child && SameRect(rect, o.rect) && shapeSerial == o.shapeSerial;
        }
    };
    std::vector<From> from; // each child at its areaSlot
    gdi::PixRegion area;
    gdi::PixRegion gaps; // a client area of the size below less area
    SIZE gapsFor = {-1, -1};
};
// A serial for a window's new shape.
uint64_t NewShapeSerial();

// ---- Region handles (regionio.cpp) -----------------------------------------------------------

// The region behind a handle; false for a bad handle.
bool RegionOf(HRGN handle, gdi::PixRegion* out);
// A new region handle the caller deletes.
HRGN MakeRegionHandle(const gdi::PixRegion& region);

// ---- Paint (paint.cpp, dce.cpp) --------------------------------------------------------------

void AddUpdate(Window* w, gdi::PixRegion windowArea, bool erase);
// Tells w and its ancestors that a window below them may need paint.
void MarkPaintBelow(Window* w);
void ClearUpdateTree(Window* w);
bool NeedsPaint(const Window* w);
// The first window needing paint in pre-order (parents first), within root's tree.
Window* FindWindowToPaint(Window* root);
// What DispatchMessage does with WM_PAINT: WM_NCPAINT for a damaged frame, then WM_PAINT.
void PaintWindow(Window* w);
void SendNcPaint(Window* w);
// Brings every device context handed out to windows up to date with the window tree.
void RefreshDCs();
void ReleaseWindowDCs(Window* w);
void ResetDCs();

// ---- Messages (message.cpp) ------------------------------------------------------------------

LRESULT CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
// A 32-bit stand-in for a procedure (GetWindowLong(GWL_WNDPROC)), and back; other values are
// taken as procedures themselves.
LONG ProcToken(WNDPROC proc);
constexpr uint32_t kProcTokenBase = 0xFFFF0000u;
WNDPROC ProcFromToken(LONG_PTR value);
// Inline: every message passes here with a real procedure, and only a token needs the table.
inline WNDPROC ProcFromValue(LONG_PTR value) {
    uint64_t v = uint64_t(value);
    uint32_t high = uint32_t(v >> 32), low = uint32_t(v);
    if ((high != 0 && high != 0xFFFFFFFFu) || (low & 0xFFFF0000u) != kProcTokenBase)
        return reinterpret_cast<WNDPROC>(value);
    return ProcFromToken(value);
}
bool WaitHookInstalled();
// Remembers the first runaway condition until the pump reports it.
void NoteRunaway(const std::string& text);
void RemoveQueuedFor(Window* w);
void ResetQueue();
bool QueueEmpty();

// ---- Hooks (hooks.cpp) -----------------------------------------------------------------------

// Runs the CBT hooks; a nonzero result refuses the operation.
LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);
void ResetHooks();

// ---- Input, focus, timers (input.cpp, focus.cpp, timer.cpp) ----------------------------------

void ForgetWindowInput(Window* w); // capture, double-click memory, focus and activation
void ResetInput();
void ResetFocus();
void KillWindowTimers(Window* w);
void ResetTimers();
// A due timer's message for a window within filterRoot (null: any); advances the timer.
bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);
bool TakeDueTimer(Window* filterRoot, UINT filterMin, UINT filterMax, bool remove, MSG* msg);
void SetClock(DWORD ms);
void ResetRegistry();
// Focus follows a hidden or destroyed window's subtree to its parent.
void MoveFocusFrom(Window* w);
void ActivateAfterLoss(Window* w);

// ---- Non-client area and standard scroll bars (nonclient.cpp, scrollbar.cpp) ---------------

// The shown bar's rectangle in window coordinates (empty when the window shows none).
RECT ScrollBarRect(const Window* w, int bar);
// What DefWindowProc answers for WM_NCHITTEST, WM_NCPAINT and a press on a bar.
LRESULT NonClientHitTest(Window* w, POINT screen);
void PaintNonClient(Window* w);
void TrackScrollBar(Window* w, int bar, POINT screen);
// Changes every time a registry value is written or removed (system metrics cache on it).
uint64_t RegistrySerial();

// ---- Position changes (winpos.cpp) -----------------------------------------------------------

void HideForDestroy(Window* w);

} // namespace user
