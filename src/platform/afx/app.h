// CWinApp: the application object, with InitInstance and a message loop that ends on WM_QUIT.
#pragma once

#include "platform/afx/msgmap.h"

class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The application object makes itself the current one (AfxGetApp) for its lifetime.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // Runs the message loop until WM_QUIT, calling OnIdle whenever the queue is empty; returns
    // ExitInstance(). Without a display or a wait hook an idle loop ends by itself.
    virtual int Run();
    // The exit code: WM_QUIT's wParam.
    virtual int ExitInstance() { return m_nExitCode; }
    // Frees the framework's temporary objects; more idle work when it returns TRUE.
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PreTranslateMessage(MSG* msg);
    CWnd* GetMainWnd() const { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
    LPCWSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;

protected:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// What an application's entry does: InitInstance, then Run (or ExitInstance when
// InitInstance fails).
int AfxWinMain();
