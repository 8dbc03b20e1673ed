// Message maps: every kind of entry reaches its handler with the parameters of its signature;
// maps chain to their base; commands and notifications reach the child's own object first.
#include "support/screen_fixture.h"

#include "platform/afx/afxwin.h"

#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr UINT kCommandId = 300;
constexpr UINT kNotifyId = 301;
constexpr UINT kNotifyCode = UINT(-12);

std::string Format(const char* name, long long a = 0, long long b = 0, long long c = 0) {
    return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + "," +
           std::to_string(c) + ")";
}

// Records each handler's call with its arguments.
class CRecorder : public CWnd {
public:
    std::vector<std::string> calls;
    bool refuseCreate = false;
    int postNcDestroy = 0;

    bool Saw(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    void Log(const char* name, long long a = 0, long long b = 0, long long c = 0) {
        calls.push_back(Format(name, a, b, c));
    }
    static int Id(CWnd* wnd) { return wnd ? wnd->GetDlgCtrlID() : -1; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        Log("create", cs->cx, cs->cy);
        return refuseCreate ? -1 : 0;
    }
    afx_msg void OnDestroy() { calls.push_back("destroy"); }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, kRed);
        calls.push_back("paint");
    }
    afx_msg BOOL OnEraseBkgnd(CDC* dc) {
        calls.push_back(dc && dc->GetSafeHdc() ? "erase" : "erase without dc");
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
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags) { Log("keydown", ch, repeat); }
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags) { Log("char", ch, repeat); }
    afx_msg LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam) {
        Log("user", LONG(wParam), LONG(lParam));
        return 1234;
    }
    afx_msg void OnMenuCommand() { calls.push_back("command"); }
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

LPCWSTR DoubleClickClass() {
    return AfxRegisterWndClass(CS_DBLCLKS, nullptr,
                               reinterpret_cast<HBRUSH>(ULONG_PTR(COLOR_WINDOW + 1)));
}

class MessageMapTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(top.CreateEx(0, DoubleClickClass(), u"top", WS_POPUP | WS_VISIBLE,
                                 CRect(0, 0, 200, 200), nullptr, 0));
        ASSERT_TRUE(
            rec.Create(DoubleClickClass(), u"rec", WS_VISIBLE, CRect(10, 20, 110, 80), &top, 7));
        Pump();
    }
    CRecorder top;
    CRecorder rec;
};

TEST_F(MessageMapTest, CreationPaintingAndErasingReachTheirHandlers) {
    EXPECT_TRUE(rec.Saw("create(100,60,0)"));
    EXPECT_TRUE(rec.Saw("paint"));
    EXPECT_TRUE(rec.Saw("erase"));
    EXPECT_FILL((RECT{10, 20, 110, 80}), kRed);
    EXPECT_TRUE(rec.Saw(Format("size", SIZE_RESTORED, 100, 60)));
    EXPECT_TRUE(rec.Saw(Format("move to", 10, 20)));
    EXPECT_TRUE(rec.Saw(Format("show", TRUE, 0)));
}

TEST_F(MessageMapTest, PointerHandlersGetFlagsAndClientPoints) {
    rec.calls.clear();
    Move(15, 25);
    Down(15, 25);
    Up(16, 26);
    Down(16, 26); // a second press close by: a double click
    Up(16, 26);
    EXPECT_EQ(rec.calls,
              (std::vector<std::string>{Format("move", 0, 5, 5), Format("down", MK_LBUTTON, 5, 5),
                                        Format("up", 0, 6, 6), Format("dbl", MK_LBUTTON, 6, 6),
                                        Format("up", 0, 6, 6)}));
}

TEST_F(MessageMapTest, ScrollTimerSizeFocusCaptureEnableKeys) {
    CRecorder bar;
    ASSERT_TRUE(bar.Create(DoubleClickClass(), u"bar", WS_VISIBLE, CRect(0, 0, 5, 5), &top, 9));
    rec.calls.clear();
    rec.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), LPARAM(bar.m_hWnd));
    rec.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    rec.SetTimer(5, 30);
    AdvanceTime(30);
    rec.KillTimer(5);
    rec.MoveWindow(1, 2, 30, 40);
    bar.SetFocus();
    rec.SetFocus();
    rec.SetCapture();
    bar.SetCapture();
    ::ReleaseCapture();
    rec.EnableWindow(FALSE);
    rec.EnableWindow(TRUE);
    rec.SetFocus();
    Key('A');
    EXPECT_TRUE(rec.Saw(Format("hscroll", SB_THUMBTRACK, 40, 9)));
    EXPECT_TRUE(rec.Saw(Format("vscroll", SB_LINEDOWN, 0, -1)));
    EXPECT_TRUE(rec.Saw(Format("timer", 5)));
    EXPECT_TRUE(rec.Saw(Format("move to", 1, 2)));
    EXPECT_TRUE(rec.Saw(Format("size", SIZE_RESTORED, 30, 40)));
    EXPECT_TRUE(rec.Saw(Format("setfocus", 9)));
    EXPECT_TRUE(rec.Saw(Format("killfocus", -1))); // disabling it took the focus away
    EXPECT_TRUE(rec.Saw(Format("capturechanged", 9)));
    EXPECT_TRUE(rec.Saw(Format("enable", FALSE)));
    EXPECT_TRUE(rec.Saw(Format("enable", TRUE)));
    EXPECT_TRUE(rec.Saw(Format("keydown", 'A', 1)));
    EXPECT_TRUE(rec.Saw(Format("char", 'a', 1)));
}

TEST_F(MessageMapTest, OwnerDrawAndUserMessagesAndCommands) {
    rec.calls.clear();
    DRAWITEMSTRUCT draw = {ODT_BUTTON, 3, 11, ODA_DRAWENTIRE, 0, nullptr, nullptr, {}, 0};
    rec.SendMessage(WM_DRAWITEM, 3, LPARAM(&draw));
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 12, 0, 0, 0};
    rec.SendMessage(WM_MEASUREITEM, 0, LPARAM(&measure));
    EXPECT_EQ(measure.itemHeight, 17u);
    EXPECT_EQ(rec.SendMessage(WM_USER + 1, 5, 6), 1234);
    EXPECT_EQ(rec.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, 0), 0), 1);
    // A command nobody maps is not handled.
    EXPECT_EQ(rec.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId + 1, 0), 0), 0);
    EXPECT_EQ(rec.calls,
              (std::vector<std::string>{Format("drawitem", 3, 11), Format("measureitem", 0, 12),
                                        Format("user", 5, 6), "command"}));
}

TEST_F(MessageMapTest, NotificationsFromForeignChildrenReachTheParentsMap) {
    ProbeWindow plain(rec, {0, 0, 5, 5}, CLR_NONE, kNotifyId);
    NMHDR header = {plain.hwnd(), kNotifyId, kNotifyCode};
    rec.calls.clear();
    EXPECT_EQ(rec.SendMessage(WM_NOTIFY, kNotifyId, LPARAM(&header)), 55);
    EXPECT_EQ(rec.calls,
              (std::vector<std::string>{Format("notify", kNotifyId, LONG(kNotifyCode))}));
    header.code = kNotifyCode - 1; // not mapped
    EXPECT_EQ(rec.SendMessage(WM_NOTIFY, kNotifyId, LPARAM(&header)), 0);
}

TEST_F(MessageMapTest, RefusingCreationFailsCreateAndCleansUp) {
    CRecorder refused;
    refused.refuseCreate = true;
    EXPECT_FALSE(refused.Create(DoubleClickClass(), u"no", WS_VISIBLE, CRect(0, 0, 5, 5), &top, 1));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.postNcDestroy, 1);
    EXPECT_TRUE(refused.Saw("destroy"));
    EXPECT_EQ(top.GetWindow(GW_CHILD)->m_hWnd, rec.m_hWnd);
    // An unknown class fails before any window exists, and still ends the object's life.
    CRecorder unknown;
    EXPECT_FALSE(unknown.Create(u"NoSuchClass", u"", 0, CRect(0, 0, 5, 5), &top, 2));
    EXPECT_EQ(unknown.postNcDestroy, 1);
}

// ---- Chaining and reflection -----------------------------------------------------------------

class CBaseHandler : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back("base timer"); }
    afx_msg LRESULT OnUser2(WPARAM, LPARAM) {
        calls.push_back("base user");
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseHandler, CWnd)
ON_WM_TIMER()
ON_MESSAGE(WM_USER + 2, OnUser2)
END_MESSAGE_MAP()

class CDerivedHandler : public CBaseHandler {
protected:
    afx_msg LRESULT OnUser2(WPARAM, LPARAM) {
        calls.push_back("derived user");
        return 2;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedHandler, CBaseHandler)
ON_MESSAGE(WM_USER + 2, OnUser2)
END_MESSAGE_MAP()

// A control that handles its own notifications.
class CSelfNotifying : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    afx_msg void OnReflectedNotify(NMHDR* header, LRESULT* result) {
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

class ChainTest : public ScreenTest {};

TEST_F(ChainTest, DerivedMapsWinAndFallBackToTheirBase) {
    CDerivedHandler w;
    ASSERT_TRUE(w.CreateEx(0, DoubleClickClass(), u"", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_EQ(w.SendMessage(WM_USER + 2), 2);
    w.SetTimer(1, 10);
    AdvanceTime(10);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"derived user", "base timer"}));
}

TEST_F(ChainTest, NotificationsAndCommandsGoToTheChildsOwnObjectFirst) {
    CRecorder parent;
    ASSERT_TRUE(
        parent.CreateEx(0, DoubleClickClass(), u"", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CSelfNotifying child;
    ASSERT_TRUE(
        child.Create(DoubleClickClass(), u"", WS_VISIBLE, CRect(0, 0, 5, 5), &parent, kNotifyId));
    parent.calls.clear();
    NMHDR header = {child.m_hWnd, kNotifyId, kNotifyCode};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kNotifyId, LPARAM(&header)), 77);
    EXPECT_EQ(
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, BN_CLICKED), LPARAM(child.m_hWnd)),
        1);
    EXPECT_EQ(child.calls, (std::vector<std::string>{"reflected notify", "reflected click"}));
    EXPECT_TRUE(parent.calls.empty()); // the child ate both
    // A notification the child does not reflect reaches the parent's own map.
    CWnd plainChild;
    ASSERT_TRUE(
        plainChild.Create(DoubleClickClass(), u"", 0, CRect(0, 0, 5, 5), &parent, kCommandId));
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, 0), LPARAM(plainChild.m_hWnd)),
              1);
    EXPECT_EQ(parent.calls, (std::vector<std::string>{"command"}));
}

// ---- Default() and the class's own procedure -------------------------------------------------

std::vector<UINT>* g_classProcSaw = nullptr;
LRESULT ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_classProcSaw && message >= WM_USER) g_classProcSaw->push_back(message);
    if (message == WM_USER + 5) return 99;
    if (message == WM_USER + 6) return 66;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

class CWrapper : public CWnd {
public:
    int sawFive = 0;

protected:
    afx_msg LRESULT OnFive(WPARAM, LPARAM) {
        ++sawFive;
        return Default() + 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWrapper, CWnd)
ON_MESSAGE(WM_USER + 5, OnFive)
END_MESSAGE_MAP()

class DefaultTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        g_classProcSaw = &saw;
        WNDCLASS wc{};
        wc.lpfnWndProc = ClassProc;
        wc.lpszClassName = u"SkPlatformControl";
        ASSERT_TRUE(AfxRegisterClass(&wc));
    }
    void TearDown() override {
        g_classProcSaw = nullptr;
        ScreenTest::TearDown();
    }
    std::vector<UINT> saw;
};

TEST_F(DefaultTest, DefaultReachesTheClassProcedure) {
    CWrapper w;
    ASSERT_TRUE(w.CreateEx(0, u"SkPlatformControl", u"", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_EQ(w.SendMessage(WM_USER + 5), 100);
    EXPECT_EQ(w.SendMessage(WM_USER + 6), 66); // not in the map: straight to the class
    EXPECT_EQ(w.sawFive, 1);
    EXPECT_EQ(saw, (std::vector<UINT>{WM_USER + 5, WM_USER + 6}));
    // The framework's procedure gives way to the class's again when the window goes.
    HWND hwnd = w.m_hWnd;
    EXPECT_NE(::GetWindowLongPtr(hwnd, GWL_WNDPROC), LONG_PTR(&ClassProc));
    w.DestroyWindow();
    EXPECT_EQ(w.m_hWnd, nullptr);
}

TEST_F(DefaultTest, SubclassingAnExistingWindowRoutesItThroughTheMap) {
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
