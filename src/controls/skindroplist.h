// CSkinDropList: a drop-down list. The closed control is CSkinDropBase's label box; opening
// runs its popup, a CSkinMenu of type 1 that the application fills with string items, each
// with its own command id. Choosing an item makes it the menu's radio choice and the label,
// and sends the parent WM_COMMAND with the item's id (high word 0) and lParam 0, exactly as a
// menu command, before the choice returns.
//
// The popup opens at the label box: below it or above it ("dropdown"), its left edge at the
// box's left edge or its right edge at the box's right edge ("dropright"). Opening is modal:
// DropDown(true) returns when the popup has closed; DropDown(false) closes it from anything
// that runs meanwhile (a timer, a posted message).
//
// Attributes read by Update: those of CSkinDropBase, then for the popup "mfont_name",
// "mfont_size" and "mfont_bold" (true gives weight 400, false 700: the reverse of the label).
//
// Items inserted with Insert are owner-drawn with a record, as appended ones are, so that they
// look like the rest; submenus, bitmaps and items the caller draws itself stay the platform's.
// Records of removed items stay with the menu until it is destroyed (or it sweeps them).
#pragma once

#include "controls/skindropbase.h"
#include "menu/skinmenu.h"

class CSkinDropList : public CSkinDropBase {
    DECLARE_DYNAMIC(CSkinDropList)
public:
    CSkinDropList();
    ~CSkinDropList() override;

    // A string item (a separator when separator is non-zero) at the end; 1, or 0 on failure.
    int Append(UINT id, LPCWSTR text, int separator = 0);
    // An item before position (MF_BYPOSITION in flags, else a command id); 1 or 0.
    int Insert(UINT position, UINT flags, UINT id, LPCWSTR text, int unused = 0);
    bool Remove(UINT position, UINT flags);
    // Removes every item; the labels stay.
    void Clear();
    // Makes an item (by command id, or by position with MF_BYPOSITION) the radio choice and
    // the label; false, changing nothing, when there is no such command or the position holds
    // a separator. By command the range checked runs from the first item's id to the last's.
    bool Select(UINT item, UINT flags);
    void DropDown(bool open) override;

    // The command id of the last item chosen from the popup; 0xFFFFFFFF before any.
    UINT GetSelected() const { return m_nSelected; }
    // The popup, for its colours and images.
    CSkinMenu& GetMenu() { return m_menu; }

protected:
    void ReadPopup(const CAttributeIndex& attributes) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The popup's height when it opens: what its items measure.
    int PopupHeight();
    void NotifyChoice(WPARAM wParam);

    CSkinMenu m_menu{SKINMENU_TYPE1};
    UINT m_nSelected = 0xFFFFFFFF;
};
