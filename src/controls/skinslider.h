// CSkinSlider: a horizontal slider drawn from a background bitmap (which also gives the
// control its size) and a thumb strip of two frames, normal and dragged.
//
// The thumb moves inside a track: the control less "thumb_margin" at each end, the thumb's
// height centred vertically. The user drags the thumb, or taps the track beside it to move it
// by one tick step. Every change posts the slider's own message (WM_USER + 0x32 unless
// SetMessageID says otherwise) to the command window with lParam 0 and wParam 1 (a tap moved
// the thumb), 2 (a move during a drag) or 4 (the drag ended). The application maps the thumb
// to a value range with SetRange, SetPos and GetPos; an Update puts the thumb back at the left
// end, so the application re-applies its position after a skin change.
//
// Attributes read by Update, in this order: "visible", "bkgnd_display", "bkgnd_filename",
// "bkgnd_transparent", "bkgnd_transparent_color", "thumb_filename", "thumb_transparent_color",
// "thumb_margin", "tick_freq_type" (1: "tick_freq" is in pixels; else a percentage of the
// width, held to 5..20), "tick_freq", "position" (point in the parent's client coordinates).
#pragma once

#include "controls/skinobject.h"
#include "skindesc/skinvalues.h"

class CSkinSlider : public CSkinObject {
    DECLARE_DYNAMIC(CSkinSlider)
public:
    static constexpr DWORD kDefaultMessage = WM_USER + 0x32;
    enum Notification : WPARAM { kStepped = 1, kDragged = 2, kReleased = 4 };

    CSkinSlider() = default;
    ~CSkinSlider() override;

    // A non-null window receives the notifications from now on (it must be a permanent
    // framework object); without one they go to the slider's parent.
    void SetCmdParent(CWnd* window);
    void SetMessageID(DWORD id) { m_nMessageID = id; }
    // Stores the range; the thumb stays where it is.
    void SetRange(DWORD minimum, DWORD maximum);
    // Moves the thumb to pos of the range (ignored outside it); no notification.
    void SetPos(DWORD pos);
    DWORD GetPos() const;

protected:
    void Unload() override;
    void Update() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

    // Pixels the thumb's left edge can travel along the track; 0 when it cannot move.
    DWORD Travel() const;
    // Moves the thumb by dx, kept inside the track.
    void MoveThumb(int dx);
    void Notify(WPARAM code);

    bool m_bBkgndDisplay = false;
    HBITMAP m_hBkgnd = nullptr;
    bool m_bBkgndTransparent = false;
    COLORREF m_clrBkgndTransparent = 0;
    HBITMAP m_hThumb = nullptr;
    COLORREF m_clrThumbTransparent = 0;
    LONG m_nThumbMargin = 0;
    CRect m_rectThumb{0, 0, 0, 0};
    DWORD m_nTickStep = 0;
    CRect m_rectWindow{0, 0, 0, 0};
    CRect m_rectTrack{0, 0, 0, 0};
    bool m_bDragging = false;
    CPoint m_ptAnchor{0, 0};
    DWORD m_nMin = 0;
    DWORD m_nMax = 100;
    CWnd* m_pCmdParent = nullptr;
    DWORD m_nMessageID = kDefaultMessage;

private:
    void ReadComponent(const CAttributeIndex& attributes) override;
    // Track, thumb and tick step from the control's size and the skin's values.
    void LayOut(DWORD tickType, DWORD tickFreq);
    void PaintBackground(CDC* image, CDC* compatible, const CRect& client);

    DECLARE_MESSAGE_MAP()
};
