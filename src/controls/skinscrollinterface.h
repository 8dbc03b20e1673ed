// CSkinScrollInterface: what a scrollable view offers the skinned scroll bar.
//
// The view reports its sizes in a unit of its own choosing (a list counts rows) and scrolls to
// an index on request; the bar asks afresh whenever it needs a value. Indices the bar hands to
// DoScroll are computed in wrapping 32-bit arithmetic, so a step back from 0 arrives as a very
// large number: the view clamps every index it is given.
#pragma once

#include "platform/afx/wnd.h"

class CSkinScrollBar;

class CSkinScrollInterface {
public:
    CSkinScrollInterface() = default;
    CSkinScrollInterface(const CSkinScrollInterface&) = default;
    CSkinScrollInterface& operator=(const CSkinScrollInterface&) = default;

    virtual DWORD GetTotalSize() = 0;   // the whole content
    virtual DWORD GetPageSize() = 0;    // what is visible at once
    virtual DWORD GetItemSize() = 0;    // one arrow step
    virtual DWORD GetScrollIndex() = 0; // the first visible unit
    // Makes the view a child of parent (none for null), placed at rect in its client
    // coordinates, repainting.
    virtual void SetPosition(CWnd* parent, const CRect& rect) = 0;
    // The bar that shows this view's position (null: none).
    virtual void SetScrollBar(CSkinScrollBar* bar) { m_pScrollBar = bar; }
    // Scrolls so that index becomes the first visible unit, clamped to the content.
    virtual void DoScroll(DWORD index) = 0;
    // The width the content should use, and its font; views that lay out their own content
    // may ignore both.
    virtual void SetListWidth(int width) {}
    virtual void SetListFont(CFont* font) {}

    CSkinScrollBar* m_pScrollBar = nullptr;

protected:
    // Views are destroyed as what they are, never through this interface.
    ~CSkinScrollInterface() = default;
};
