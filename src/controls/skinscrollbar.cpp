#include "controls/skinscrollbar.h"

#include "controls/skinpaint.h"
#include "platform/afx/wnddc.h"
#include "skindesc/skinvalues.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CSkinScrollBar, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinScrollBar, CSkinObject)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
END_MESSAGE_MAP()

bool CSkinScrollBar::Create(CWnd* const parent, bool vertical, const CString& section, UINT id,
                            CSkinRepository* const repository) {
    m_bVertical = vertical;
    return CSkinObject::Create(parent, section, id, repository);
}

// ---- Update ---------------------------------------------------------------------------------

void CSkinScrollBar::Update() {
    Unload();
    // The scroll list's first Update runs before its bar has a window.
    if (!m_hWnd || !::IsWindow(m_hWnd)) return;
    if (m_pRepository) {
        const tagCOMPONENT* component = m_pRepository->GetComponent(m_strSection, m_nComponentID);
        if (!component) return;
        CString less, more, shaft, elevator;
        GetAttributeString(component->attributes, u"image_arrowless", less);
        GetAttributeString(component->attributes, u"image_arrowmore", more);
        GetAttributeString(component->attributes, u"image_shaft", shaft);
        GetAttributeString(component->attributes, u"image_elevator", elevator);
        m_hArrowLess = m_pRepository->GetBitmap(m_strSection, less, true);
        m_hArrowMore = m_pRepository->GetBitmap(m_strSection, more, true);
        m_hShaft = m_pRepository->GetBitmap(m_strSection, shaft, true);
        m_hElevator = m_pRepository->GetBitmap(m_strSection, elevator, true);
        m_sizeShaft = BitmapSize(m_hShaft);
        m_dwThickness = DWORD(m_sizeShaft.cx);
        // A horizontal bar has no layout: it stays hidden rather than show a stray strip.
        if (m_bVertical) {
            Dock();
            ShowWindow(SW_SHOW);
        }
        SizeChanged();
    }
    BringWindowToTop();
    Repaint();
}

// Along the parent's right edge over its full client height.
void CSkinScrollBar::Dock() {
    CRect parent(0, 0, 0, 0);
    ::GetClientRect(::GetParent(m_hWnd), &parent);
    const int thickness = int(m_dwThickness), height = parent.Height();
    MoveWindow(parent.right - thickness, parent.top, thickness, height, TRUE);
    const int arrow = BitmapSize(m_hArrowLess).cy;
    m_rcArrowLess = CRect(0, 0, thickness, arrow);
    m_rcArrowMore = CRect(0, height - arrow, thickness, height);
    m_rcShaft = CRect(0, arrow, thickness, height - arrow);
    m_rcElevator = CRect(0, 0, 0, 0);
}

// ---- Geometry -------------------------------------------------------------------------------

void CSkinScrollBar::SetListCtrl(CSkinScrollInterface* view) {
    m_pListCtrl = view;
    SizeChanged();
}

void CSkinScrollBar::SizeChanged() {
    if (!m_pListCtrl) {
        m_dwTotalSize = m_dwPageSize = m_dwItemSize = m_dwScrollIndex = 0;
        Repaint();
        return;
    }
    m_dwTotalSize = m_pListCtrl->GetTotalSize();
    m_dwPageSize = m_pListCtrl->GetPageSize();
    m_dwItemSize = m_pListCtrl->GetItemSize();
    m_dwScrollIndex = m_pListCtrl->GetScrollIndex();
    const CRect before = m_rcElevator;
    m_rcElevator = ElevatorFor(m_dwTotalSize, m_dwPageSize, m_dwScrollIndex);
    if (!m_rcElevator.EqualRect(&before)) RepaintElevator(before);
}

// The shaft's length L stands for the whole content: the elevator starts at index/total of it
// and is page/total of it long (32-bit unsigned, truncated), at least 15 pixels, and held
// between the arrows.
CRect CSkinScrollBar::ElevatorFor(DWORD total, DWORD page, DWORD index) const {
    if (total <= page || !m_bVertical) return CRect(0, 0, 0, 0);
    const int64_t upper = m_rcArrowLess.bottom, lower = m_rcArrowMore.top;
    const DWORD length = DWORD(lower - upper);
    int64_t top = int32_t(DWORD(upper) + index * length / total);
    int64_t bottom = int32_t(DWORD(top) + page * length / total);
    if (top < upper) bottom += upper - top, top = upper;
    if (bottom - top < kMinElevatorHeight) bottom = top + kMinElevatorHeight;
    if (bottom > lower) top -= bottom - lower, bottom = lower;
    return CRect(0, int(top), int(m_dwThickness), int(bottom));
}

CRect CSkinScrollBar::Dragged(int dy) const {
    CRect r = m_rcElevator;
    r.OffsetRect(0, dy);
    if (r.top < m_rcArrowLess.bottom) r.OffsetRect(0, m_rcArrowLess.bottom - r.top);
    if (r.bottom > m_rcArrowMore.top) r.OffsetRect(0, m_rcArrowMore.top - r.bottom);
    return r;
}

// ---- Painting -------------------------------------------------------------------------------

BOOL CSkinScrollBar::OnEraseBkgnd(CDC*) {
    return TRUE; // painting covers the whole bar
}

int CSkinScrollBar::ArrowFrame(short arrow) const {
    if (m_rcElevator.Width() == 0 && m_rcElevator.Height() == 0) return 2;
    return m_nPressed == arrow && m_bInside ? 1 : 0;
}

// The bar is composed off screen as a whole, but only over the area being repainted: a
// moving elevator repaints the stripe it left and the one it took.
void CSkinScrollBar::OnPaint() {
    CPaintDC dc(this);
    const CRect area = dc.m_ps.rcPaint;
    if (area.IsRectEmpty()) return;
    CSkinOffscreen image(&dc, area.Width(), area.Height());
    image.DC()->SetViewportOrg(-area.left, -area.top);
    PaintArrow(image.DC(), &dc, m_hArrowLess, ArrowLessRect(), kArrowLess);
    PaintArrow(image.DC(), &dc, m_hArrowMore, ArrowMoreRect(), kArrowMore);
    const CRect shaft = ShaftRect();
    if (m_hShaft && !shaft.IsRectEmpty()) {
        CSkinBitmapDC source(&dc, m_hShaft);
        image.DC()->StretchBlt(shaft.left, shaft.top, shaft.Width(), shaft.Height(), source.DC(), 0,
                               0, m_sizeShaft.cx, m_sizeShaft.cy, SRCCOPY);
    }
    PaintElevator(image.DC(), &dc);
    image.DC()->SetViewportOrg(0, 0);
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), image.DC(), 0, 0, SRCCOPY);
}

void CSkinScrollBar::PaintArrow(CDC* image, CDC* compatible, HBITMAP strip, const CRect& rect,
                                short arrow) {
    if (!strip) return;
    CSkinBitmapDC source(compatible, strip);
    image->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), source.DC(),
                  ArrowFrame(arrow) * rect.Width(), 0, SRCCOPY);
}

// The caps at their own size, the middle rows stretched between them.
void CSkinScrollBar::PaintElevator(CDC* image, CDC* compatible) {
    const CRect r = ElevatorRect();
    if (!m_hElevator || !m_bVertical || r.Width() == 0 || r.Height() == 0) return;
    CSkinBitmapDC source(compatible, m_hElevator);
    const int w = r.Width(), cap = kElevatorCap;
    image->BitBlt(r.left, r.top, w, cap, source.DC(), 0, 0, SRCCOPY);
    image->StretchBlt(r.left, r.top + cap, w, r.Height() - cap, source.DC(), 0, cap, w, cap,
                      SRCCOPY);
    image->BitBlt(r.left, r.bottom - cap, w, cap, source.DC(), 0, 2 * cap, SRCCOPY);
}

void CSkinScrollBar::Repaint() {
    // Also reached while the view is being destroyed after the bar's window went.
    if (m_hWnd && ::IsWindow(m_hWnd)) Invalidate(FALSE);
}

// Where the elevator was and where it is; the whole bar when the arrows change with it.
void CSkinScrollBar::RepaintElevator(const CRect& before) {
    const bool wasScrollable = before.Width() != 0 || before.Height() != 0;
    if (wasScrollable != (ArrowFrame(kNone) != 2) || !m_hWnd || !::IsWindow(m_hWnd))
        return Repaint();
    CRect area;
    const CRect now = ElevatorRect();
    area.UnionRect(&before, &now);
    InvalidateRect(&area, FALSE);
}

// ---- Input ----------------------------------------------------------------------------------

void CSkinScrollBar::OnLButtonDown(UINT, CPoint point) {
    const CRect elevator = ElevatorRect();
    if (ArrowLessRect().PtInRect(point))
        m_nPressed = kArrowLess;
    else if (ArrowMoreRect().PtInRect(point))
        m_nPressed = kArrowMore;
    else if (elevator.PtInRect(point))
        m_nPressed = kDrag, m_ptLast = point;
    else if (point.y < elevator.bottom)
        m_nPressed = kPageLess;
    else if (point.y > elevator.top)
        m_nPressed = kPageMore;
    else
        m_nPressed = kNone;
    if (m_nPressed == kArrowLess || m_nPressed == kArrowMore) {
        DoScroll();
        SetTimer(m_nTimerID, kRepeatInterval);
    } else if (m_nPressed == kPageLess || m_nPressed == kPageMore) {
        DoScroll(); // paging does not repeat
    }
    SetCapture();
    m_bInside = true;
    Repaint();
}

void CSkinScrollBar::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CSkinScrollBar::OnLButtonUp(UINT, CPoint) {
    KillTimer(m_nTimerID);
    ::ReleaseCapture();
    m_nPressed = kNone;
    m_bInside = false;
    Repaint();
}

void CSkinScrollBar::OnMouseMove(UINT, CPoint point) {
    if (m_nPressed == kDrag) return DragTo(point);
    if (m_nPressed != kArrowLess && m_nPressed != kArrowMore) return;
    const bool inside =
        (m_nPressed == kArrowLess ? ArrowLessRect() : ArrowMoreRect()).PtInRect(point) != FALSE;
    if (inside == m_bInside) return;
    // Coming back resumes the steps with the next tick, not at once.
    if (inside)
        SetTimer(m_nTimerID, kRepeatInterval);
    else
        KillTimer(m_nTimerID);
    m_bInside = inside;
    Repaint();
}

// The elevator follows the pointer while it stays within 30 pixels of the bar's sides; the
// grab point moves only with the elevator, so after a clamp the elevator waits for the pointer
// to come back to it.
void CSkinScrollBar::DragTo(CPoint point) {
    const CRect current = ElevatorRect();
    CRect moved = current;
    if (m_bVertical && point.x >= current.left - 30 && point.x <= current.right + 30)
        moved = Dragged(point.y - m_ptLast.y);
    if (moved.EqualRect(&current)) return;
    m_rcElevator = moved;
    RepaintElevator(current);
    m_ptLast = point;
    if (m_pListCtrl) {
        const DWORD total = m_pListCtrl->GetTotalSize(), page = m_pListCtrl->GetPageSize();
        const DWORD arrow = DWORD(m_rcArrowLess.Height());
        const DWORD travel = DWORD(m_rcShaft.Height()) - DWORD(moved.Height());
        if (travel != 0)
            m_pListCtrl->DoScroll((total - page) * (DWORD(moved.top) - arrow) / travel);
    }
}

void CSkinScrollBar::OnTimer(UINT_PTR id) {
    if (id != m_nTimerID) return;
    KillTimer(m_nTimerID);
    DoScroll();
    SetTimer(m_nTimerID, kRepeatInterval);
}

void CSkinScrollBar::DoScroll() {
    if (!m_pListCtrl) return;
    const DWORD index = m_pListCtrl->GetScrollIndex();
    const DWORD item = m_pListCtrl->GetItemSize(), page = m_pListCtrl->GetPageSize();
    DWORD target = 0;
    switch (m_nPressed) {
    case kArrowLess:
        target = index - item;
        break;
    case kPageLess:
        target = index - page;
        break;
    case kPageMore:
        target = index + page;
        break;
    case kArrowMore:
        target = index + item;
        break;
    default:
        return;
    }
    m_pListCtrl->DoScroll(target);
    SizeChanged();
}
