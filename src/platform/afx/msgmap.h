// Message maps: the framework's tables that route window messages and commands to member
// functions, chained from a class to its base.
//
// Each entry keeps its handler as a generic member-function pointer together with a signature
// code; dispatch converts it back to exactly the type it was stored from, so every handler is
// called with the parameters of its own signature.
#pragma once

#include "platform/base/object.h"
#include "platform/user/userdefs.h"

#define afx_msg

class CCmdTarget;
class CWnd;
class CDC;
class CPoint;
class CScrollBar;

typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures (the kinds of parameters a handler receives).
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,       // void ()
    AfxSig_is,       // int (LPCREATESTRUCT)
    AfxSig_bD,       // BOOL (CDC*)
    AfxSig_vwp,      // void (UINT, CPoint)
    AfxSig_vwwx,     // void (UINT, UINT, CScrollBar*)
    AfxSig_vt,       // void (UINT_PTR)
    AfxSig_vwii,     // void (UINT, int, int)
    AfxSig_vvii,     // void (int, int)
    AfxSig_vW,       // void (CWnd*) from wParam
    AfxSig_vWl,      // void (CWnd*) from lParam
    AfxSig_vb,       // void (BOOL)
    AfxSig_vbw,      // void (BOOL, UINT)
    AfxSig_vDRAW,    // void (int, LPDRAWITEMSTRUCT)
    AfxSig_vMEASURE, // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_vwww,     // void (UINT, UINT, UINT)
    AfxSig_lwl,      // LRESULT (WPARAM, LPARAM)
    AfxSigCmd_v,     // void () for commands and reflected commands
    AfxSigNotify_v,  // void (NMHDR*, LRESULT*)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;   // notification code (low 16 bits) for commands and notifications
    UINT nID;     // first control identifier
    UINT nLastID; // last control identifier
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a notification handler is given (the pExtra of OnCmdMsg for WM_NOTIFY).
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Reflected messages arrive at the child as WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00
#define CN_COMMAND 0

// The base of everything that has a message map.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    // nCode: notification code in the low word, the message in the high word (0: WM_COMMAND).
    // pExtra: an AFX_NOTIFY for notifications.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // The first entry for message, code and identifier along the chain of maps, or null.
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                             UINT id);
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        typedef theClass ThisClass [[maybe_unused]];                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, nullptr }                                                            \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// A member function of CWnd of function type F.
template <class F> using AfxWndMember = F CWnd::*;

// Stores a handler of the given function type, as a member of CWnd, in an entry.
#define AFX_WND_HANDLER(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<AfxWndMember<type>>(fn))

#define AFX_WM_ENTRY(msg, sig, type, fn) {msg, 0, 0, 0, sig, AFX_WND_HANDLER(type, fn)},

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_is, int(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, void(), &ThisClass::OnNcDestroy)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void(), &ThisClass::OnPaint)
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_LBUTTONDOWN()                                                                        \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void(UINT, CPoint), &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP()                                                                          \
    AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void(UINT, CPoint), &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void(UINT, CPoint), &ThisClass::OnLButtonDblClk)
#define ON_WM_MOUSEMOVE()                                                                          \
    AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void(UINT, CPoint), &ThisClass::OnMouseMove)
#define ON_WM_HSCROLL()                                                                            \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig_vwwx, void(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)
#define ON_WM_VSCROLL()                                                                            \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig_vwwx, void(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_vt, void(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_vwii, void(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_vvii, void(int, int), &ThisClass::OnMove)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vWl, void(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AfxSig_vb, void(BOOL), &ThisClass::OnEnable)
#define ON_WM_SHOWWINDOW()                                                                         \
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void(BOOL, UINT), &ThisClass::OnShowWindow)
#define ON_WM_DRAWITEM()                                                                           \
    AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_vDRAW, void(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                        \
    AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_vMEASURE, void(int, LPMEASUREITEMSTRUCT),                  \
                 &ThisClass::OnMeasureItem)
#define ON_WM_KEYDOWN()                                                                            \
    AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_vwww, void(UINT, UINT, UINT), &ThisClass::OnKeyDown)
#define ON_WM_KEYUP()                                                                              \
    AFX_WM_ENTRY(WM_KEYUP, AfxSig_vwww, void(UINT, UINT, UINT), &ThisClass::OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_vwww, void(UINT, UINT, UINT), &ThisClass::OnChar)

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_WM_ENTRY(message, AfxSig_lwl, LRESULT(WPARAM, LPARAM), &ThisClass::memberFxn)

// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     UINT(id),                                                                                     \
     UINT(id),                                                                                     \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     UINT(id),                                                                                     \
     UINT(idLast),                                                                                 \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
// void memberFxn() for a control's notification code
#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND,                                                                                   \
     UINT(WORD(code)),                                                                             \
     UINT(id),                                                                                     \
     UINT(id),                                                                                     \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// void memberFxn(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    {WM_NOTIFY,                                                                                    \
     UINT(WORD(code)),                                                                             \
     UINT(id),                                                                                     \
     UINT(id),                                                                                     \
     AfxSigNotify_v,                                                                               \
     reinterpret_cast<AFX_PMSG>(                                                                   \
         static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
// Reflected to the control that sent them: void memberFxn(NMHDR*, LRESULT*) and
// void memberFxn().
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                  \
     UINT(WORD(code)),                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     AfxSigNotify_v,                                                                               \
     reinterpret_cast<AFX_PMSG>(                                                                   \
         static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                 \
     UINT(WORD(code)),                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
