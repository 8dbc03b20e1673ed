#include "platform/afx/app.h"

#include "platform/afx/wnd.h"
#include "platform/base/module.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {

CWinApp*& TheApp() {
    static CWinApp* app = nullptr;
    return app;
}

} // namespace

CWinApp::CWinApp(LPCWSTR appName) : m_pszAppName(appName) {
    m_hInstance = AfxGetInstanceHandle();
    TheApp() = this;
}

CWinApp::~CWinApp() {
    if (TheApp() == this) TheApp() = nullptr;
}

CWinApp* AfxGetApp() {
    return TheApp();
}

CWnd* AfxGetMainWnd() {
    return TheApp() ? TheApp()->m_pMainWnd : nullptr;
}

BOOL CWinApp::OnIdle(LONG count) {
    if (count == 0) AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    CWnd* wnd = CWnd::FromHandlePermanent(msg->hwnd);
    return wnd && wnd->PreTranslateMessage(msg);
}

int CWinApp::Run() {
    MSG msg;
    for (LONG idle = 0;;) {
        while (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(idle++)) {
        }
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            m_nExitCode = int(msg.wParam);
            return ExitInstance();
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        idle = 0;
    }
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
