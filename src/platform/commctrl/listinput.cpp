// The list view's item states and input: selection and focus with their notifications, taps,
// keys, scroll-bar codes and the keyboard focus.
#include "platform/commctrl/listview.h"

#include <algorithm>

namespace commctrl {

LRESULT ListView::NotifyItem(UINT code, int index, UINT changed, UINT oldState, UINT newState) {
    NMLISTVIEW nm = {};
    nm.iItem = index;
    nm.uChanged = changed;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    if (Valid(index)) nm.lParam = m_items[size_t(index)].param;
    return Notify(m_hwnd, code, &nm.hdr);
}

// Sets the state bits of mask to those of state. The parent may refuse with LVN_ITEMCHANGING;
// with LVS_SINGLESEL selecting one item deselects the others, and focusing one item takes the
// focus from the one that had it (each with notifications of its own, before this item's
// LVN_ITEMCHANGED).
bool ListView::ChangeState(int index, UINT state, UINT mask) {
    if (!Valid(index)) return false;
    UINT old = m_items[size_t(index)].state, now = (old & ~mask) | (state & mask);
    if (now == old) return true;
    if (NotifyItem(LVN_ITEMCHANGING, index, LVIF_STATE, old, now)) return false;
    if (!Valid(index) || m_items[size_t(index)].state != old) return false;
    if ((now & ~old & LVIS_SELECTED) && (Style() & LVS_SINGLESEL))
        for (int i = 0; i < int(m_items.size()) && m_selectedCount > 0; ++i)
            if (i != index && (m_items[size_t(i)].state & LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
    if ((now & ~old & LVIS_FOCUSED) && m_focused != index) ChangeState(m_focused, 0, LVIS_FOCUSED);
    if (!ApplyState(index, (m_items[size_t(index)].state & ~mask) | (state & mask))) return false;
    NotifyItem(LVN_ITEMCHANGED, index, LVIF_STATE, old, m_items[size_t(index)].state);
    return true;
}

bool ListView::ApplyState(int index, UINT state) {
    if (!Valid(index)) return false;
    ListItem& item = m_items[size_t(index)];
    bool wasSelected = item.state & LVIS_SELECTED, selected = state & LVIS_SELECTED;
    m_selectedCount += int(selected) - int(wasSelected);
    item.state = state;
    if (state & LVIS_FOCUSED)
        m_focused = index;
    else if (m_focused == index)
        m_focused = -1;
    InvalidateRows(index, index);
    return true;
}

void ListView::SetAllStates(UINT state, UINT mask) {
    bool deselecting = (mask & LVIS_SELECTED) && !(state & LVIS_SELECTED) && mask == LVIS_SELECTED;
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (deselecting && m_selectedCount == 0) return;
        if ((m_items[size_t(i)].state & mask) != (state & mask)) ChangeState(i, state, mask);
    }
}

void ListView::SelectOnly(int index) {
    for (int i = 0; i < int(m_items.size()) && m_selectedCount > 0; ++i)
        if (i != index && (m_items[size_t(i)].state & LVIS_SELECTED))
            ChangeState(i, 0, LVIS_SELECTED);
    UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if (ChangeState(index, both, both)) m_mark = index;
}

// A tap selects the item under it (or clears the selection on empty space); its release
// notifies NM_CLICK. A second tap soon after notifies NM_DBLCLK instead.
void ListView::ButtonDown(POINT pt, bool doubleClick) {
    if (!HasFocus()) SetFocus(m_hwnd);
    if (ForwardBarPress(m_hwnd, pt)) return;
    LVHITTESTINFO hit = HitTest(pt, false);
    if (hit.iItem >= 0) {
        SelectOnly(hit.iItem);
        EnsureVisible(hit.iItem, false);
    } else {
        SetAllStates(0, LVIS_SELECTED);
    }
    NMITEMACTIVATE nm = {};
    nm.iItem = hit.iItem;
    nm.ptAction = pt;
    if (doubleClick) {
        Notify(m_hwnd, NM_DBLCLK, &nm.hdr);
        return;
    }
    m_pressed = true;
    m_pressItem = hit.iItem;
    m_pressPoint = pt;
    SetCapture(m_hwnd);
}

void ListView::ButtonUp() {
    if (!m_pressed) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    NMITEMACTIVATE nm = {};
    nm.iItem = m_pressItem;
    nm.ptAction = m_pressPoint;
    Notify(m_hwnd, NM_CLICK, &nm.hdr);
}

int ListView::KeyTarget(UINT key) const {
    int count = int(m_items.size()), current = m_focused, page = std::max(1, PerPage());
    if (count == 0) return -1;
    switch (key) {
    case VK_DOWN:
        return current < 0 ? 0 : std::min(current + 1, count - 1);
    case VK_UP:
        return current < 0 ? 0 : std::max(current - 1, 0);
    case VK_HOME:
        return 0;
    case VK_END:
        return count - 1;
    case VK_NEXT: {
        // First to the bottom of the page, then a page further.
        int bottom = std::min(m_top + page - 1, count - 1);
        return current < bottom ? bottom : std::min(current + page, count - 1);
    }
    case VK_PRIOR:
        return current > m_top ? m_top : std::max(current - page, 0);
    default:
        return -1;
    }
}

void ListView::KeyDown(UINT key) {
    NMLVKEYDOWN nk = {};
    nk.wVKey = WORD(key);
    Notify(m_hwnd, LVN_KEYDOWN, &nk.hdr);
    if (key == VK_RETURN) {
        NMHDR header = {};
        Notify(m_hwnd, NM_RETURN, &header);
        return;
    }
    int target = KeyTarget(key);
    if (target < 0) return;
    SelectOnly(target);
    EnsureVisible(target, false);
}

void ListView::FocusChanged(bool focused) {
    // Selected rows change colour with the focus.
    int last = std::min(m_top + PerPage(), int(m_items.size()) - 1);
    for (int i = m_top; i <= last; ++i)
        if (m_items[size_t(i)].state & LVIS_SELECTED) InvalidateRows(i, i);
    NMHDR header = {};
    Notify(m_hwnd, focused ? NM_SETFOCUS : NM_KILLFOCUS, &header);
}

} // namespace commctrl
