#include "controls/skinscrolllist.h"

#include "controls/skinpaint.h"
#include "platform/user/winreg.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinScrollList, CSkinObject)

BEGIN_MESSAGE_MAP(CSkinScrollList, CSkinObject)
END_MESSAGE_MAP()

// Values the window system would not use (not 4 bytes, or not 1 to 255 pixels) fall back as it
// does, so that the list's own bar is exactly the width that goes under the skinned bar.
int PlatformScrollBarWidth() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\GWE", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return CSkinScrollList::kDefaultBarWidth;
    DWORD value = 0, size = sizeof value;
    LONG result =
        RegQueryValueEx(key, u"cxVScr", nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || size != sizeof value || value < 1 || value > 255)
        return CSkinScrollList::kDefaultBarWidth;
    return int(value);
}

CSkinScrollList::~CSkinScrollList() {
    Unload();
    // The view outlives the container: it must not call into the bar that goes with it, also
    // not for the deletions its window reports when the container's window takes it along.
    if (m_pListCtrl) m_pListCtrl->SetScrollBar(nullptr);
    m_scrollBar.SetListCtrl(nullptr);
}

bool CSkinScrollList::Create(CWnd* parent, const CString& section, UINT id, UINT barId,
                             CSkinRepository* repository) {
    if (!CSkinObject::Create(parent, section, id, repository)) return false;
    const bool made = m_scrollBar.Create(this, true, section, barId, repository);
    if (!m_bScrollbarVisible && m_scrollBar.m_hWnd) m_scrollBar.ShowWindow(SW_HIDE);
    return made;
}

bool CSkinScrollList::Create(CWnd*, const CString&, UINT, CSkinRepository*) {
    return false;
}

// ---- Update ---------------------------------------------------------------------------------

void CSkinScrollList::Update() {
    Unload();
    if (m_pRepository) {
        const tagCOMPONENT* component = m_pRepository->GetComponent(m_strSection, m_nComponentID);
        if (!component) return;
        const CPtrList& attributes = component->attributes;
        bool visible = false;
        RECT position{};
        GetAttributeBool(attributes, u"visible", visible);
        GetAttributeBool(attributes, u"scrollbar_visible", m_bScrollbarVisible);
        GetAttributeDWord(attributes, u"background_color", m_crBackground);
        GetAttributeRect(attributes, u"position", position);
        MoveWindow(&position, TRUE);
        ShowWindow(visible ? SW_SHOW : SW_HIDE);
        // Only Create hides the bar; here it re-docks at the new right edge.
        if (m_bScrollbarVisible) m_scrollBar.Update();
        UpdateListWidth();
        ReadFont(attributes);
    }
    BringWindowToTop();
    Invalidate(TRUE);
}

void CSkinScrollList::ReadFont(const CPtrList& attributes) {
    LOGFONTW font = ReadSkinFont(attributes, 400, 700);
    m_pFont = m_pRepository->GetFont(&font);
    if (m_pListCtrl && m_pFont) m_pListCtrl->SetListFont(m_pFont);
    GetAttributeDWord(attributes, u"font_color", m_crFont);
}

// ---- Layout ---------------------------------------------------------------------------------

void CSkinScrollList::UpdateListWidth() {
    if (!m_pListCtrl || !m_hWnd) return;
    CRect r;
    GetClientRect(&r);
    const int platformBar = PlatformScrollBarWidth();
    if (m_bScrollbarVisible) {
        r.right -= int(m_scrollBar.GetThickness());
        m_pListCtrl->SetListWidth(r.Width());
        r.right += platformBar; // the list's own bar goes under the skinned one
    } else {
        m_pListCtrl->SetListWidth(r.right - platformBar - r.left);
    }
    m_pListCtrl->SetPosition(this, r);
}

void CSkinScrollList::SetListCtrl(CSkinScrollInterface* view) {
    // A view let go stops telling the bar of its changes.
    if (m_pListCtrl && m_pListCtrl != view) m_pListCtrl->SetScrollBar(nullptr);
    m_pListCtrl = view;
    if (view) {
        UpdateListWidth();
        view->SetScrollBar(&m_scrollBar);
        if (m_pFont) view->SetListFont(m_pFont);
    }
    m_scrollBar.SetListCtrl(view);
    // Siblings clip each other: the bar stays over the list's own bar.
    if (m_scrollBar.m_hWnd) m_scrollBar.BringWindowToTop();
}
