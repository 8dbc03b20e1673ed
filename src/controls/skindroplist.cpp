#include "controls/skindroplist.h"

#include "platform/base/wcsrt.h"
#include "skindesc/skinvalues.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSkinDropList, CSkinDropBase)

namespace {

// The label box is the text's height plus 6.
constexpr int kLabelMargin = 6;

} // namespace

CSkinDropList::CSkinDropList() : CSkinDropBase(kLabelMargin) {
    m_menu.CreatePopupMenu();
}

CSkinDropList::~CSkinDropList() {
    Unload();
    m_menu.DestroyMenu();
}

// The popup's font: "mfont_bold" true gives the lighter weight.
void CSkinDropList::ReadPopup(const CAttributeIndex& attributes) {
    CString face;
    DWORD size = 0;
    bool bold = false;
    GetAttributeString(attributes, u"mfont_name", face);
    GetAttributeDWord(attributes, u"mfont_size", size);
    GetAttributeBool(attributes, u"mfont_bold", bold);
    LOGFONTW font{};
    font.lfHeight = -LONG(size);
    font.lfWeight = bold ? 400 : 700;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    m_menu.SetFont(&font);
}

// ---- Items ------------------------------------------------------------------------------------

int CSkinDropList::Append(UINT id, LPCWSTR text, int separator) {
    return m_menu.AppendMenuW(separator ? MF_SEPARATOR : MF_STRING, id, text) ? 1 : 0;
}

int CSkinDropList::Insert(UINT position, UINT flags, UINT id, LPCWSTR text, int) {
    if (flags & (MF_POPUP | MF_BITMAP | MF_OWNERDRAW))
        return m_menu.InsertMenu(position, flags, id, text) ? 1 : 0;
    return m_menu.InsertMenuW(position, flags, id, text) ? 1 : 0;
}

bool CSkinDropList::Remove(UINT position, UINT flags) {
    return m_menu.RemoveMenu(position, flags) != 0;
}

void CSkinDropList::Clear() {
    for (int pos = ::GetMenuItemCount(m_menu.m_hMenu); pos-- > 0;)
        m_menu.RemoveMenu(UINT(pos), MF_BYPOSITION);
}

bool CSkinDropList::Select(UINT item, UINT flags) {
    UINT count = UINT(std::max(::GetMenuItemCount(m_menu.m_hMenu), 0));
    CString text;
    if (flags & MF_BYPOSITION) {
        // Past the last item the platform reports id 0xFFFFFFFF: the label becomes the empty
        // text the menu gives for a missing item.
        if (m_menu.GetMenuItemID(int(item)) == 0) return false;
        m_menu.CheckMenuRadioItem(0, count - 1, item, MF_BYPOSITION);
        m_menu.GetMenuString(item, text, MF_BYPOSITION);
    } else {
        // The range assumes ids ascending from the first item to the last.
        UINT first = m_menu.GetMenuItemID(0), last = m_menu.GetMenuItemID(int(count) - 1);
        if (!m_menu.CheckMenuRadioItem(first, last, item, MF_BYCOMMAND)) return false;
        m_menu.GetMenuString(item, text, MF_BYCOMMAND);
    }
    SetLabel(text);
    return true;
}

// ---- The popup --------------------------------------------------------------------------------

int CSkinDropList::PopupHeight() {
    int height = 0;
    for (int pos = 0; pos < ::GetMenuItemCount(m_menu.m_hMenu); ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        m_menu.GetMenuItemInfo(UINT(pos), &info, TRUE);
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = info.dwItemData;
        m_menu.MeasureItem(&item);
        height += int(item.itemHeight);
    }
    return height;
}

void CSkinDropList::DropDown(bool open) {
    if (!open) {
        SendMessage(WM_EXITMENULOOP, 1, 0);
        return;
    }
    if (::GetMenuItemCount(m_menu.m_hMenu) <= 0) return;
    int height = m_bDropDown ? 0 : PopupHeight();
    CRect w, box = LabelBox();
    GetWindowRect(&w);
    int y = m_bDropDown ? w.top + box.bottom : w.top + box.top - height;
    int x = m_bDropRight ? w.left + box.left : w.left + box.right;
    m_bDropped = true;
    Invalidate(TRUE);
    UpdateWindow(); // the drop label shows before the popup
    m_menu.TrackPopupMenu(m_bDropRight ? TPM_LEFTALIGN : TPM_RIGHTALIGN, x, y, this);
    m_bDropped = false;
    Invalidate(TRUE);
}

// A chosen item arrives as the menu command (id, lParam 0) once the popup has closed.
BOOL CSkinDropList::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == 0 && lParam == 0) {
        m_nSelected = LOWORD(wParam);
        Select(m_nSelected, MF_BYCOMMAND);
        Invalidate(TRUE);
        NotifyChoice(wParam);
    }
    return CSkinDropBase::OnCommand(wParam, lParam);
}

// Sent, so that the parent has handled the choice when the command returns.
void CSkinDropList::NotifyChoice(WPARAM wParam) {
    ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, wParam, 0);
}
