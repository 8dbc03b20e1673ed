#include "controls/skinobject.h"

#include "platform/afx/except.h"
#include "platform/afx/frame.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinObject, CWnd)

BEGIN_MESSAGE_MAP(CSkinObject, CWnd)
END_MESSAGE_MAP()

namespace {

// The library's class: redrawn on resize, double clicks, the parent's DC, button-face brush
// (system colour 16 plus one, with the platform's system-colour flag).
void EnsureWindowClass() {
    HINSTANCE instance = AfxGetModuleState()->m_hCurrentInstanceHandle;
    WNDCLASS existing;
    if (::GetClassInfo(instance, kSkinObjectClass, &existing)) return;
    WNDCLASS wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_PARENTDC; // 0x8B
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(0x40000010));
    wc.lpszClassName = kSkinObjectClass;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
}

} // namespace

CSkinObject::CSkinObject() {
    EnsureWindowClass();
}

CSkinObject::~CSkinObject() {
    // A repository destroyed first has already let go of its components.
    if (CSkinRepository::IsAlive(m_pRepository)) m_pRepository->RemoveComponent(this);
}

bool CSkinObject::Create(CWnd* parent, const CString& section, UINT id,
                         CSkinRepository* repository) {
    // The binding comes first, so that an Update during creation sees it.
    m_nComponentID = id;
    m_pRepository = repository;
    m_strSection = section;
    if (!CWnd::Create(kSkinObjectClass, u"SkinObject", WS_CHILD, CRect(0, 0, 0, 0), parent, id))
        return false;
    if (repository) repository->AddComponent(this);
    return true;
}

void CSkinObject::SetSection(const CString& section) {
    m_strSection = section;
    Update();
}

bool CSkinObject::IsValid() const {
    return m_hWnd && ::IsWindow(m_hWnd) && m_pRepository;
}

const tagPROPERTY* CSkinObject::GetProperty(const CString& name) {
    if (!m_pRepository) return nullptr;
    const tagCOMPONENT* component = m_pRepository->GetComponent(m_strSection, m_nComponentID);
    if (!component) return nullptr;
    for (void* p : component->properties) {
        auto* property = static_cast<const tagPROPERTY*>(p);
        if (property && property->id.CompareNoCase(name) == 0) return property;
    }
    return nullptr;
}

bool CSkinObject::GetProperty(const CString& name, CString& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = p ? p->value : CString();
    return p != nullptr;
}

bool CSkinObject::GetProperty(const CString& name, bool& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = false;
    if (p && IsBoolType(p->type)) {
        value = p->value.CompareNoCase(u"true") == 0;
        return true;
    }
    if (p && IsNumericType(p->type)) {
        value = p->value != CString(u"0"); // only the text "0" is false: "00" is true
        return true;
    }
    return false;
}

bool CSkinObject::GetProperty(const CString& name, CRect& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = CRect(0, 0, 0, 0);
    if (!p || !IsRectType(p->type)) return false;
    value = ParseRect(p->value);
    return true;
}

bool CSkinObject::GetProperty(const CString& name, DWORD& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = 0;
    if (p && (IsNumericType(p->type) || IsChoiceType(p->type))) {
        value = DWORD(_wtol(p->value));
        return true;
    }
    if (p && IsColorType(p->type)) {
        value = ParseColor(p->value);
        return true;
    }
    return false;
}

bool CSkinObject::GetProperty(const CString& name, LONG& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = 0;
    if (!p || !IsNumericType(p->type)) return false;
    value = _wtol(p->value);
    return true;
}

bool CSkinObject::GetProperty(const CString& name, long& value) {
    LONG narrow = 0;
    bool found = GetProperty(name, narrow);
    value = narrow;
    return found;
}

bool CSkinObject::GetProperty(const CString& name, CPoint& value) {
    const tagPROPERTY* p = GetProperty(name);
    value = CPoint(0, 0);
    if (!p || p->type.CompareNoCase(u"string") != 0) return false;
    value = ParsePoint(p->value);
    return true;
}

CWnd* CSkinObject::GetApplicationWnd() {
    if (CWnd* frame = GetParentFrame()) return frame;
    if (CWnd* frame = GetTopLevelFrame()) return frame;
    CWnd* owner = GetTopLevelOwner();
    if (owner && owner->m_hWnd != m_hWnd) return owner;
    return GetTopLevelParent();
}

void CSkinObject::HideWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ShowWindow(SW_HIDE);
}

void CSkinObject::UpdateFromComponent() {
    Unload();
    if (m_pRepository) {
        const tagCOMPONENT* component = m_pRepository->GetComponent(m_strSection, m_nComponentID);
        if (!component) return;
        ReadComponent(component->attributes);
    }
    BringWindowToTop();
    Invalidate(TRUE);
}

bool CSkinCustom::Create(const CString& section, UINT id, CSkinRepository* repository) {
    m_nComponentID = id;
    m_pRepository = repository;
    m_strSection = section;
    return true;
}

bool CSkinCustom::Create(CWnd*, const CString&, UINT, CSkinRepository*) {
    return false;
}

bool CSkinCustom::CreateBound(CWnd* parent, const CString& section, UINT id,
                              CSkinRepository* repository) {
    if (m_bRegistered || m_hWnd) return false;
    if (!CSkinObject::Create(parent, section, id, repository)) return false;
    m_bRegistered = repository != nullptr;
    return true;
}

bool CSkinCustom::Register() {
    if (m_bRegistered || !m_pRepository) return false;
    m_bRegistered = true;
    m_pRepository->AddComponent(this);
    return true;
}
