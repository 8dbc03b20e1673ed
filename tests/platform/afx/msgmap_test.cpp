// Message maps: every kind of entry reaches its handler with the parameters of its signature;
// commands and notifications reach the child's own object first; Default() reaches the class's
// own procedure.
#include "support/screen_fixture.h"

#include "platform/afx/afxwin.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr UINT kCommandId = 300;
constexpr UINT kNotifyId = 301;
constexpr UINT kNotifyCode = UINT(-12);

using Calls = std::vector<std::string>;

// Records each handler's call with its arguments.
class CRecorder : public CWnd {
public:
    Calls calls;
    bool refuseCreate = false;
    int postNcDestroy = 0;

    void Log(const char* name, long long a = 0, long long b = 0, long long c = 0) {
        calls.push_back(std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) +
                        "," + std::to_string(c) + ")");
    }
    static int Id(CWnd* wnd) { return wnd ? wnd->GetDlgCtrlID() : -1; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        Log("create", cs->cx, cs->cy);
        return refuseCreate ? -1 : 0;
    }
    afx_msg void OnDestroy() { Log("destroy"); }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, kRed);
        Log("paint");
    }
    afx_msg BOOL OnEraseBkgnd(CDC* dc) {
        Log("erase", dc && dc->GetSafeHdc());
        return TRUE;
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) { Log("down", flags, p.x, p.y); }
    afx_msg void OnLButtonUp(UINT flags, CPoint p) { Log("up", flags, p.x, p.y); }
    afx_msg void OnLButtonDblClk(UINT flags, CPoint p) { Log("dbl", flags, p.x, p.y); }
    afx_msg void OnMouseMove(UINT flags, CPoint p) { Log("move", flags, p.x, p.y); }
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* b) { Log("hscroll", code, pos, Id(b)); }
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* b) { Log("vscroll", code, pos, Id(b)); }
    afx_msg void OnTimer(UINT_PTR id) { Log("timer", id); }
    afx_msg void OnSize(UINT type, int cx, int cy) { Log("size", type, cx, cy); }
    afx_msg void OnMove(int x, int y) { Log("move to", x, y); }
    afx_msg void OnSetFocus(CWnd* old) { Log("setfocus", Id(old)); }
    afx_msg void OnKillFocus(CWnd* next) { Log("killfocus", Id(next)); }
    afx_msg void OnCaptureChanged(CWnd* wnd) { Log("capturechanged", Id(wnd)); }
    afx_msg void OnEnable(BOOL enable) { Log("enable", enable); }
    afx_msg void OnShowWindow(BOOL show, UINT status) { Log("show", show, status); }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item) { Log("drawitem", id, item->itemID); }
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
        item->itemHeight = 17;
        Log("measureitem", id, item->itemID);
    }
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags) { Log("keydown", ch, repeat, flags); }
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags) { Log("char", ch, repeat, flags); }
    afx_msg LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam) {
        Log("user", LONG(wParam), LONG(lParam));
        return 1234;
    }
    afx_msg void OnMenuCommand() { Log("command"); }
    afx_msg void OnChildNotification(NMHDR* header, LRESULT* result) {
        Log("notify", LONG(header->idFrom), LONG(header->code));
        *result = 55;
    }
    void PostNcDestroy() override { ++postNcDestroy; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorder, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CAPTURECHANGED()
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_USER + 1, OnUserMessage)
ON_COMMAND(kCommandId, OnMenuCommand)
ON_NOTIFY(kNotifyCode, kNotifyId, OnChildNotification)
END_MESSAGE_MAP()

LPCWSTR ClassName() {
    return AfxRegisterWndClass(CS_DBLCLKS, nullptr,
                               reinterpret_cast<HBRUSH>(ULONG_PTR(COLOR_WINDOW + 1)));
}

class MessageMapTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(top.CreateEx(0, ClassName(), u"top", WS_POPUP | WS_VISIBLE,
                                 CRect(0, 0, 200, 200), nullptr, 0));
        ASSERT_TRUE(rec.Create(ClassName(), u"rec", WS_VISIBLE, CRect(10, 20, 110, 80), &top, 7));
        Pump();
    }
    CRecorder top, rec;
};

TEST_F(MessageMapTest, CreationPaintingAndErasingReachTheirHandlers) {
    EXPECT_EQ(rec.calls, (Calls{"create(100,60,0)", "size(0,100,60)", "move to(10,20,0)",
                                "show(1,0,0)", "erase(1,0,0)", "paint(0,0,0)"}));
    EXPECT_FILL((RECT{10, 20, 110, 80}), kRed);
}

// Each signature takes its arguments from the right halves, signed where they are points.
TEST_F(MessageMapTest, EveryEntryGetsTheArgumentsOfItsSignature) {
    CRecorder bar;
    ASSERT_TRUE(bar.Create(ClassName(), u"bar", WS_VISIBLE, CRect(0, 0, 5, 5), &top, 9));
    LPARAM b = LPARAM(bar.m_hWnd);
    DRAWITEMSTRUCT draw = {ODT_BUTTON, 3, 11, ODA_DRAWENTIRE, 0, nullptr, nullptr, {}, 0};
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 12, 0, 0, 0};
    // Notifications that the child does not reflect reach the parent's map.
    NMHDR mapped = {bar.m_hWnd, kNotifyId, kNotifyCode}, unmapped = {bar.m_hWnd, kNotifyId, 0};
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, -6), 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(-1, 6), 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(6, 6), 0},
        {WM_MOUSEMOVE, 0, MAKELPARAM(7, 8), 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), b, 0},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, 0},
        {WM_TIMER, 5, 0, 0},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), 0},
        {WM_MOVE, 0, MAKELPARAM(-1, 2), 0},
        {WM_SETFOCUS, WPARAM(b), 0, 0},
        {WM_KILLFOCUS, 0, 0, 0},
        {WM_CAPTURECHANGED, 0, b, 0},
        {WM_ENABLE, FALSE, 0, 0},
        {WM_SHOWWINDOW, TRUE, 3, 0},
        {WM_KEYDOWN, 'A', MAKELPARAM(1, 0x40), 0},
        {WM_CHAR, 'a', MAKELPARAM(2, 0), 0},
        {WM_DRAWITEM, 3, LPARAM(&draw), 0},
        {WM_MEASUREITEM, 0, LPARAM(&measure), 0},
        {WM_USER + 1, 5, 6, 1234},
        {WM_COMMAND, MAKEWPARAM(kCommandId, 0), 0, 1},
        {WM_COMMAND, MAKEWPARAM(kCommandId + 1, 0), 0, 0}, // mapped by nobody
        {WM_NOTIFY, kNotifyId, LPARAM(&mapped), 55},
        {WM_NOTIFY, kNotifyId, LPARAM(&unmapped), 0},
    };
    rec.calls.clear();
    for (const Case& c : cases)
        EXPECT_EQ(rec.SendMessage(c.message, c.wParam, c.lParam), c.result) << c.message;
    EXPECT_EQ(rec.calls, (Calls{"down(1,5,-6)",    "up(0,-1,6)",        "dbl(1,6,6)",
                                "move(0,7,8)",     "hscroll(5,40,9)",   "vscroll(1,0,-1)",
                                "timer(5,0,0)",    "size(0,30,40)",     "move to(-1,2,0)",
                                "setfocus(9,0,0)", "killfocus(-1,0,0)", "capturechanged(9,0,0)",
                                "enable(0,0,0)",   "show(1,3,0)",       "keydown(65,1,64)",
                                "char(97,2,0)",    "drawitem(3,11,0)",  "measureitem(0,12,0)",
                                "user(5,6,0)",     "command(0,0,0)",    "notify(301,-12,0)"}));
    EXPECT_EQ(measure.itemHeight, 17u);
}

TEST_F(MessageMapTest, RefusingCreationFailsCreateAndCleansUp) {
    CRecorder refused;
    refused.refuseCreate = true;
    EXPECT_FALSE(refused.Create(ClassName(), u"no", WS_VISIBLE, CRect(0, 0, 5, 5), &top, 1));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.postNcDestroy, 1);
    EXPECT_EQ(refused.calls, (Calls{"create(5,5,0)", "destroy(0,0,0)"}));
    EXPECT_EQ(top.GetWindow(GW_CHILD)->m_hWnd, rec.m_hWnd);
    // An unknown class fails before any window exists, and still ends the object's life.
    CRecorder unknown;
    EXPECT_FALSE(unknown.Create(u"NoSuchClass", u"", 0, CRect(0, 0, 5, 5), &top, 2));
    EXPECT_EQ(unknown.postNcDestroy, 1);
}

// ---- Reflection, Default() ----------------------------------------------------------------------

// A control that handles its own notifications.
class CSelfNotifying : public CWnd {
public:
    Calls calls;

protected:
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* result) {
        calls.push_back("reflected notify");
        *result = 77;
    }
    afx_msg void OnReflectedClick() { calls.push_back("reflected click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfNotifying, CWnd)
ON_NOTIFY_REFLECT(kNotifyCode, OnReflectedNotify)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

using ChainTest = ScreenTest;

TEST_F(ChainTest, NotificationsAndCommandsGoToTheChildsOwnObjectFirst) {
    CRecorder parent;
    ASSERT_TRUE(parent.CreateEx(0, ClassName(), u"", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CSelfNotifying child;
    ASSERT_TRUE(child.Create(ClassName(), u"", WS_VISIBLE, CRect(0, 0, 5, 5), &parent, kNotifyId));
    CWnd plainChild;
    ASSERT_TRUE(plainChild.Create(ClassName(), u"", 0, CRect(0, 0, 5, 5), &parent, kCommandId));
    parent.calls.clear();
    NMHDR header = {child.m_hWnd, kNotifyId, kNotifyCode};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kNotifyId, LPARAM(&header)), 77);
    EXPECT_EQ(
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, BN_CLICKED), LPARAM(child.m_hWnd)),
        1);
    EXPECT_EQ(child.calls, (Calls{"reflected notify", "reflected click"}));
    EXPECT_TRUE(parent.calls.empty()); // the child ate both
    // A command the child does not reflect reaches the parent's own map.
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, 0), LPARAM(plainChild.m_hWnd)),
              1);
    EXPECT_EQ(parent.calls, (Calls{"command(0,0,0)"}));
}

LRESULT ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 5) return 99;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

class CWrapper : public CWnd {
protected:
    afx_msg LRESULT OnFive(WPARAM, LPARAM) { return Default() + 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWrapper, CWnd)
ON_MESSAGE(WM_USER + 5, OnFive)
END_MESSAGE_MAP()

using DefaultTest = ScreenTest;

// Default() reaches the class's own procedure (the list and tree wrappers, made on their
// platform classes, rely on it for all they do not map); unsubclassing gives the window back.
TEST_F(DefaultTest, SubclassingAnExistingWindowRoutesItThroughTheMap) {
    WNDCLASS wc{};
    wc.lpfnWndProc = ClassProc;
    wc.lpszClassName = u"SkPlatformControl";
    ASSERT_TRUE(AfxRegisterClass(&wc));
    HWND hwnd = ::CreateWindowEx(0, u"SkPlatformControl", u"", WS_POPUP, 0, 0, 5, 5, nullptr,
                                 nullptr, nullptr, nullptr);
    {
        CWrapper w;
        ASSERT_TRUE(w.SubclassWindow(hwnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &w);
        EXPECT_EQ(::SendMessage(hwnd, WM_USER + 5, 0, 0), 100);
        EXPECT_EQ(w.UnsubclassWindow(), hwnd);
    }
    EXPECT_EQ(::SendMessage(hwnd, WM_USER + 5, 0, 0), 99);
    EXPECT_TRUE(::IsWindow(hwnd)); // the object let go without destroying the window
    ::DestroyWindow(hwnd);
}

} // namespace
