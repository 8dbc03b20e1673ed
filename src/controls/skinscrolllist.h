// CSkinScrollList: a skinned container that lays out one scrollable view with a skinned bar
// along its right edge.
//
// The container takes its place, visibility and list font from its component and owns a
// CSkinScrollBar bound to a second component of the same section. The application creates its
// view (usually a CSkinListCtrl with its own style, columns and items) and hands it over with
// SetListCtrl; from then on the container re-parents and sizes the view and the bar scrolls it.
//
// The platform's list draws a scroll bar of its own. With the skinned bar the container makes
// the view wider than what shows by the width of that bar (the registry's
// HKEY_LOCAL_MACHINE\SYSTEM\GWE "cxVScr", 13 when unreadable), so that it lies under the
// skinned bar, which stays on top. The container paints nothing itself.
//
// Attributes read by Update: "visible", "scrollbar_visible", "background_color", "position"
// (rect in the parent's client coordinates), "font_name", "font_size", "font_bold" (true
// gives weight 400, false 700), "font_italic", "font_color". The bar's bitmaps come from the
// bar's own component (see CSkinScrollBar).
//
// The view must outlive its attachment or be detached with SetListCtrl(nullptr). Declaring
// the view before the container does it: the container goes first and lets go of the view.
#pragma once

#include "controls/skinscrollbar.h"

class CSkinScrollList : public CSkinObject {
    DECLARE_DYNAMIC(CSkinScrollList)
public:
    // The platform bar's width when the registry does not give it.
    static constexpr int kDefaultBarWidth = 13;

    CSkinScrollList() = default;
    ~CSkinScrollList() override;

    // The container as component id and its bar as component barId of section. The bar is
    // hidden when the skin asks for no skinned bar. False when either window cannot be made.
    bool Create(CWnd* parent, const CString& section, UINT id, UINT barId,
                CSkinRepository* repository);
    // A container needs its bar's component: this form always refuses.
    bool Create(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository);
    void Update() override;

    // Places the view: beside the skinned bar (its own bar under it), or over the whole
    // container without one.
    void UpdateListWidth();
    // The view to lay out (null detaches it from the container and its bar).
    void SetListCtrl(CSkinScrollInterface* view);

    CSkinScrollBar& ScrollBar() { return m_scrollBar; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    COLORREF GetFontColor() const { return m_crFont; }
    CFont* GetListFont() const { return m_pFont; }

protected:
    void Unload() override {}

    CFont* m_pFont = nullptr; // the repository's
    CSkinScrollInterface* m_pListCtrl = nullptr;
    bool m_bScrollbarVisible = false;
    COLORREF m_crBackground = 0;
    COLORREF m_crFont = 0;
    CSkinScrollBar m_scrollBar;

private:
    void ReadFont(const CPtrList& attributes);

    DECLARE_MESSAGE_MAP()
};

// The width of the platform's own vertical scroll bar, as the window system's key gives it.
int PlatformScrollBarWidth();
