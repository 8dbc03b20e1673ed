#include "platform/base/file.h"

#include "platform/base/filesystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Open files of this process by host identity, so that sharing modes can be honoured.
struct OpenRecord {
    const CFile* file;
    bool reads, writes;
    bool deniesRead, deniesWrite;
};
using FileId = std::pair<dev_t, ino_t>;

std::multimap<FileId, OpenRecord>& OpenFiles() {
    static std::multimap<FileId, OpenRecord> files;
    return files;
}

OpenRecord RecordFor(const CFile* file, UINT flags) {
    UINT access = flags & 3, share = flags & 0x70;
    return {file,
            access == CFile::modeRead || access == CFile::modeReadWrite,
            access == CFile::modeWrite || access == CFile::modeReadWrite,
            share == CFile::shareExclusive || share == CFile::shareDenyRead,
            share == CFile::shareExclusive || share == CFile::shareDenyWrite};
}

bool Conflicts(const OpenRecord& a, const OpenRecord& b) {
    return (a.deniesRead && b.reads) || (a.deniesWrite && b.writes) || (b.deniesRead && a.reads) ||
           (b.deniesWrite && a.writes);
}

// Up to count bytes at offset, fewer only at the file's end (or on an error).
size_t ReadAt(int fd, BYTE* buffer, size_t count, uint64_t offset) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd, buffer + done, count - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += size_t(n);
    }
    return done;
}

void Forget(const CFile* file) {
    auto& files = OpenFiles();
    for (auto it = files.begin(); it != files.end();)
        it = it->second.file == file ? files.erase(it) : std::next(it);
}

} // namespace

CFile::CFile() = default;

CFile::CFile(LPCWSTR fileName, UINT openFlags) { Open(fileName, openFlags); }

CFile::~CFile() {
    if (m_fd >= 0) Close();
}

CString CFile::GetFileName() const {
    CString path = m_strFileName;
    path.Replace(u'/', u'\\');
    return path.Mid(path.ReverseFind(u'\\') + 1);
}

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
    if (m_fd >= 0) Close();
    m_bFailed = false;
    auto fail = [&](int cause, DWORD osError) {
        SetLastError(osError);
        if (error) {
            error->m_cause = cause;
            error->m_lOsError = LONG(osError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    };
    if (!fileName || !*fileName) return fail(CFileException::badPath, ERROR_PATH_NOT_FOUND);

    std::string host = HostPath(fileName);
    UINT access = openFlags & 3;
    int flags = access == modeWrite ? O_WRONLY : access == modeReadWrite ? O_RDWR : O_RDONLY;
    if (openFlags & modeCreate) flags |= O_CREAT;
    flags |= O_CLOEXEC;
    // Only a creating open needs to know, to remove the file it made when sharing refuses it.
    bool existed = !(openFlags & modeCreate) || ::access(host.c_str(), F_OK) == 0;
    int fd = ::open(host.c_str(), flags, 0666);
    if (fd < 0) {
        int cause = errno == ENOENT ? CFileException::fileNotFound
                  : errno == EACCES || errno == EISDIR ? CFileException::accessDenied
                                                       : CFileException::generic;
        return fail(cause, errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(CFileException::accessDenied, ERROR_ACCESS_DENIED);
    }
    FileId id{st.st_dev, st.st_ino};
    OpenRecord mine = RecordFor(this, openFlags);
    auto range = OpenFiles().equal_range(id);
    for (auto it = range.first; it != range.second; ++it) {
        if (Conflicts(mine, it->second)) {
            ::close(fd);
            if (!existed) ::unlink(host.c_str());
            return fail(CFileException::sharingViolation, ERROR_SHARING_VIOLATION);
        }
    }
    // Truncation waits until sharing has been checked, so a refused open destroys nothing.
    if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && access != modeRead &&
        ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return fail(CFileException::accessDenied, ERROR_ACCESS_DENIED);
    }
    OpenFiles().emplace(id, mine);
    m_fd = fd;
    m_nFlags = openFlags;
    m_bSteady = access == modeRead && mine.deniesWrite;
    m_nSteadyLength = uint64_t(st.st_size);
    m_nSteadyPosition = 0;
    m_strFileName = fileName;
    m_hostPath = host;
    return TRUE;
}

void CFile::Close() {
    if (m_fd >= 0) {
        Forget(this);
        ::close(m_fd);
    }
    m_fd = -1;
    m_bSteady = false;
    m_ahead.clear();
    m_nAheadStart = 0;
    m_strFileName.Empty();
    m_hostPath.clear();
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_fd < 0 || !buffer) return 0;
    if (m_bSteady) { // no read past the known end, which would only find it
        count = UINT(std::min<uint64_t>(count, m_nSteadyLength -
                                                   std::min(m_nSteadyPosition, m_nSteadyLength)));
        if (count == 0) return 0;
    }
    UINT done = 0;
    if (m_bSteady) {
        if (!ReadAhead(static_cast<BYTE*>(buffer), count, done))
            done = UINT(ReadAt(m_fd, static_cast<BYTE*>(buffer), count, m_nSteadyPosition));
    } else {
        while (done < count) {
            ssize_t n = ::read(m_fd, static_cast<BYTE*>(buffer) + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += UINT(n);
        }
    }
    m_nSteadyPosition += done;
    return done;
}

bool CFile::ReadAhead(BYTE* buffer, UINT count, UINT& done) {
    constexpr uint64_t kBlock = 4096;
    if (count >= kBlock) return false;
    uint64_t at = m_nSteadyPosition;
    if (at < m_nAheadStart || at + count > m_nAheadStart + m_ahead.size()) {
        // The block holding the bytes, or one starting at them when they cross its end.
        uint64_t start = at & ~(kBlock - 1);
        if (at + count > start + kBlock) start = at;
        m_ahead.resize(size_t(std::min(kBlock, m_nSteadyLength - start)));
        m_ahead.resize(ReadAt(m_fd, m_ahead.data(), m_ahead.size(), start));
        m_nAheadStart = start;
    }
    uint64_t end = m_nAheadStart + m_ahead.size();
    uint64_t available = end > at ? end - at : 0;
    done = UINT(std::min<uint64_t>(count, available));
    if (done) std::memcpy(buffer, m_ahead.data() + (at - m_nAheadStart), done);
    return true;
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_fd < 0 || (!buffer && count)) {
        m_bFailed = true;
        return;
    }
    UINT done = 0;
    while (done < count) {
        ssize_t n = ::write(m_fd, static_cast<const BYTE*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_bFailed = true;
            return;
        }
        done += UINT(n);
    }
}

LONG CFile::Seek(LONG offset, UINT from) {
    if (m_fd < 0) return -1;
    if (m_bSteady) { // the next read says where it reads
        int64_t base = from == current ? int64_t(m_nSteadyPosition)
                     : from == end     ? int64_t(m_nSteadyLength)
                                       : 0;
        if (base + offset < 0) {
            m_bFailed = true;
            return -1;
        }
        m_nSteadyPosition = uint64_t(base + offset);
        return LONG(m_nSteadyPosition);
    }
    int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    off_t pos = ::lseek(m_fd, offset, whence);
    if (pos < 0) {
        m_bFailed = true;
        return -1;
    }
    return LONG(pos);
}

DWORD CFile::GetPosition() const {
    if (m_fd < 0) return 0;
    if (m_bSteady) return DWORD(std::min<uint64_t>(m_nSteadyPosition, 0xFFFFFFFFu));
    off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    return pos < 0 ? 0 : DWORD(pos);
}

DWORD CFile::GetLength() const {
    if (m_fd >= 0 && m_bSteady) return DWORD(std::min<uint64_t>(m_nSteadyLength, 0xFFFFFFFFu));
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return 0;
    return DWORD(std::min<uint64_t>(uint64_t(st.st_size), 0xFFFFFFFFu));
}

void CFile::SetLength(DWORD newLength) {
    if (m_fd < 0 || ::ftruncate(m_fd, off_t(newLength)) != 0) m_bFailed = true;
}

// --- CMemFile ---------------------------------------------------------------------------------

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes ? growBytes : 1024) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : m_nGrowBytes(growBytes) {
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
    Close();
    m_pBuffer = buffer;
    m_nBufferSize = size;
    m_nCapacity = size;
    m_nFileSize = growBytes ? 0 : size;
    m_nGrowBytes = growBytes;
    m_bOwnsBuffer = false;
}

BYTE* CMemFile::Detach() {
    BYTE* buffer = m_pBuffer;
    m_pBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_nCapacity = 0;
    m_bOwnsBuffer = true;
    return buffer;
}

void CMemFile::Close() {
    if (m_bOwnsBuffer) std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_nCapacity = 0;
    m_bOwnsBuffer = true;
    if (m_nGrowBytes == 0) m_nGrowBytes = 1024;
}

bool CMemFile::Reserve(size_t size) {
    if (size <= m_nBufferSize) return true;
    if (!m_bOwnsBuffer && m_nGrowBytes == 0) return false;
    if (size > 0xFFFFFFFFu) return false;
    // The visible buffer grows in whole grow steps; the allocation underneath at least doubles.
    size_t step = m_nGrowBytes ? m_nGrowBytes : 1024;
    size_t bufferSize = (size + step - 1) / step * step;
    if (bufferSize > 0xFFFFFFFFu) bufferSize = 0xFFFFFFFFu;
    if (bufferSize > m_nCapacity) {
        size_t capacity = std::max(bufferSize, m_nCapacity * 2);
        if (!m_bOwnsBuffer) {
            BYTE* fresh = static_cast<BYTE*>(std::malloc(capacity));
            if (!fresh) return false;
            if (m_nFileSize) std::memcpy(fresh, m_pBuffer, m_nFileSize);
            m_pBuffer = fresh;
            m_bOwnsBuffer = true;
        } else {
            BYTE* grown = static_cast<BYTE*>(std::realloc(m_pBuffer, capacity));
            if (!grown) return false;
            m_pBuffer = grown;
        }
        m_nCapacity = capacity;
    }
    m_nBufferSize = UINT(bufferSize);
    return true;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    if (!buffer || m_nPosition >= m_nFileSize) return 0;
    UINT n = std::min(count, m_nFileSize - m_nPosition);
    std::memcpy(buffer, m_pBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) return;
    size_t endPos = size_t(m_nPosition) + count;
    if (!buffer || !Reserve(endPos)) {
        m_bFailed = true;
        return;
    }
    if (m_nPosition > m_nFileSize) std::memset(m_pBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_pBuffer + m_nPosition, buffer, count);
    m_nPosition = UINT(endPos);
    m_nFileSize = std::max(m_nFileSize, m_nPosition);
}

LONG CMemFile::Seek(LONG offset, UINT from) {
    int64_t base = from == current ? m_nPosition : from == end ? m_nFileSize : 0;
    int64_t pos = base + offset;
    if (pos < 0 || pos > 0xFFFFFFFFll) {
        m_bFailed = true;
        return -1;
    }
    m_nPosition = UINT(pos);
    return LONG(pos);
}

void CMemFile::SetLength(DWORD newLength) {
    if (!Reserve(newLength)) {
        m_bFailed = true;
        return;
    }
    if (newLength > m_nFileSize) std::memset(m_pBuffer + m_nFileSize, 0, newLength - m_nFileSize);
    m_nFileSize = newLength;
    if (m_nPosition > newLength) m_nPosition = newLength;
}
