// CSkinMenu: construction, the owned objects and their setters, item records.
#include "menu/skinmenu.h"

#include "bitmap/bitmapu.h"

#include <unordered_set>
#include <utility>

IMPLEMENT_DYNAMIC(CSkinMenu, CMenu)

namespace {

// Replaces owned by fresh when fresh is non-null (and not the object already owned).
template <class T> void Replace(std::unique_ptr<T>& owned, T* fresh) {
    if (fresh && fresh != owned.get()) owned.reset(fresh);
}

std::unique_ptr<CBitmap> WrapBitmap(HBITMAP bitmap) {
    if (!bitmap) return nullptr;
    auto wrapper = std::make_unique<CBitmap>();
    wrapper->Attach(bitmap);
    return wrapper;
}

// An image list of 16 x 16 images cut from bitmap, masked by the colour of its top-left pixel.
std::unique_ptr<CImageList> StripImageList(std::unique_ptr<CBitmap> bitmap) {
    if (!bitmap) return nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, *bitmap);
    COLORREF mask = ::GetPixel(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    auto list = std::make_unique<CImageList>();
    if (!list->Create(16, 16, ILC_MASK | ILC_COLOR, 0, 2) || list->Add(bitmap.get(), mask) < 0)
        return nullptr;
    return list;
}

} // namespace

CSkinMenu::CSkinMenu(SkinMenuType type)
    : m_crBackground(::GetSysColor(COLOR_MENU)), m_crText(::GetSysColor(COLOR_MENUTEXT)),
      m_crSelectedText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_crDisabledText(::GetSysColor(COLOR_GRAYTEXT)),
      m_crSelection(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crSelectionBorder(::GetSysColor(COLOR_HIGHLIGHT)), m_crEdge(::GetSysColor(COLOR_MENU)),
      m_nType(type) {}

CSkinMenu::~CSkinMenu() {
    // Each graphics object is deleted by its wrapper's destructor, before the wrapper is freed.
    m_pBackground.reset();
    m_pImageList.reset();
    m_pFont.reset();
    DestroyMenu();
}

void CSkinMenu::SetBackground(CBitmap* bitmap) {
    Replace(m_pBackground, bitmap);
}

BOOL CSkinMenu::SetBackground(UINT resourceId) {
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmap(resourceId)) return FALSE;
    m_pBackground = std::move(bitmap);
    return TRUE;
}

BOOL CSkinMenu::SetBackground(CFile& file) {
    auto bitmap = WrapBitmap(CBitmapU::LoadBitmapFromFile(file));
    if (!bitmap) return FALSE;
    m_pBackground = std::move(bitmap);
    return TRUE;
}

BOOL CSkinMenu::SetBackground(const CString& path) {
    auto bitmap = WrapBitmap(CBitmapU::LoadBitmapFromFile(path));
    if (!bitmap) return FALSE;
    m_pBackground = std::move(bitmap);
    return TRUE;
}

void CSkinMenu::SetImageList(CImageList* list) {
    Replace(m_pImageList, list);
}

BOOL CSkinMenu::SetImageList(UINT resourceId, COLORREF mask) {
    auto list = std::make_unique<CImageList>();
    if (!list->Create(resourceId, 16, 3, mask)) return FALSE;
    m_pImageList = std::move(list);
    return TRUE;
}

BOOL CSkinMenu::SetImageList(CBitmap* bitmap, COLORREF mask) {
    auto list = std::make_unique<CImageList>();
    if (!list->Create(16, 16, ILC_MASK | ILC_COLOR, 0, 2)) return FALSE;
    list->Add(bitmap, mask); // an empty list is still a list: items then show no images
    m_pImageList = std::move(list);
    return TRUE;
}

BOOL CSkinMenu::SetImageList(CFile& file) {
    auto list = StripImageList(WrapBitmap(CBitmapU::LoadBitmapFromFile(file)));
    if (!list) return FALSE;
    m_pImageList = std::move(list);
    return TRUE;
}

BOOL CSkinMenu::SetImageList(const CString& path) {
    auto list = StripImageList(WrapBitmap(CBitmapU::LoadBitmapFromFile(path)));
    if (!list) return FALSE;
    m_pImageList = std::move(list);
    return TRUE;
}

void CSkinMenu::SetFont(CFont* font) {
    Replace(m_pFont, font);
}

BOOL CSkinMenu::SetFont(const LOGFONTW* description) {
    auto font = std::make_unique<CFont>();
    if (!description || !font->CreateFontIndirect(description)) return FALSE;
    m_pFont = std::move(font);
    return TRUE;
}

void CSkinMenu::SetCheckImages(int normal, int selected, int disabled) {
    m_nCheckImages[0] = normal;
    m_nCheckImages[1] = selected;
    m_nCheckImages[2] = disabled;
}

void CSkinMenu::SetRadioImages(int normal, int selected, int disabled) {
    m_nRadioImages[0] = normal;
    m_nRadioImages[1] = selected;
    m_nRadioImages[2] = disabled;
}

BOOL CSkinMenu::AppendMenuW(UINT flags, UINT_PTR id, LPCWSTR text, int image, int selectedImage,
                            int disabledImage) {
    const int images[3] = {image, selectedImage, disabledImage};
    return Append(flags, id, text ? text : u"", nullptr, images);
}

BOOL CSkinMenu::AppendMenuW(UINT flags, UINT_PTR id, CBitmap* bitmap, int image, int selectedImage,
                            int disabledImage) {
    const int images[3] = {image, selectedImage, disabledImage};
    return Append(flags, id, u"", bitmap, images);
}

BOOL CSkinMenu::Append(UINT flags, UINT_PTR id, LPCWSTR text, CBitmap* bitmap,
                       const int images[3]) {
    auto record = std::make_unique<tagSKINMENUITEM>();
    record->nFlags = flags & ~UINT(MF_OWNERDRAW);
    record->strText = text;
    record->nImage = images[0];
    record->nSelectedImage = images[1];
    record->nDisabledImage = images[2];
    record->pBitmap = bitmap;
    auto data = reinterpret_cast<ULONG_PTR>(record.get());
    if (CMenu::AppendMenu(flags | MF_OWNERDRAW, id, reinterpret_cast<LPCWSTR>(data)) != 1) return 0;
    m_records.emplace(data, std::move(record));
    // Amortized: the sweep runs only once removed items hold most of the records.
    if (m_records.size() > 2 * size_t(GetMenuItemCount()) + 16) ForgetRemovedItems();
    return 1;
}

void CSkinMenu::ForgetRemovedItems() {
    std::unordered_set<ULONG_PTR> live;
    int count = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (::GetMenuItemInfoW(m_hMenu, UINT(pos), TRUE, &info)) live.insert(info.dwItemData);
    }
    std::erase_if(m_records, [&](const auto& entry) { return !live.count(entry.first); });
}

BOOL CSkinMenu::ModifyMenu(UINT, UINT_PTR, LPCWSTR, int, int, int) {
    return 0;
}

BOOL CSkinMenu::ModifyMenu(UINT, UINT_PTR, CBitmap*, int, int, int) {
    return 0;
}

BOOL CSkinMenu::DestroyMenu() {
    m_records.clear();
    return CMenu::DestroyMenu();
}

const tagSKINMENUITEM* CSkinMenu::ItemRecord(ULONG_PTR data, UINT id, tagSKINMENUITEM* scratch) {
    auto it = m_records.find(data);
    if (it != m_records.end()) return it->second.get();
    // A foreign item: its platform text and flags, no images.
    *scratch = tagSKINMENUITEM{};
    UINT state = CMenu::GetMenuState(id, MF_BYCOMMAND);
    scratch->nFlags = state == 0xFFFFFFFF ? 0 : (state & MF_SEPARATOR);
    CMenu::GetMenuString(id, scratch->strText, MF_BYCOMMAND);
    return scratch;
}

int CSkinMenu::GetMenuString(UINT item, CString& text, UINT flags) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!CMenu::GetMenuItemInfo(item, &info, (flags & MF_BYPOSITION) != 0)) {
        text.Empty();
        return 0;
    }
    auto it = m_records.find(info.dwItemData);
    if (it != m_records.end())
        text = it->second->strText;
    else
        CMenu::GetMenuString(item, text, flags);
    return 1;
}
