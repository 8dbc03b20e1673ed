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
#include "repository/skininterface.h"
#include "skindesc/skinmodel.h"

class CSkinRepository : public CObject {
public:
    CSkinRepository();
    ~CSkinRepository() override;
    CSkinRepository(const CSkinRepository&) = delete;
    CSkinRepository& operator=(const CSkinRepository&) = delete;

    // The live repository, or null while none exists.
    static CSkinRepository* GetSkinRepository();

    // Refuses (changing nothing) unless folder is an existing folder; stores it with a
    // trailing backslash. The current skin, caches and registry stay as they are.
    bool SetSkinsFolder(const CString& folder);
    const CString& GetSkinsFolder() const { return m_strFolder; }
    // The name passed to the last accepted LoadSkin, "" before.
    const CString& GetCurrentSkinName() const { return m_skin.name; }
    // Appends the skins of the folder in the platform's enumeration order; the list is not
    // emptied first.
    void GetAvailableSkinsList(CStringList& list, const CString& extension);

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

    CString m_strFolder;
    bool m_bFolderSet = false;
    tagSKIN m_skin;
    CMapStringToPtr m_mapBitmaps{10};
    CMapStringToPtr m_mapIcons{10};
    CMapStringToPtr m_mapFonts{10};
    CPtrList m_listComponents{10};
    CMapStringToString m_mapSectionFiles{10};

    static CSkinRepository* m_pSkinRepository;
};

// True when the last extension.GetLength() characters of name equal extension, ignoring case.
bool EndsWithExtension(const CString& name, const CString& extension);
