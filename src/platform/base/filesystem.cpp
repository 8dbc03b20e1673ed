#include "platform/base/filesystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

thread_local DWORD g_lastError = 0;

std::map<WCHAR, std::string>& Drives() {
    static std::map<WCHAR, std::string> drives;
    return drives;
}

DWORD ErrorFromErrno(int e) {
    switch (e) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

BOOL Fail(DWORD error) {
    g_lastError = error;
    return FALSE;
}

BOOL FailErrno() {
    return Fail(ErrorFromErrno(errno));
}

// Wildcard match of one file name: '*' any run, '?' any one character, letters ignoring case.
bool Matches(std::u16string_view pattern, std::u16string_view name) {
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || WideToLower(pattern[p]) == WideToLower(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

struct FindState {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

void Fill(WIN32_FIND_DATAW& data, const std::string& hostFolder, const std::string& name) {
    std::memset(&data, 0, sizeof data);
    struct stat st {};
    std::string full = hostFolder + "/" + name;
    if (::stat(full.c_str(), &st) == 0) {
        data.dwFileAttributes =
            S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        if (!(st.st_mode & S_IWUSR)) data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
        data.nFileSizeLow = DWORD(uint64_t(st.st_size) & 0xFFFFFFFFu);
        data.nFileSizeHigh = DWORD(uint64_t(st.st_size) >> 32);
    }
    std::u16string wide = CString::FromUtf8(name).Str();
    size_t n = std::min(wide.size(), size_t(MAX_PATH - 1));
    std::copy_n(wide.begin(), n, data.cFileName);
    data.cFileName[n] = 0;
}

bool Exists(const std::string& hostPath) {
    struct stat st {};
    return ::lstat(hostPath.c_str(), &st) == 0;
}

// The name in hostFolder that equals name ignoring letter case; the first in name order when
// several do. Empty when none does.
std::string NameIgnoringCase(const std::string& hostFolder, const std::string& name) {
    DIR* dir = ::opendir(hostFolder.empty() ? "." : hostFolder.c_str());
    if (!dir) return {};
    CString wanted = CString::FromUtf8(name);
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        std::string candidate = e->d_name;
        if ((found.empty() || candidate < found) &&
            EqualsNoCase(CString::FromUtf8(candidate).View(), wanted.View()))
            found = candidate;
    }
    ::closedir(dir);
    return found;
}

// File names ignore letter case, as on the device: each part of a host path that does not exist
// as spelt becomes the existing name that differs from it only in case. A name that exists as
// spelt always wins.
std::string MatchCase(const std::string& path) {
    if (path.empty() || Exists(path)) return path;
    std::string out;
    for (size_t pos = 0;;) {
        size_t end = std::min(path.find('/', pos), path.size());
        std::string part = path.substr(pos, end - pos);
        if (!part.empty() && part != "." && part != ".." && !Exists(out + part)) {
            std::string match = NameIgnoringCase(out, part);
            // Nothing below a missing part can exist.
            if (match.empty()) return out + path.substr(pos);
            part = match;
        }
        out += part;
        if (end == path.size()) return out;
        out += '/';
        pos = end + 1;
    }
}

} // namespace

DWORD GetLastError() {
    return g_lastError;
}
void SetLastError(DWORD error) {
    g_lastError = error;
}

void MapDrive(WCHAR drive, const std::string& hostFolder) {
    Drives()[WideToUpper(drive)] = hostFolder;
}

void ResetDrives() {
    Drives().clear();
}

std::string HostPath(LPCWSTR path) {
    CString p(path);
    p.Replace(u'\\', u'/');
    std::string prefix;
    if (p.GetLength() >= 2 && p[1] == u':' &&
        ((p[0] >= u'A' && p[0] <= u'Z') || (p[0] >= u'a' && p[0] <= u'z'))) {
        auto it = Drives().find(WideToUpper(p[0]));
        prefix = it != Drives().end() ? it->second : std::string();
        p = p.Mid(2);
        if (p.IsEmpty() || p[0] != u'/') p = u'/' + p;
        while (!prefix.empty() && prefix.back() == '/')
            prefix.pop_back();
    }
    return MatchCase(prefix + p.ToUtf8());
}

HANDLE FindFirstFile(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
    if (!pattern || !data) return Fail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    CString p(pattern);
    p.Replace(u'/', u'\\');
    int slash = p.ReverseFind(u'\\');
    CString folder = slash >= 0 ? p.Left(slash) : CString(u".");
    if (slash == 0) folder = u"\\";
    CString leaf = p.Mid(slash + 1);
    std::string hostFolder = HostPath(folder);
    if (hostFolder.empty()) hostFolder = "/";
    DIR* dir = ::opendir(hostFolder.c_str());
    if (!dir) return FailErrno(), INVALID_HANDLE_VALUE;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (Matches(leaf.View(), CString::FromUtf8(name).View())) names.push_back(name);
    }
    ::closedir(dir);
    if (names.empty()) return Fail(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    std::sort(names.begin(), names.end());
    auto state = std::make_unique<FindState>();
    state->entries.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        Fill(state->entries[i], hostFolder, names[i]);
    *data = state->entries[0];
    state->next = 1;
    return state.release();
}

BOOL FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) {
    if (!find || find == INVALID_HANDLE_VALUE || !data) return Fail(ERROR_INVALID_HANDLE);
    auto* state = static_cast<FindState*>(find);
    if (state->next >= state->entries.size()) return Fail(ERROR_NO_MORE_FILES);
    *data = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    if (!find || find == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
    delete static_cast<FindState*>(find);
    return TRUE;
}

DWORD GetFileAttributes(LPCWSTR path) {
    if (!path || !*path) return Fail(ERROR_PATH_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
    struct stat st {};
    if (::stat(HostPath(path).c_str(), &st) != 0) return FailErrno(), INVALID_FILE_ATTRIBUTES;
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

BOOL CreateDirectory(LPCWSTR path, SECURITY_ATTRIBUTES*) {
    if (!path || !*path) return Fail(ERROR_PATH_NOT_FOUND);
    return ::mkdir(HostPath(path).c_str(), 0777) == 0 ? TRUE : FailErrno();
}

BOOL RemoveDirectory(LPCWSTR path) {
    if (!path || !*path) return Fail(ERROR_PATH_NOT_FOUND);
    return ::rmdir(HostPath(path).c_str()) == 0 ? TRUE : FailErrno();
}

BOOL DeleteFile(LPCWSTR path) {
    if (!path || !*path) return Fail(ERROR_FILE_NOT_FOUND);
    std::string host = HostPath(path);
    struct stat st {};
    if (::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    return ::unlink(host.c_str()) == 0 ? TRUE : FailErrno();
}

BOOL MoveFile(LPCWSTR existing, LPCWSTR newName) {
    if (!existing || !newName) return Fail(ERROR_INVALID_PARAMETER);
    std::string from = HostPath(existing), to = HostPath(newName);
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) return FailErrno();
    if (::lstat(to.c_str(), &st) == 0) return Fail(ERROR_ALREADY_EXISTS);
    return ::rename(from.c_str(), to.c_str()) == 0 ? TRUE : FailErrno();
}

BOOL CopyFile(LPCWSTR existing, LPCWSTR newName, BOOL failIfExists) {
    if (!existing || !newName) return Fail(ERROR_INVALID_PARAMETER);
    int in = ::open(HostPath(existing).c_str(), O_RDONLY);
    if (in < 0) return FailErrno();
    int flags = O_WRONLY | O_CREAT | O_TRUNC | (failIfExists ? O_EXCL : 0);
    int out = ::open(HostPath(newName).c_str(), flags, 0666);
    if (out < 0) {
        ::close(in);
        return errno == EEXIST ? Fail(ERROR_FILE_EXISTS) : FailErrno();
    }
    char buf[65536];
    bool ok = true;
    for (ssize_t n; ok && (n = ::read(in, buf, sizeof buf)) != 0;)
        ok = n > 0 && ::write(out, buf, size_t(n)) == n;
    ::close(in);
    ::close(out);
    return ok ? TRUE : FailErrno();
}
