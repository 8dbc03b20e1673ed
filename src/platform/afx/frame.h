// CFrameWnd: the framework's frame window, the outer window of an application's screen.
#pragma once

#include "platform/afx/wnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // A null class name uses the framework's frame class (double clicks, arrow cursor, window
    // colour). rect of CW_USEDEFAULT fills the screen.
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = nullptr,
                        LPCWSTR menuName = nullptr, DWORD exStyle = 0,
                        CCreateContext* context = nullptr);
    BOOL IsFrameWnd() const override { return TRUE; }
    // Commands the frame does not handle go on to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    static constexpr RECT rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

protected:
    // Frames are made with new and delete themselves when their window is gone.
    void PostNcDestroy() override { delete this; }

    DECLARE_MESSAGE_MAP()
};
