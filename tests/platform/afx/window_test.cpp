// Window objects: permanent and temporary objects, attaching, destruction and self-deleting
// frames, relatives, class registration, window device contexts, the resource exception and
// the application's run loop.
#include "support/screen_fixture.h"

#include "platform/afx/afxwin.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class WindowObjectTest : public ScreenTest {};

LPCWSTR PlainClass() {
    return AfxRegisterWndClass(0);
}

// Permanent objects are found by handle, foreign windows get one temporary each until idle;
// attaching and detaching never touch the window, destroying either side ends the pairing.
TEST_F(WindowObjectTest, PermanentTemporaryAttachedAndDestroyedObjects) {
    ProbeWindow foreign(nullptr, {0, 0, 5, 5}, kWhite, 0, WS_POPUP);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign.hwnd());
    EXPECT_EQ(CWnd::FromHandle(foreign), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    Pump(); // temporaries go at idle without touching their windows
    EXPECT_TRUE(::IsWindow(foreign));
    {
        CWnd w;
        ASSERT_TRUE(w.Attach(foreign));
        EXPECT_FALSE(w.Attach(foreign)); // already holds a window
        EXPECT_EQ(CWnd::FromHandlePermanent(foreign), &w);
        EXPECT_EQ(w.Detach(), foreign.hwnd());
        EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    }
    EXPECT_TRUE(::IsWindow(foreign));
    HWND made = nullptr;
    {
        CWnd w, attached;
        ASSERT_TRUE(w.CreateEx(0, PlainClass(), u"", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
        made = w.m_hWnd;
        attached.Attach(foreign);
        EXPECT_TRUE(attached.DestroyWindow());
        EXPECT_EQ(attached.m_hWnd, nullptr);
    }
    EXPECT_FALSE(::IsWindow(foreign));
    EXPECT_FALSE(::IsWindow(made)); // the object's end destroyed its window
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, PlainClass(), u"", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    ::DestroyWindow(w.m_hWnd);
    EXPECT_EQ(w.m_hWnd, nullptr);
}

class CCountedFrame : public CFrameWnd {
public:
    explicit CCountedFrame(int* deleted) : m_deleted(deleted) {}
    ~CCountedFrame() override { ++*m_deleted; }

private:
    int* m_deleted;
};

TEST_F(WindowObjectTest, FramesOwnersTopLevelParentsAndSelfDeletion) {
    int deleted = 0;
    auto* outer = new CCountedFrame(&deleted);
    ASSERT_TRUE(outer->Create(nullptr, u"outer", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200)));
    auto* inner = new CCountedFrame(&deleted);
    ASSERT_TRUE(
        inner->Create(nullptr, u"inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), outer));
    CWnd control;
    ASSERT_TRUE(control.Create(PlainClass(), u"", WS_VISIBLE, CRect(0, 0, 10, 10), inner, 5));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, PlainClass(), u"", WS_POPUP, CRect(0, 0, 10, 10), &control, 0));

    // A child has no owner: its chain of owners ends with itself. The popup is owned by the
    // control's top-level window.
    std::vector<CWnd*> relatives = {control.GetParentFrame(),   inner->GetParentFrame(),
                                    outer->GetParentFrame(),    control.GetTopLevelFrame(),
                                    outer->GetTopLevelFrame(),  control.GetTopLevelParent(),
                                    control.GetTopLevelOwner(), popup.GetTopLevelOwner(),
                                    popup.GetTopLevelParent(),  popup.GetParentFrame()};
    EXPECT_EQ(relatives, (std::vector<CWnd*>{inner, outer, nullptr, outer, outer, outer, &control,
                                             outer, outer, outer}));
    outer->DestroyWindow(); // takes inner, the control and the owned popup with it
    EXPECT_EQ(control.m_hWnd, nullptr);
    EXPECT_EQ(popup.m_hWnd, nullptr);
    EXPECT_EQ(deleted, 2); // frames delete themselves when their window goes
}

TEST_F(WindowObjectTest, WindowDeviceContextsDrawAndAreGivenBack) {
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, PlainClass(), u"", WS_POPUP | WS_VISIBLE | WS_BORDER,
                           CRect(10, 10, 60, 60), nullptr, 0));
    Pump();
    int dcs = GdiGetObjectCounts().dcs;
    {
        CClientDC dc(&w);
        dc.FillSolidRect(0, 0, 5, 5, RGB(1, 2, 3));
        CWindowDC frame(&w);
        frame.SetPixel(0, 0, RGB(4, 5, 6));
        EXPECT_EQ(GdiGetObjectCounts().dcs, dcs + 2);
        CClientDC screen(nullptr);
        screen.SetPixel(200, 300, RGB(7, 8, 9));
    }
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs);
    EXPECT_EQ(Pixel(11, 11), RGB(1, 2, 3));
    EXPECT_EQ(Pixel(10, 10), RGB(4, 5, 6));
    EXPECT_EQ(Pixel(200, 300), RGB(7, 8, 9));
    // A paint context validates what it paints: no second WM_PAINT.
    w.Invalidate();
    {
        CPaintDC dc(&w);
        EXPECT_NE(dc.m_ps.rcPaint.right, 0);
        EXPECT_TRUE(dc.m_ps.fErase); // the plain class has no brush to erase with
    }
    EXPECT_FALSE(w.GetUpdateRect(nullptr));
    EXPECT_EQ(GdiGetObjectCounts().dcs, dcs);
    // The wrapper's GetDC hands out a temporary object for the window's context.
    CDC* dc = w.GetDC();
    EXPECT_EQ(::WindowFromDC(dc->GetSafeHdc()), w.m_hWnd);
    EXPECT_EQ(w.ReleaseDC(dc), 1);
}

// A window object may change how its window is made before it exists.
class CBordered : public CWnd {
protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.style |= WS_BORDER;
        cs.lpszName = u"renamed";
        return TRUE;
    }
};

class CRefusing : public CWnd {
public:
    int ended = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
    void PostNcDestroy() override { ++ended; }
};

TEST_F(WindowObjectTest, PreCreateWindowShapesOrRefusesTheWindow) {
    CBordered w;
    ASSERT_TRUE(w.CreateEx(0, PlainClass(), u"name", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    EXPECT_TRUE(w.GetStyle() & WS_BORDER);
    CString text;
    w.GetWindowText(text);
    EXPECT_EQ(text, CString(u"renamed"));
    CRect client;
    w.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 18);
    CRefusing refused;
    EXPECT_FALSE(refused.CreateEx(0, PlainClass(), u"", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_EQ(refused.ended, 1);
    EXPECT_EQ(GetTopWindow(nullptr), w.m_hWnd);
}

// Registering a class twice succeeds; a refused registration is reported, and the framework's
// resource exception is thrown by pointer.
TEST_F(WindowObjectTest, ClassRegistrationAndTheResourceException) {
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = u"SkTwice";
    UserFailClassRegistrations(true);
    EXPECT_FALSE(AfxRegisterClass(&wc));
    EXPECT_EQ(AfxRegisterWndClass(CS_DBLCLKS), nullptr);
    UserFailClassRegistrations(false);
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));
    bool caught = false;
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        caught = e->IsKindOf(RUNTIME_CLASS(CResourceException));
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

// ---- The application object ------------------------------------------------------------------

class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, u"Main", WS_POPUP | WS_VISIBLE)) return FALSE;
        m_pMainWnd = frame;
        return TRUE;
    }
    int ExitInstance() override {
        exited = true;
        return CWinApp::ExitInstance();
    }
    void OnHello() { ++hellos; }
    bool exited = false;
    int hellos = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(900, OnHello)
END_MESSAGE_MAP()

class AppTest : public ScreenTest {};

TEST_F(AppTest, RunEndsWhenTheMainWindowCloses) {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    int waits = 0;
    UserSetWaitHook([&] {
        ++waits;
        if (waits == 1) AfxGetMainWnd()->PostMessage(WM_COMMAND, 900);
        if (waits == 2) AfxGetMainWnd()->PostMessage(WM_CLOSE);
        return true;
    });
    EXPECT_EQ(AfxWinMain(), 0);
    UserSetWaitHook(nullptr);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.hellos, 1); // the frame passed the command on to the application
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    // The frame painted before the loop first waited.
    EXPECT_EQ(waits, 2);
}

TEST_F(AppTest, AnIdleLoopWithoutDisplayEndsWithTheQuitCode) {
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    ::PostQuitMessage(3);
    EXPECT_EQ(app.Run(), 3);
    EXPECT_TRUE(app.exited);
    // With nothing posted, the headless loop paints and then ends by itself.
    app.exited = false;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.exited);
    EXPECT_FILL((RECT{0, 0, 240, 320}), COLORREF(GetSysColor(COLOR_WINDOW)));
    app.m_pMainWnd->DestroyWindow();
}

} // namespace
