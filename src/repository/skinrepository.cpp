#include "repository/skinrepository.h"

#include "repository/skinfiles.h"

#include <algorithm>
#include <vector>

CSkinRepository* CSkinRepository::m_pSkinRepository = nullptr;

namespace {

// Every repository between its construction and its destruction (an application has one).
std::vector<const CSkinRepository*>& LiveRepositories() {
    static std::vector<const CSkinRepository*> live;
    return live;
}

} // namespace

bool EndsWithExtension(const CString& name, const CString& extension) {
    int n = extension.GetLength();
    return n <= name.GetLength() && name.Right(n).CompareNoCase(extension) == 0;
}

CSkinRepository::CSkinRepository() {
    LiveRepositories().push_back(this);
    m_pSkinRepository = this;
}

CSkinRepository::~CSkinRepository() {
    ForEachComponent([](CSkinInterface* component) { component->Unload(); });
    m_listComponents.RemoveAll();
    UnloadCurrentSkin();
    m_pSkinRepository = nullptr;
    auto& live = LiveRepositories();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

bool CSkinRepository::IsAlive(const CSkinRepository* repository) {
    const auto& live = LiveRepositories();
    return repository && std::find(live.begin(), live.end(), repository) != live.end();
}

CSkinRepository* CSkinRepository::GetSkinRepository() { return m_pSkinRepository; }

bool CSkinRepository::SetSkinsFolder(const CString& folder) {
    if (!IsFolderPath(folder)) return false;
    m_strFolder = folder;
    if (m_strFolder[m_strFolder.GetLength() - 1] != u'\\') m_strFolder += u'\\';
    m_bFolderSet = true;
    return true;
}

void CSkinRepository::FindPackages(const CString& folder, const CString& extension,
                                   CStringList& paths, bool firstOnly) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFile(folder + u"\\*", &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        CString path = folder + u'\\' + data.cFileName;
        if (IsFilePath(path) && EndsWithExtension(data.cFileName, extension)) {
            paths.AddTail(path);
            if (firstOnly) break;
        }
    } while (FindNextFile(find, &data));
    FindClose(find);
}

void CSkinRepository::GetAvailableSkinsList(CStringList& list, const CString& extension) {
    if (!m_bFolderSet) return;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFile(m_strFolder + u"*", &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        CString name = data.cFileName;
        if (EndsWithExtension(name, extension)) {
            list.AddTail(name);
        } else if (IsFolderPath(m_strFolder + name)) {
            CStringList first;
            FindPackages(m_strFolder + name, extension, first, true);
            if (!first.IsEmpty()) list.AddTail(name + u'?' + extension);
        }
    } while (FindNextFile(find, &data));
    FindClose(find);
}

bool CSkinRepository::ResolveSkinName(const CString& name, SkinLocation& location) const {
    CString path = m_strFolder + name;
    if (IsFilePath(path)) {
        location = {false, path, CString()};
        return true;
    }
    int mark = path.ReverseFind(u'?');
    if (mark < 0) return false;
    CString folder = path.Left(mark);
    if (!IsFolderPath(folder)) return false;
    location = {true, folder, path.Mid(mark + 1)};
    return true;
}
