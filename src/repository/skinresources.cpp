// The skin's bitmaps, icons, fonts and raw files, served out of the section's package with
// caches the repository owns.
#include "archive/zarchive.h"
#include "bitmap/bitmapu.h"
#include "platform/afx/gdiobj.h"
#include "repository/skinrepository.h"

namespace {

// Extracts entry from the package that supplied section; false when the section is unknown
// (the lookup is exact, letter case included) or the package or entry cannot be read.
bool ExtractSectionEntry(const CMapStringToString& sectionFiles, const CString& section,
                         const CString& entry, CMemFile& data) {
    CString package;
    if (!sectionFiles.Lookup(section, package)) return false;
    CZArchive archive;
    return archive.Open(package, CZArchive::modeExtract) && archive.Extract(entry, data);
}

// section + "::" + entry, built in place in key so that its buffer is reused.
const CString& CacheKey(CString& key, const CString& section, const CString& entry) {
    key = section;
    key += u"::";
    key += entry;
    return key;
}

// Appends v in decimal with at least `digits` digits, as "%.<digits>u" does.
void AppendPadded(CString& key, DWORD v, int digits) {
    WCHAR text[16];
    int n = 0;
    do {
        text[n++] = WCHAR(u'0' + v % 10);
        v /= 10;
    } while (v);
    while (n < digits)
        text[n++] = u'0';
    for (; n > 0; --n)
        key += text[n - 1];
}

// The font cache's key: "%s%.3u%.4u%.1u" of face, height, weight and italic, built without
// formatting (every control asks for its font at every skin change).
const CString& FontKey(CString& key, const LOGFONTW& font) {
    key = font.lfFaceName;
    AppendPadded(key, DWORD(font.lfHeight), 3);
    AppendPadded(key, DWORD(font.lfWeight), 4);
    AppendPadded(key, DWORD(font.lfItalic), 1);
    return key;
}

template <class Handle> Handle Cached(const CMapStringToPtr& cache, const CString& key) {
    void* value = nullptr;
    return cache.Lookup(key, value) ? static_cast<Handle>(value) : nullptr;
}

// The icon's colour image and mask as two w x h bitmaps cut from the entry's halves: colour
// image on the left, mask on the right.
HICON IconFromHalves(HBITMAP source) {
    BITMAP info{};
    if (!GetObject(source, sizeof info, &info)) return nullptr;
    int w = info.bmWidth / 2;
    if (w < 0) w = -w;
    int h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    HDC sourceDC = CreateCompatibleDC(nullptr);
    HDC targetDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(sourceDC, source);
    HBITMAP mask = CreateCompatibleBitmap(sourceDC, w, h);
    HBITMAP colour = CreateCompatibleBitmap(sourceDC, w, h);
    HGDIOBJ oldTarget = SelectObject(targetDC, mask);
    BitBlt(targetDC, 0, 0, w, h, sourceDC, w, 0, SRCCOPY);
    SelectObject(targetDC, colour);
    BitBlt(targetDC, 0, 0, w, h, sourceDC, 0, 0, SRCCOPY);
    SelectObject(targetDC, oldTarget);
    SelectObject(sourceDC, oldSource);

    ICONINFO icon{TRUE, 0, 0, mask, colour};
    HICON result = CreateIconIndirect(&icon);
    // The icon keeps copies of both images, so nothing refers to these any more.
    DeleteObject(mask);
    DeleteObject(colour);
    DeleteDC(targetDC);
    DeleteDC(sourceDC);
    return result;
}

} // namespace

HBITMAP CSkinRepository::GetBitmap(const CString& section, const CString& entry, bool cache) {
    if (section.IsEmpty() || entry.IsEmpty()) return nullptr;
    if (cache)
        for (const RecentBitmap& r : m_recentBitmaps)
            if (r.bitmap && r.entry == entry && r.section == section) return r.bitmap;
    const CString& key = CacheKey(m_strKey, section, entry);
    HBITMAP bitmap = cache ? Cached<HBITMAP>(m_mapBitmaps, key) : nullptr;
    if (!bitmap) {
        CMemFile data(1024);
        if (!ExtractSectionEntry(m_mapSectionFiles, section, entry, data)) return nullptr;
        bitmap = CBitmapU::LoadBitmapFromFile(data);
        if (!bitmap || !cache) return bitmap;
        m_mapBitmaps[CacheKey(m_strKey, section, entry)] = bitmap;
    }
    m_recentBitmaps[m_nNextBitmap++ % kRecent] = {section, entry, bitmap};
    return bitmap;
}

HICON CSkinRepository::GetIcon(const CString& section, const CString& entry, bool cache) {
    const CString key = CacheKey(m_strKey, section, entry);
    if (cache)
        if (HICON hit = Cached<HICON>(m_mapIcons, key)) return hit;
    CMemFile data(1024);
    if (!ExtractSectionEntry(m_mapSectionFiles, section, entry, data)) return nullptr;
    HBITMAP source = CBitmapU::LoadBitmapFromFile(data);
    if (!source) return nullptr;
    HICON icon = IconFromHalves(source);
    DeleteObject(source);
    if (icon && cache) m_mapIcons[key] = icon;
    return icon;
}

bool CSkinRepository::GetFile(const CString& section, const CString& entry, CMemFile& file) {
    return ExtractSectionEntry(m_mapSectionFiles, section, entry, file);
}

// True when the two fonts give the same cache key.
static bool SameFontKey(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

CFont* CSkinRepository::GetFont(const LOGFONTW* font) {
    if (!font) return nullptr;
    for (const RecentFont& r : m_recentFonts)
        if (r.object && SameFontKey(*font, r.font)) return r.object;
    const CString& key = FontKey(m_strKey, *font);
    void* cached = nullptr;
    if (!m_mapFonts.Lookup(key, cached)) {
        // Cached even when the platform could not make the font: later requests get the same
        // object.
        auto* made = new CFont;
        made->Attach(CreateFontIndirect(font));
        m_mapFonts[key] = cached = made;
    }
    m_recentFonts[m_nNextFont++ % kRecent] = {*font, static_cast<CFont*>(cached)};
    return static_cast<CFont*>(cached);
}

void CSkinRepository::ForgetRecent() {
    for (RecentBitmap& r : m_recentBitmaps)
        r = {};
    for (RecentFont& r : m_recentFonts)
        r = {};
}

void CSkinRepository::UnloadCurrentSkin() {
    UnloadSkinResources(m_skin, m_mapBitmaps, m_mapIcons, m_mapFonts);
    ForgetRecent();
    m_mapSectionFiles.RemoveAll();
}

void CSkinRepository::UnloadSkinResources(tagSKIN& skin, CMapStringToPtr& bitmaps,
                                          CMapStringToPtr& icons, CMapStringToPtr& fonts) {
    ClearSkin(skin);
    CString key;
    void* value = nullptr;
    for (POSITION pos = bitmaps.GetStartPosition(); pos;) {
        bitmaps.GetNextAssoc(pos, key, value);
        if (value) DeleteObject(static_cast<HBITMAP>(value));
    }
    bitmaps.RemoveAll();
    for (POSITION pos = icons.GetStartPosition(); pos;) {
        icons.GetNextAssoc(pos, key, value);
        if (value) DestroyIcon(static_cast<HICON>(value));
    }
    icons.RemoveAll();
    for (POSITION pos = fonts.GetStartPosition(); pos;) {
        fonts.GetNextAssoc(pos, key, value);
        delete static_cast<CFont*>(value);
    }
    fonts.RemoveAll();
}
