// CSkinScrollBar: a vertical scroll bar painted from four skin bitmaps, driving any view that
// implements CSkinScrollInterface.
//
// The bar docks along the right edge of its parent over the parent's full client height, as
// wide as its shaft bitmap. From top to bottom: the less arrow (scrolls towards the start), the
// shaft with the elevator on it, the more arrow. Arrows are strips of three frames (normal,
// pressed, disabled) as wide as the bar; both are as high as the less-arrow bitmap. The shaft
// bitmap is stretched over the shaft; the elevator bitmap has 15 rows: a 5-row top cap, 5 rows
// stretched over the middle and a 5-row bottom cap.
//
// A held arrow steps by the view's item size at once and then every 50 ms while the pointer
// stays on it; a press on the shaft pages once towards the press; the elevator follows a drag
// and scrolls the view to the matching index. The bar sends nothing to its parent: its effects
// reach the view only. It reads no "visible" or "position": it places and shows itself.
//
// Attributes read by Update (bitmap names in the bar's section): "image_arrowless",
// "image_arrowmore", "image_shaft", "image_elevator".
//
// A bar created horizontal has no layout of its own: it stays hidden and scrolls nothing.
#pragma once

#include "controls/skinobject.h"
#include "controls/skinscrollinterface.h"

class CSkinScrollBar : public CSkinObject {
    DECLARE_DYNAMIC(CSkinScrollBar)
public:
    static constexpr UINT kRepeatInterval = 50;   // ms between arrow steps
    static constexpr int kElevatorCap = 5;        // rows of each elevator cap
    static constexpr int kMinElevatorHeight = 15; // the elevator bitmap's height

    // What the pointer holds.
    enum Press : short {
        kNone = 0,
        kArrowLess = 1,
        kPageLess = 2,
        kDrag = 3,
        kPageMore = 4,
        kArrowMore = 5
    };

    CSkinScrollBar() = default;
    ~CSkinScrollBar() override = default;

    // Stores the orientation, then creates and registers the bar as every control does.
    bool Create(CWnd* const parent, bool vertical, const CString& section, UINT id,
                CSkinRepository* const repository);
    void Update() override;

    // The view the bar drives (null detaches); the elevator follows it at once.
    void SetListCtrl(CSkinScrollInterface* view);
    void SelectionChanged() { SizeChanged(); }
    // Asks the view afresh and moves the elevator; repaints only when it moved.
    void SizeChanged();
    DWORD GetThickness() const { return m_dwThickness; }

    // The parts in the bar's client coordinates: painting and hit testing both use these.
    CRect ArrowLessRect() const { return m_rcArrowLess; }
    CRect ArrowMoreRect() const { return m_rcArrowMore; }
    CRect ShaftRect() const { return m_rcShaft; }
    // Empty when nothing can be scrolled.
    CRect ElevatorRect() const { return m_rcElevator; }

protected:
    void Unload() override {}
    // One step of the current press.
    void DoScroll();

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);

    CSkinScrollInterface* m_pListCtrl = nullptr;
    DWORD m_dwTotalSize = 0, m_dwPageSize = 0, m_dwItemSize = 0, m_dwScrollIndex = 0;
    HBITMAP m_hArrowLess = nullptr, m_hArrowMore = nullptr; // the repository's
    HBITMAP m_hShaft = nullptr, m_hElevator = nullptr;
    DWORD m_dwThickness = 0;
    CRect m_rcArrowLess{0, 0, 0, 0}, m_rcArrowMore{0, 0, 0, 0};
    CRect m_rcShaft{0, 0, 0, 0}, m_rcElevator{0, 0, 0, 0};
    CSize m_sizeShaft{0, 0};
    short m_nPressed = kNone;
    bool m_bInside = false;
    CPoint m_ptLast{0, 0};
    bool m_bVertical = true;
    UINT m_nTimerID = 12345;

private:
    void Dock();
    // The elevator for the view's answers (empty when everything fits).
    CRect ElevatorFor(DWORD total, DWORD page, DWORD index) const;
    // The elevator moved by dy, held between the arrows.
    CRect Dragged(int dy) const;
    // The frame of an arrow strip: 2 disabled, 1 held, 0 normal.
    int ArrowFrame(short arrow) const;
    void PaintArrow(CDC* image, CDC* source, HBITMAP strip, const CRect& rect, short arrow);
    void PaintElevator(CDC* image, CDC* source);
    void DragTo(CPoint point);
    void Repaint();
    void RepaintElevator(const CRect& before);

    DECLARE_MESSAGE_MAP()
};
