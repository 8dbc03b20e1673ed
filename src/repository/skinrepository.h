// CSkinRepository: the one object through which an application reaches skins.
//
// The application constructs it (usually as a member of its application object); the
// constructor publishes it as the process-wide repository that every control finds through
// GetSkinRepository. It knows the skins folder, lists the skins in it, loads a skin by merging
// the sections of its packages, keeps the registry of skinned components that want to hear of
// skin changes, and serves the skin's bitmaps, icons, fonts and files with caches.
//
// Skins folder layout: package files directly in the folder are skins named after the file;
// a sub-folder holding package files is one folder skin named "<folder>?<extension>", made of
// all its packages. "Ends in" an extension compares the last characters ignoring letter case,
// with no dot implied.
#pragma once

#include "platform/base/afx.h"
#include "platform/gdi/gdidefs.h"
#include "repository/skininterface.h"
#include "skindesc/skinmodel.h"

#include <map>
#include <string>
#include <unordered_map>

class CFont;

class CSkinRepository : public CObject {
public:
    CSkinRepository();
    ~CSkinRepository() override;
    CSkinRepository(const CSkinRepository&) = delete;
    CSkinRepository& operator=(const CSkinRepository&) = delete;

    // The live repository, or null while none exists.
    static CSkinRepository* GetSkinRepository();
    // Whether repository is a repository that has been constructed and not yet destroyed, so
    // that a component outliving its repository never reaches the destroyed one.
    static bool IsAlive(const CSkinRepository* repository);

    // Refuses (changing nothing) unless folder is an existing folder; stores it with a
    // trailing backslash. The current skin, caches and registry stay as they are.
    bool SetSkinsFolder(const CString& folder);
    const CString& GetSkinsFolder() const { return m_strFolder; }
    // The name passed to the last accepted LoadSkin, "" before.
    const CString& GetCurrentSkinName() const { return m_skin.name; }
    // Appends the skins of the folder in the platform's enumeration order; the list is not
    // emptied first.
    void GetAvailableSkinsList(CStringList& list, const CString& extension);

    // The information of the named skin's description, read without loading the skin. For a
    // folder skin, the first package the platform enumerates is read.
    bool GetSkinInformation(const CString& name, tagSKININFORMATION& info);
    // Makes the named skin current: merges the sections of its packages (then of
    // extraPackages, full paths used as they are) into the current skin, the first package
    // that supplies a section winning; optionally fills the caches; then runs Update and
    // afterwards OnUpdate on every registered component. False only when no folder is set or
    // the name does not resolve, and then nothing changes.
    bool LoadSkin(const CString& name, CStringList* extraPackages = nullptr,
                  bool unloadFirst = true, bool preload = false);

    // The registry of components told about skin changes, in registration order. A component
    // may be registered more than once; each registration is updated and removed separately.
    void AddComponent(CSkinInterface* const component);
    bool RemoveComponent(const CSkinInterface* const component);
    // The first component of the named section (letter case ignored) whose identifier reads
    // as id; null for an empty section name, id 0, or no match. Valid until the next LoadSkin
    // that unloads first.
    const tagCOMPONENT* GetComponent(const CString& section, UINT id);
    // The component as the text form writes it (its element with attributes and properties),
    // for diagnostics; "" when GetComponent finds none.
    CString GetComponentString(const CString& section, UINT id);

    // Resources of the section's package. With cache, the result belongs to the repository and
    // lives until the next LoadSkin that unloads first; without, every call makes a new object
    // that belongs to the caller. Keys are "section::entry", compared exactly.
    HBITMAP GetBitmap(const CString& section, const CString& entry, bool cache);
    // An icon from a bitmap entry twice as wide as the icon: colour image left, mask right.
    HICON GetIcon(const CString& section, const CString& entry, bool cache);
    // The entry's raw bytes; the file is untouched when the section is not loaded.
    bool GetFile(const CString& section, const CString& entry, CMemFile& file);
    // The font for a description, shared by every description with the same face name, height,
    // weight and italic flag; always owned by the repository.
    CFont* GetFont(const LOGFONTW* font);

protected:
    // How a skin name resolves against the skins folder.
    struct SkinLocation {
        bool isFolder = false;
        CString path;      // the package file, or the folder of a folder skin
        CString extension; // folder skins only
    };
    bool ResolveSkinName(const CString& name, SkinLocation& location) const;
    // Full paths of the folder's package files ending in extension, in enumeration order.
    static void FindPackages(const CString& folder, const CString& extension, CStringList& paths,
                             bool firstOnly);

    // Merges one package file into skin, recording in sectionFiles the package of every section
    // it contributes. A package already recorded there is skipped (true); one that cannot be
    // opened, lacks ".index" or ".xml", or has a refused index header adds nothing (false).
    static bool LoadSkinPackage(const CString& path, tagSKIN& skin,
                                CMapStringToString& sectionFiles);
    // Fills the bitmap and icon caches with the skin's "file" attributes ending in bmp or bmi.
    void PreloadSkinFiles();
    // Empties skin and releases every bitmap, icon and font of the caches.
    static void UnloadSkinResources(tagSKIN& skin, CMapStringToPtr& bitmaps, CMapStringToPtr& icons,
                                    CMapStringToPtr& fonts);
    // Drops the current skin: its model, the caches (and the font remembered from them) and the
    // packages its sections came from.
    void UnloadCurrentSkin();
    // Fills m_componentIndex from the current skin.
    void IndexComponents();
    template <class F> void ForEachComponent(F&& call) {
        for (POSITION pos = m_listComponents.GetHeadPosition(); pos;)
            call(static_cast<CSkinInterface*>(m_listComponents.GetNext(pos)));
    }

    CString m_strFolder;
    bool m_bFolderSet = false;
    tagSKIN m_skin;
    CMapStringToPtr m_mapBitmaps{10};
    CMapStringToPtr m_mapIcons{10};
    CMapStringToPtr m_mapFonts{10};
    CPtrList m_listComponents{10};
    CMapStringToString m_mapSectionFiles{10};
    // The components by section (lower case) and identifier, the first of each kept: made at
    // the first GetComponent after a load, so that each control's lookup does not scan the
    // section.
    std::map<std::u16string, std::unordered_map<UINT, const tagCOMPONENT*>> m_componentIndex;
    bool m_bComponentsIndexed = false;
    // The section of the last GetComponent as the caller spelled it, and its components: the
    // controls of a screen share a section and each asks at every skin change.
    CString m_strLastSection;
    const std::unordered_map<UINT, const tagCOMPONENT*>* m_pLastComponents = nullptr;
    // Scratch for building cache keys without allocating on every cached fetch.
    CString m_strKey;
    // The last few bitmaps and fonts found, by what they were asked for: the controls of a
    // screen share a few images and fonts, and each asks for its own at every skin change.
    // Emptied with the caches.
    struct RecentBitmap {
        CString section, entry;
        HBITMAP bitmap = nullptr;
    };
    struct RecentFont {
        LOGFONTW font{};
        CFont* object = nullptr;
    };
    static constexpr unsigned kRecent = 4;
    RecentBitmap m_recentBitmaps[kRecent];
    RecentFont m_recentFonts[kRecent];
    unsigned m_nNextBitmap = 0, m_nNextFont = 0;
    void ForgetRecent();

    static CSkinRepository* m_pSkinRepository;
};

// True when the last extension.GetLength() characters of name equal extension, ignoring case.
bool EndsWithExtension(const CString& name, const CString& extension);
