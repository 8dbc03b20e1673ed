// The list view: its messages, items and columns.
#include "platform/commctrl/listview.h"

#include <algorithm>
#include <utility>

namespace commctrl {
namespace {

// Sub-items beyond this many columns are refused, as the device refuses sub-items without a
// column; the cap keeps a bad index from asking for memory.
constexpr int kMaxColumns = 256;
constexpr size_t kMaxReserve = size_t(1) << 22;

CString TextOf(LPCWSTR text) {
    return text && text != LPSTR_TEXTCALLBACK ? CString(text) : CString();
}

} // namespace

ListView::ListView(HWND hwnd, const CREATESTRUCT&)
    : Control(hwnd), m_bk(GetSysColor(COLOR_WINDOW)), m_text(GetSysColor(COLOR_WINDOWTEXT)) {}

ListView::~ListView() = default;

LRESULT ListView::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    LRESULT result = ItemMessage(message, wParam, lParam, &handled);
    if (handled) return result;
    handled = true;
    result = ColumnMessage(message, wParam, lParam, &handled);
    if (handled) return result;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        Measure();
        return 0;
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return Erase(reinterpret_cast<HDC>(wParam));
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        Measure();
        UpdateScrollBars();
        if (LOWORD(lParam)) InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return LRESULT(m_font);
    case WM_SETREDRAW:
        m_redraw = wParam != 0;
        if (m_redraw) {
            UpdateScrollBars();
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(pt, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        m_pressed = false;
        return 0;
    case WM_KEYDOWN:
        KeyDown(UINT(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusChanged(message == WM_SETFOCUS);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        // The parent hears of every item going, so that it can free what their data hold.
        m_redraw = false;
        DeleteAllItems();
        return 0;
    case WM_NCDESTROY:
        if (!(Style() & LVS_SHAREIMAGELISTS))
            for (HIMAGELIST& list : m_images)
                if (list) ImageList_Destroy(std::exchange(list, nullptr));
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

LRESULT ListView::ItemMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    int index = int(wParam);
    auto* item = reinterpret_cast<LVITEM*>(lParam);
    auto* rect = reinterpret_cast<RECT*>(lParam);
    switch (message) {
    case LVM_GETITEMCOUNT:
        return LRESULT(m_items.size());
    case LVM_INSERTITEM:
        return item ? InsertItem(*item) : -1;
    case LVM_SETITEM:
        return item && SetItem(*item);
    case LVM_GETITEM:
        return GetItem(item);
    case LVM_SETITEMTEXT:
        return item && SetSubItemText(index, item->iSubItem, item->pszText);
    case LVM_GETITEMTEXT: {
        const CString* text = item ? SubText(index, item->iSubItem) : nullptr;
        return text ? CopyText(*text, item->pszText, item->cchTextMax) : 0;
    }
    case LVM_DELETEITEM:
        return DeleteItem(index);
    case LVM_DELETEALLITEMS:
        return DeleteAllItems();
    case LVM_GETNEXTITEM:
        return GetNextItem(index, LOWORD(lParam));
    case LVM_SETITEMSTATE:
        if (!item) return FALSE;
        if (index == -1) SetAllStates(item->state, item->stateMask);
        return index == -1 || ChangeState(index, item->state, item->stateMask);
    case LVM_GETITEMSTATE:
        return Valid(index) ? LRESULT(m_items[size_t(index)].state & UINT(lParam)) : 0;
    case LVM_GETSELECTEDCOUNT:
        return m_selectedCount;
    case LVM_GETSELECTIONMARK:
        return m_mark;
    case LVM_SETSELECTIONMARK:
        return std::exchange(m_mark, int(lParam));
    case LVM_FINDITEM:
        return lParam ? FindItem(index, *reinterpret_cast<const LVFINDINFO*>(lParam)) : -1;
    case LVM_SETITEMCOUNT:
        m_items.reserve(std::min(size_t(wParam), kMaxReserve));
        return TRUE;
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return PerPage();
    case LVM_GETITEMRECT:
        if (!rect || !Valid(index) || rect->left < LVIR_BOUNDS || rect->left > LVIR_SELECTBOUNDS)
            return FALSE;
        *rect = ItemRect(index, int(rect->left));
        return TRUE;
    case LVM_GETSUBITEMRECT:
        if (!rect || !Valid(index) || rect->top < 0 || rect->top >= int(m_columns.size()))
            return FALSE;
        *rect = SubItemRect(index, int(rect->top), int(rect->left));
        return TRUE;
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info) return -1;
        *info = HitTest(info->pt, message == LVM_SUBITEMHITTEST);
        return info->iItem;
    }
    case LVM_ENSUREVISIBLE:
        if (!Valid(index)) return FALSE;
        EnsureVisible(index, lParam != 0);
        return TRUE;
    case LVM_SCROLL:
        return ScrollMessage(int(wParam), int(lParam));
    case LVM_REDRAWITEMS:
        InvalidateRows(index, int(lParam));
        return TRUE;
    case LVM_UPDATE:
        InvalidateRows(index, index);
        return TRUE;
    default:
        *handled = false;
        return 0;
    }
}

LRESULT ListView::ColumnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    int index = int(wParam);
    auto* column = reinterpret_cast<LVCOLUMN*>(lParam);
    auto colour = [&](COLORREF* target) {
        *target = COLORREF(lParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    };
    switch (message) {
    case LVM_INSERTCOLUMN:
        return column ? InsertColumn(index, *column) : -1;
    case LVM_SETCOLUMN:
        return column && SetColumn(index, *column);
    case LVM_GETCOLUMN:
        return GetColumn(index, column);
    case LVM_DELETECOLUMN:
        if (index < 0 || index >= int(m_columns.size())) return FALSE;
        m_columns.erase(m_columns.begin() + index);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        UpdateScrollBars();
        return TRUE;
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(index, GET_X_LPARAM(lParam));
    case LVM_GETCOLUMNWIDTH:
        return index >= 0 && index < int(m_columns.size()) ? m_columns[size_t(index)].width : 0;
    case LVM_GETHEADER:
        return 0; // the header is drawn by the list itself, not a window of its own
    case LVM_SETIMAGELIST:
        return LRESULT(SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam)));
    case LVM_GETIMAGELIST:
        return index >= 0 && index < 3 ? LRESULT(m_images[index]) : 0;
    case LVM_SETBKCOLOR:
        return colour(&m_bk);
    case LVM_GETBKCOLOR:
        return m_bk;
    case LVM_SETTEXTCOLOR:
        return colour(&m_text);
    case LVM_GETTEXTCOLOR:
        return m_text;
    case LVM_SETTEXTBKCOLOR:
        return colour(&m_textBk);
    case LVM_GETTEXTBKCOLOR:
        return m_textBk;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD mask = wParam ? DWORD(wParam) : 0xFFFFFFFFu;
        DWORD old = std::exchange(m_exStyle, (m_exStyle & ~mask) | (DWORD(lParam) & mask));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyle;
    default:
        *handled = false;
        return 0;
    }
}

// ---- Items -----------------------------------------------------------------------------------

int ListView::SortedPlace(const CString& text) const {
    bool descending = Style() & LVS_SORTDESCENDING;
    auto it = std::upper_bound(m_items.begin(), m_items.end(), text,
                               [descending](const CString& t, const ListItem& item) {
                                   int order = t.CompareNoCase(item.text);
                                   return descending ? order > 0 : order < 0;
                               });
    return int(it - m_items.begin());
}

int ListView::InsertItem(const LVITEM& in) {
    bool sorted = Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING);
    if (in.iSubItem != 0 || (in.iItem < 0 && !sorted)) return -1;
    ListItem item;
    if (in.mask & LVIF_TEXT) item.text = TextOf(in.pszText);
    if (in.mask & LVIF_IMAGE) item.image = in.iImage;
    if (in.mask & LVIF_PARAM) item.param = in.lParam;
    if (in.mask & LVIF_INDENT) item.indent = std::max(0, in.iIndent);
    UINT wanted = (in.mask & LVIF_STATE) ? in.state & in.stateMask : 0;
    item.state = wanted & ~UINT(LVIS_SELECTED | LVIS_FOCUSED);
    int count = int(m_items.size());
    int index = sorted ? SortedPlace(item.text) : std::min(in.iItem, count);
    m_items.insert(m_items.begin() + index, std::move(item));
    ShiftIndices(index, 1);
    InvalidateFrom(index);
    UpdateScrollBars();
    NotifyItem(LVN_INSERTITEM, index, 0, 0, 0);
    if (wanted & (LVIS_SELECTED | LVIS_FOCUSED))
        ChangeState(index, wanted, LVIS_SELECTED | LVIS_FOCUSED);
    return index;
}

bool ListView::SetItem(const LVITEM& in) {
    if (!Valid(in.iItem)) return false;
    if (in.iSubItem != 0)
        return !(in.mask & LVIF_TEXT) || SetSubItemText(in.iItem, in.iSubItem, in.pszText);
    ListItem& item = m_items[size_t(in.iItem)];
    UINT changed = 0;
    CString text = (in.mask & LVIF_TEXT) ? TextOf(in.pszText) : item.text;
    if (text != item.text) changed |= LVIF_TEXT;
    if ((in.mask & LVIF_IMAGE) && in.iImage != item.image) changed |= LVIF_IMAGE;
    if ((in.mask & LVIF_PARAM) && in.lParam != item.param) changed |= LVIF_PARAM;
    if ((in.mask & LVIF_INDENT) && in.iIndent != item.indent) changed |= LVIF_INDENT;
    if (changed) {
        if (NotifyItem(LVN_ITEMCHANGING, in.iItem, changed, item.state, item.state)) return false;
        if (!Valid(in.iItem)) return false;
        ListItem& now = m_items[size_t(in.iItem)];
        if (changed & LVIF_TEXT) now.text = text;
        if (changed & LVIF_IMAGE) now.image = in.iImage;
        if (changed & LVIF_PARAM) now.param = in.lParam;
        if (changed & LVIF_INDENT) now.indent = std::max(0, in.iIndent);
        InvalidateRows(in.iItem, in.iItem);
        NotifyItem(LVN_ITEMCHANGED, in.iItem, changed, now.state, now.state);
    }
    return !(in.mask & LVIF_STATE) || ChangeState(in.iItem, in.state, in.stateMask);
}

bool ListView::SetSubItemText(int index, int sub, LPCWSTR text) {
    if (!Valid(index) || sub < 0) return false;
    if (sub == 0) {
        LVITEM item = {LVIF_TEXT, index, 0, 0, 0, const_cast<LPWSTR>(text), 0, 0, 0, 0};
        return SetItem(item);
    }
    if (sub >= std::max<int>(int(m_columns.size()), 1) || sub >= kMaxColumns) return false;
    auto& subs = m_items[size_t(index)].sub;
    if (subs.size() < size_t(sub)) subs.resize(size_t(sub));
    subs[size_t(sub - 1)] = TextOf(text);
    InvalidateRows(index, index);
    return true;
}

const CString* ListView::SubText(int index, int sub) const {
    static const CString empty;
    if (!Valid(index) || sub < 0) return nullptr;
    const ListItem& item = m_items[size_t(index)];
    if (sub == 0) return &item.text;
    return size_t(sub) <= item.sub.size() ? &item.sub[size_t(sub - 1)] : &empty;
}

bool ListView::GetItem(LVITEM* out) const {
    if (!out || !Valid(out->iItem)) return false;
    const ListItem& item = m_items[size_t(out->iItem)];
    if (out->mask & LVIF_TEXT) {
        const CString* text = SubText(out->iItem, out->iSubItem);
        CopyText(text ? *text : CString(), out->pszText, out->cchTextMax);
    }
    if (out->mask & LVIF_IMAGE) out->iImage = item.image;
    if (out->mask & LVIF_PARAM) out->lParam = item.param;
    if (out->mask & LVIF_STATE) out->state = item.state & out->stateMask;
    if (out->mask & LVIF_INDENT) out->iIndent = item.indent;
    return true;
}

void ListView::ShiftIndices(int from, int by) {
    for (int* index : {&m_focused, &m_mark}) {
        if (*index < from) continue;
        if (by < 0 && *index == from)
            *index = -1;
        else
            *index += by;
    }
}

bool ListView::DeleteItem(int index) {
    if (!Valid(index)) return false;
    NotifyItem(LVN_DELETEITEM, index, 0, 0, 0);
    if (!Valid(index)) return false;
    if (m_items[size_t(index)].state & LVIS_SELECTED) --m_selectedCount;
    m_items.erase(m_items.begin() + index);
    ShiftIndices(index, -1);
    InvalidateFrom(index);
    UpdateScrollBars();
    ClampScroll();
    return true;
}

bool ListView::DeleteAllItems() {
    if (m_items.empty()) return true;
    // A parent that answers TRUE does not want a notification for every item.
    if (!NotifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0))
        for (int i = int(m_items.size()) - 1; i >= 0; --i)
            if (Valid(i)) NotifyItem(LVN_DELETEITEM, i, 0, 0, 0);
    m_items.clear();
    m_focused = m_mark = -1;
    m_selectedCount = 0;
    m_top = 0;
    if (m_redraw) InvalidateRect(m_hwnd, nullptr, TRUE);
    UpdateScrollBars();
    return true;
}

int ListView::GetNextItem(int start, UINT flags) const {
    UINT want =
        ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0);
    if ((want & LVIS_SELECTED) && m_selectedCount == 0) return -1;
    int count = int(m_items.size());
    if (flags & LVNI_ABOVE) {
        for (int i = std::min(start, count) - 1; i >= 0; --i)
            if ((m_items[size_t(i)].state & want) == want) return i;
        return -1;
    }
    if (want == LVIS_FOCUSED) return m_focused > start ? m_focused : -1;
    for (int i = std::max(start + 1, 0); i < count; ++i)
        if ((m_items[size_t(i)].state & want) == want) return i;
    return -1;
}

int ListView::FindItem(int start, const LVFINDINFO& find) const {
    CString wanted = find.psz ? CString(find.psz) : CString();
    for (int i = std::max(start + 1, 0); i < int(m_items.size()); ++i) {
        const ListItem& item = m_items[size_t(i)];
        if ((find.flags & LVFI_PARAM) && item.param == find.lParam) return i;
        if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL))) continue;
        const CString& text = item.text;
        if ((find.flags & LVFI_PARTIAL) ? text.Left(wanted.GetLength()).CompareNoCase(wanted) == 0
                                        : text.CompareNoCase(wanted) == 0)
            return i;
    }
    return -1;
}

// ---- Columns ---------------------------------------------------------------------------------

int ListView::InsertColumn(int index, const LVCOLUMN& in) {
    if (index < 0 || int(m_columns.size()) >= kMaxColumns) return -1;
    index = std::min(index, int(m_columns.size()));
    ListColumn column;
    if (in.mask & LVCF_TEXT) column.text = TextOf(in.pszText);
    if ((in.mask & LVCF_FMT) && index > 0) column.fmt = in.fmt & LVCFMT_JUSTIFYMASK;
    column.subItem = (in.mask & LVCF_SUBITEM) ? std::clamp(in.iSubItem, 0, kMaxColumns - 1) : index;
    m_columns.insert(m_columns.begin() + index, column);
    // Without a width the column fits its caption (the device would give it none at all).
    SetColumnWidth(index, (in.mask & LVCF_WIDTH) ? std::max(0, in.cx) : AutoWidth(index, -3));
    return index;
}

bool ListView::SetColumn(int index, const LVCOLUMN& in) {
    if (index < 0 || index >= int(m_columns.size())) return false;
    ListColumn& column = m_columns[size_t(index)];
    if (in.mask & LVCF_TEXT) column.text = TextOf(in.pszText);
    if ((in.mask & LVCF_FMT) && index > 0) column.fmt = in.fmt & LVCFMT_JUSTIFYMASK;
    if (in.mask & LVCF_SUBITEM) column.subItem = std::clamp(in.iSubItem, 0, kMaxColumns - 1);
    if (in.mask & LVCF_WIDTH) return SetColumnWidth(index, std::max(0, in.cx));
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

bool ListView::GetColumn(int index, LVCOLUMN* out) const {
    if (!out || index < 0 || index >= int(m_columns.size())) return false;
    const ListColumn& column = m_columns[size_t(index)];
    if (out->mask & LVCF_TEXT) CopyText(column.text, out->pszText, out->cchTextMax);
    if (out->mask & LVCF_FMT) out->fmt = column.fmt;
    if (out->mask & LVCF_WIDTH) out->cx = column.width;
    if (out->mask & LVCF_SUBITEM) out->iSubItem = column.subItem;
    return true;
}

bool ListView::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= int(m_columns.size())) return false;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = AutoWidth(index, width);
    m_columns[size_t(index)].width = std::max(0, width);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    UpdateScrollBars();
    return true;
}

// LVSCW_AUTOSIZE: the widest text of the column; LVSCW_AUTOSIZE_USEHEADER: the caption, and
// for the last column the rest of the list's width; -3: the caption alone.
int ListView::AutoWidth(int index, int mode) const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    const ListColumn& column = m_columns[size_t(index)];
    int width = 0;
    if (mode == LVSCW_AUTOSIZE) {
        RECT label = m_items.empty() ? RECT{} : ItemRect(0, LVIR_LABEL);
        int lead = index == 0 ? int(label.left + m_scrollX) : 0;
        for (size_t i = 0; i < m_items.size(); ++i)
            width = std::max(width, TextWidth(dc, *SubText(int(i), column.subItem)));
        width += lead + 2 * kTextPadding;
    } else {
        width = TextWidth(dc, column.text) + 2 * kHeaderPadding;
        if (mode == LVSCW_AUTOSIZE_USEHEADER && index + 1 == int(m_columns.size())) {
            RECT client = {};
            GetClientRect(m_hwnd, &client);
            width = std::max(width, int(client.right) - (ColumnLeft(index) + m_scrollX));
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return width;
}

HIMAGELIST ListView::SetImageList(int type, HIMAGELIST list) {
    if (type < LVSIL_NORMAL || type > LVSIL_STATE) return nullptr;
    HIMAGELIST old = std::exchange(m_images[type], list);
    Measure();
    UpdateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return old;
}

} // namespace commctrl
