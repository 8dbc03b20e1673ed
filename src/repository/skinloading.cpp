// Reading skin information, loading and merging skins, and the component registry.
#include "archive/zarchive.h"
#include "platform/afx/wnd.h"
#include "repository/skinrepository.h"
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"
#include "skindesc/skindescription.h"

#include <algorithm>
#include <iterator>
#include <typeinfo>
#include <vector>

namespace {

const LPCWSTR kIndexEntry = u".index";
const LPCWSTR kDescriptionEntry = u".xml";

// Opens the package and extracts one entry into data; the archive is closed again on return.
bool ExtractEntry(const CString& package, LPCWSTR entry, CMemFile& data) {
    CZArchive archive;
    return archive.Open(package, CZArchive::modeExtract) && archive.Extract(entry, data);
}

bool IsMerged(const CMapStringToString& sectionFiles, const CString& path) {
    for (POSITION pos = sectionFiles.GetStartPosition(); pos;) {
        CString section, package;
        sectionFiles.GetNextAssoc(pos, section, package);
        if (package.CompareNoCase(path) == 0) return true;
    }
    return false;
}

tagSECTION* FindSection(const tagSKIN& skin, const CString& id) {
    for (void* p : skin.sections) {
        auto* section = static_cast<tagSECTION*>(p);
        if (section && section->id.CompareNoCase(id) == 0) return section;
    }
    return nullptr;
}

// The window object of a component, or null for a component that is not one. The cast across
// from the interface goes the same way for every object of one class (reached through the same
// base), so it is worked out once per class rather than searched for at every skin change.
CWnd* WindowOf(CSkinInterface* component) {
    if (!component) return nullptr;
    struct Known {
        const std::type_info* type = nullptr;
        ptrdiff_t from = 0, to = 0; // interface and window offsets in the whole object
        bool window = false;
    };
    static Known known[8];
    static unsigned next = 0;
    const auto* whole = static_cast<const char*>(dynamic_cast<void*>(component));
    const std::type_info& type = typeid(*component);
    const ptrdiff_t from = reinterpret_cast<const char*>(component) - whole;
    for (const Known& k : known)
        if (k.type == &type && k.from == from)
            return k.window ? reinterpret_cast<CWnd*>(const_cast<char*>(whole) + k.to) : nullptr;
    CWnd* wnd = dynamic_cast<CWnd*>(component);
    known[next++ % std::size(known)] = {
        &type, from, wnd ? reinterpret_cast<const char*>(wnd) - whole : 0, wnd != nullptr};
    return wnd;
}

// The top-level windows that hold the windows of components (components that are top-level
// windows themselves hold no others and are left out), each once.
std::vector<HWND> WindowRoots(const CPtrList& components) {
    std::vector<HWND> roots;
    // Controls mostly follow their siblings in the list: the root found for one parent serves
    // the next child of that parent without a walk.
    HWND lastParent = nullptr;
    for (void* p : components) {
        CWnd* wnd = WindowOf(static_cast<CSkinInterface*>(p));
        HWND window = wnd ? wnd->m_hWnd : nullptr;
        if (!window || !::IsWindow(window) || !(::GetWindowLong(window, GWL_STYLE) & WS_CHILD))
            continue;
        HWND parent = ::GetParent(window);
        if (!parent || parent == lastParent) continue;
        lastParent = parent;
        HWND root = parent;
        while (::GetWindowLong(root, GWL_STYLE) & WS_CHILD) {
            HWND above = ::GetParent(root);
            if (!above) break;
            root = above;
        }
        if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
    }
    return roots;
}

} // namespace

bool CSkinRepository::GetSkinInformation(const CString& name, tagSKININFORMATION& info) {
    if (!m_bFolderSet || name.IsEmpty()) return false;
    SkinLocation location;
    if (!ResolveSkinName(name, location)) return false;
    CString package = location.path;
    if (location.isFolder) {
        CStringList first;
        FindPackages(location.path, location.extension, first, true);
        if (first.IsEmpty()) return false;
        package = first.GetHead();
    }
    CMemFile description(1024);
    return ExtractEntry(package, kDescriptionEntry, description) &&
           ReadSkinInformation(description, info);
}

bool CSkinRepository::LoadSkin(const CString& name, CStringList* extraPackages, bool unloadFirst,
                               bool preload) {
    if (!m_bFolderSet || name.IsEmpty()) return false;
    SkinLocation location;
    if (!ResolveSkinName(name, location)) return false;
    m_componentIndex.clear();
    m_bComponentsIndexed = false;
    m_pLastComponents = nullptr;
    if (unloadFirst) UnloadCurrentSkin();
    m_skin.name = name;

    CStringList packages;
    if (location.isFolder)
        FindPackages(location.path, location.extension, packages, false);
    else
        packages.AddTail(location.path);
    if (extraPackages) packages.AddTail(*extraPackages);
    for (const CString& package : packages)
        LoadSkinPackage(package, m_skin, m_mapSectionFiles);

    if (preload) PreloadSkinFiles();
    // Every component hides, moves, shapes and invalidates itself: with redraw off around the
    // two passes none of that exposes or paints anything, and each screen is redrawn once, in
    // the new skin throughout, when all its components have it.
    std::vector<HWND> roots = WindowRoots(m_listComponents);
    for (HWND root : roots)
        ::SendMessage(root, WM_SETREDRAW, FALSE, 0);
    ForEachComponent([](CSkinInterface* component) { component->Update(); });
    ForEachComponent([](CSkinInterface* component) { component->OnUpdate(); });
    for (HWND root : roots) {
        if (!::IsWindow(root)) continue; // a component destroyed it
        ::SendMessage(root, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(root, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return true;
}

bool CSkinRepository::LoadSkinPackage(const CString& path, tagSKIN& skin,
                                      CMapStringToString& sectionFiles) {
    if (path.IsEmpty()) return false;
    if (IsMerged(sectionFiles, path)) return true;

    CZArchive archive;
    if (!archive.Open(path, CZArchive::modeExtract)) return false;
    CMemFile index(1024), description(1024);
    BYTE header[kIndexHeaderSize];
    if (!archive.Extract(kIndexEntry, index) || !ReadIndexHeader(index, header)) return false;
    if (!archive.Extract(kDescriptionEntry, description)) return false;
    archive.Close();

    // A description that reads only partly contributes what was read.
    tagSKIN loaded;
    ReadDescription(description, loaded);
    if (!skin.defaults) std::swap(skin.defaults, loaded.defaults);
    for (POSITION pos = loaded.sections.GetHeadPosition(); pos;) {
        POSITION at = pos;
        auto* section = static_cast<tagSECTION*>(loaded.sections.GetNext(pos));
        if (!section || FindSection(skin, section->id)) continue; // the first package wins
        skin.sections.AddTail(section);
        sectionFiles[section->id] = path;
        loaded.sections.RemoveAt(at);
    }
    return true;
}

void CSkinRepository::AddComponent(CSkinInterface* const component) {
    m_listComponents.AddTail(component);
    if (m_bFolderSet && !m_skin.name.IsEmpty()) component->Update();
}

bool CSkinRepository::RemoveComponent(const CSkinInterface* const component) {
    POSITION pos = m_listComponents.Find(const_cast<CSkinInterface*>(component));
    if (!pos) return false;
    m_listComponents.RemoveAt(pos);
    return true;
}

void CSkinRepository::IndexComponents() {
    m_componentIndex.clear();
    m_pLastComponents = nullptr;
    for (void* s : m_skin.sections) {
        auto* record = static_cast<tagSECTION*>(s);
        if (!record) continue;
        CString key = record->id;
        key.MakeLower();
        auto& components = m_componentIndex[std::u16string(key.GetString())];
        for (void* c : record->components) {
            auto* component = static_cast<tagCOMPONENT*>(c);
            if (component) components.emplace(UINT(_wtol(component->id)), component);
        }
    }
    m_bComponentsIndexed = true;
}

const tagCOMPONENT* CSkinRepository::GetComponent(const CString& section, UINT id) {
    if (section.IsEmpty() || id == 0) return nullptr;
    if (!m_bComponentsIndexed) IndexComponents();
    if (!m_pLastComponents || section.Compare(m_strLastSection) != 0) {
        CString key = section;
        key.MakeLower();
        auto s = m_componentIndex.find(std::u16string(key.GetString()));
        if (s == m_componentIndex.end()) return nullptr;
        m_strLastSection = section;
        m_pLastComponents = &s->second;
    }
    auto c = m_pLastComponents->find(id);
    return c == m_pLastComponents->end() ? nullptr : c->second;
}

CString CSkinRepository::GetComponentString(const CString& section, UINT id) {
    const tagCOMPONENT* component = GetComponent(section, id);
    if (!component) return CString();
    CMemFile text(1024);
    WriteComponentText(*component, text, nullptr, nullptr);
    std::u16string units(text.GetLength() / 2, u'\0');
    text.SeekToBegin();
    text.Read(units.data(), UINT(units.size() * 2));
    return CString(std::move(units));
}

void CSkinRepository::PreloadSkinFiles() {
    for (void* s : m_skin.sections) {
        auto* section = static_cast<tagSECTION*>(s);
        if (!section) continue;
        ForEachRecord<tagCOMPONENT>(section->components, [&](const tagCOMPONENT& component) {
            ForEachRecord<tagATTRIBUTE>(component.attributes, [&](const tagATTRIBUTE& attribute) {
                if (attribute.type.CompareNoCase(u"file") != 0) return;
                CString extension = attribute.value.Mid(attribute.value.ReverseFind(u'.') + 1);
                if (extension.CompareNoCase(u"bmp") == 0)
                    GetBitmap(section->id, attribute.value, true);
                else if (extension.CompareNoCase(u"bmi") == 0)
                    GetIcon(section->id, attribute.value, true);
            });
        });
    }
}
