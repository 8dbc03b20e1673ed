#include "archive/zarchive.h"

#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const WCHAR kVersion[] = u"1.00.01";
const WCHAR kIndexName[] = u"zarchive.contents.index";
const DWORD kHeaderSize = 16;
// Plain pieces and the largest compressed form a chunk may declare.
const UINT kPieceSize = 16384;
const UINT kPackedSize = 16560;
// Deflate cannot expand one input byte into more than 1032 output bytes (two 1-bit codes per
// 258-byte match), so no entry can decode to more than this many times the bytes left in the file.
const uint64_t kMaxInflateRatio = 1032;
// The index is read with a 16-bit record counter.
const int kMaxEntries = 65535;

const UINT kCreateFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite;

// Chunks pass through a staging buffer of a few chunks' room, so that writing or reading an
// entry costs one file call per few chunks rather than per chunk.
const UINT kChunkRoom = 2 + kPackedSize;
const UINT kStagingSize = 4 * kChunkRoom;

void WriteU32(CFile& file, DWORD v) {
    BYTE field[4];
    PutLE32(field, v);
    file.Write(field, 4);
}

// UTF-16LE text with its terminator, as the header and the index records store names.
void WriteText(CFile& file, const CString& text) {
    size_t units = size_t(text.GetLength()) + 1;
    std::unique_ptr<BYTE[]> bytes(new BYTE[2 * units]);
    EncodeUnits(text.GetString(), units, bytes.get());
    file.Write(bytes.get(), UINT(2 * units));
}

// The last path separator of the archive path; the library writes "\" but the host's "/" is
// accepted everywhere a path reaches the file system.
int LastSeparator(const CString& path) {
    int back = path.ReverseFind(u'\\'), forward = path.ReverseFind(u'/');
    return back > forward ? back : forward;
}

// The next `count` bytes of an entry's source: read into `plain`, or, from a memory file, taken
// where they lie. Null when the source ends early.
const BYTE* NextPiece(CFile& source, BYTE* plain, UINT count) {
    if (auto* memory = dynamic_cast<CMemFile*>(&source)) {
        DWORD at = memory->GetPosition();
        if (at > memory->GetLength() || memory->GetLength() - at < count) return nullptr;
        memory->Seek(LONG(count), CFile::current);
        return memory->GetData() + at;
    }
    return source.Read(plain, count) == count ? plain : nullptr;
}

// Reads an entry's chunks from the archive file through the staging buffer.
class ChunkReader {
public:
    explicit ChunkReader(CFile& file) : m_file(file), m_buffer(new BYTE[kStagingSize]) {}

    // The next `count` bytes (at most one chunk's room), or null when the file ends first.
    // `plainLeft`, the data still to come, bounds how far ahead it is worth reading: a canonical
    // chunk is never longer than its piece plus a few bytes.
    const BYTE* Take(UINT count, DWORD plainLeft) {
        if (m_end - m_begin < count && !Refill(count, plainLeft)) return nullptr;
        const BYTE* bytes = &m_buffer[m_begin];
        m_begin += count;
        return bytes;
    }

private:
    bool Refill(UINT count, DWORD plainLeft) {
        UINT kept = m_end - m_begin;
        std::memmove(&m_buffer[0], &m_buffer[m_begin], kept);
        m_begin = 0;
        uint64_t chunks = (uint64_t(plainLeft) + kPieceSize - 1) / kPieceSize;
        uint64_t likely = plainLeft + chunks * 32;
        UINT ask = UINT(std::clamp<uint64_t>(likely, count - kept, kStagingSize - kept));
        m_end = kept + m_file.Read(&m_buffer[kept], ask);
        return m_end >= count;
    }

    CFile& m_file;
    std::unique_ptr<BYTE[]> m_buffer;
    UINT m_begin = 0;
    UINT m_end = 0;
};

// Parses the decoded index: the record count, then (name length, name, offset) per record,
// filling the file list in index order. Every byte must belong to a record.
bool ParseIndex(const BYTE* p, size_t length, CStringList& list, CMapStringToDWord& table) {
    if (length < 4) return false;
    DWORD count = GetLE32(p);
    if (count > DWORD(kMaxEntries)) return false;
    size_t pos = 4;
    for (DWORD i = 0; i < count; ++i) {
        if (length - pos < 4) return false;
        DWORD nameBytes = GetLE32(p + pos);
        pos += 4;
        if (nameBytes < 2 || length - pos < 4 || nameBytes > length - pos - 4) return false;
        CString name = StoredText(p + pos, nameBytes / 2);
        pos += nameBytes;
        if (name.IsEmpty()) return false;
        table.SetAt(name, GetLE32(p + pos));
        list.AddTail(name);
        pos += 4;
    }
    return pos == length;
}

} // namespace

CZArchive::CZArchive() : m_nMode(0), m_nOffset(0) {}

CZArchive::~CZArchive() {
    Close();
}

bool CZArchive::FileExists(const CString& path) const {
    DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CZArchive::IsCompatible(const CString&) const {
    return true;
}

bool CZArchive::Open(const CString& fileName, unsigned int mode) {
    Close();
    if (mode & modeCreate) return OpenForCreating(fileName, mode);
    if (mode & modeExtract) return OpenForExtracting(fileName, mode);
    return false;
}

bool CZArchive::OpenForCreating(const CString& fileName, unsigned int mode) {
    if ((mode & modeNoOverwrite) && FileExists(fileName)) return false;
    if (!m_file.Open(fileName, kCreateFlags)) return false;
    // Creating only: a file opened for writing must not pass the checks of Extract.
    m_nMode = mode & ~unsigned(modeExtract);
    m_strFileName = fileName;
    m_nOffset = kHeaderSize;
    WriteText(m_file, kVersion);
    if (!m_file.HasFailed()) return true;
    m_file.Close(); // nothing to complete
    Close();
    return false;
}

bool CZArchive::OpenForExtracting(const CString& fileName, unsigned int mode) {
    // Opening refuses a missing file and a folder itself: no separate look first (every bitmap
    // a skin change fetches opens its package again).
    if (!m_file.Open(fileName, kReadFlags)) return false;
    BYTE header[kHeaderSize];
    if (m_file.Read(header, kHeaderSize) != kHeaderSize ||
        !IsCompatible(StoredText(header, kHeaderSize / 2))) {
        m_file.Close();
        return false;
    }
    m_strFileName = fileName;
    m_nMode = mode;
    BYTE trailer[4];
    DWORD length = m_file.GetLength();
    if (length < kHeaderSize + 4 || m_file.Seek(LONG(length - 4), CFile::begin) < 0 ||
        m_file.Read(trailer, 4) != 4 || !ReadIndex(GetLE32(trailer))) {
        Close();
        return false;
    }
    return true;
}

bool CZArchive::ReadIndex(DWORD indexOffset) {
    m_nameTable.SetAt(kIndexName, indexOffset);
    CMemFile index(1024);
    DWORD size = 0;
    if (!BeginEntry(kIndexName, size) || !DecodeChunks(size, index)) return false;
    m_nameTable.RemoveAll();
    return ParseIndex(index.GetData(), index.GetLength(), m_fileList, m_nameTable);
}

bool CZArchive::Close() {
    bool result = false;
    if (IsCreating() && m_file.IsOpen())
        result = WriteIndex();
    else if (IsExtracting())
        result = true;
    m_file.Close();
    m_nMode = 0;
    m_strFileName.Empty();
    m_fileList.RemoveAll();
    m_nameTable.RemoveAll();
    return result;
}

bool CZArchive::WriteIndex() {
    CMemFile index(1024);
    WriteU32(index, DWORD(m_nameTable.GetCount()));
    CString name;
    DWORD offset = 0;
    for (POSITION pos = m_nameTable.GetStartPosition(); pos;) {
        m_nameTable.GetNextAssoc(pos, name, offset);
        WriteU32(index, 2 * (DWORD(name.GetLength()) + 1));
        WriteText(index, name);
        WriteU32(index, offset);
    }
    DWORD indexOffset = m_nOffset;
    index.SeekToBegin();
    if (index.HasFailed() || !WriteEntry(kIndexName, index, index.GetLength())) return false;
    WriteU32(m_file, indexOffset);
    return !m_file.HasFailed();
}

// --- creating ----------------------------------------------------------------------------------

bool CZArchive::CanAdd(const CString& name) const {
    DWORD offset;
    return IsCreating() && m_file.IsOpen() && !name.IsEmpty() && name != kIndexName &&
           !m_nameTable.Lookup(name, offset) && m_nameTable.GetCount() < kMaxEntries;
}

bool CZArchive::Add(const CString& name) {
    if (!CanAdd(name)) return false;
    CString source = name;
    if (name.Find(u":\\") < 0) source = m_strFileName.Left(LastSeparator(m_strFileName) + 1) + name;
    CFile file;
    if (!file.Open(source, kReadFlags)) return false;
    DWORD size = file.GetLength();
    return size != 0 && WriteEntry(name, file, size);
}

bool CZArchive::Add(const CString& name, CMemFile& data) {
    if (!CanAdd(name) || data.GetLength() == 0) return false;
    data.SeekToBegin();
    if (!WriteEntry(name, data, data.GetLength())) return false;
    data.Close();
    return true;
}

bool CZArchive::WriteEntry(const CString& name, CFile& source, DWORD size) {
    DWORD stored = 0;
    if (!WriteChunks(source, size, stored) || m_file.HasFailed()) {
        // Cut back to where the entry began so the archive stays as it was.
        m_file.SetLength(m_nOffset);
        m_file.Seek(LONG(m_nOffset), CFile::begin);
        return false;
    }
    m_nameTable.SetAt(name, m_nOffset);
    m_nOffset += stored;
    return true;
}

// The data size and the chunks are gathered in the staging buffer and written a few chunks at a
// time; each piece is compressed straight behind its 2-byte length.
bool CZArchive::WriteChunks(CFile& source, DWORD size, DWORD& stored) {
    std::unique_ptr<BYTE[]> plain(new BYTE[kPieceSize]);
    std::unique_ptr<BYTE[]> staged(new BYTE[kStagingSize]);
    PutLE32(staged.get(), size);
    UINT used = 4;
    uint64_t total = 0;
    for (DWORD left = size; left > 0;) {
        UINT piece = left < kPieceSize ? UINT(left) : kPieceSize;
        const BYTE* bytes = NextPiece(source, plain.get(), piece);
        if (!bytes) return false;
        if (kStagingSize - used < kChunkRoom) {
            m_file.Write(staged.get(), used);
            total += used;
            used = 0;
        }
        uLongf packedSize = kPackedSize;
        if (compress2(&staged[used + 2], &packedSize, bytes, piece, 9) != Z_OK) return false;
        PutLE16(&staged[used], UINT(packedSize));
        used += 2 + UINT(packedSize);
        left -= piece;
    }
    m_file.Write(staged.get(), used);
    total += used;
    // Offsets are 32-bit: the entry must end where the next offset can still point.
    if (uint64_t(m_nOffset) + total > 0xFFFFFFFFu) return false;
    stored = DWORD(total);
    return true;
}

// --- extracting --------------------------------------------------------------------------------

bool CZArchive::GetFileList(CStringList& list) {
    list.RemoveAll();
    list.AddTail(m_fileList);
    return true;
}

bool CZArchive::BeginEntry(const CString& name, DWORD& size) {
    DWORD offset = 0;
    if (!m_file.IsOpen() || !IsExtracting() || !m_nameTable.Lookup(name, offset)) return false;
    m_nOffset = offset;
    DWORD length = m_file.GetLength();
    BYTE field[4];
    if (offset < kHeaderSize || offset > length || length - offset < 4 + 2 ||
        m_file.Seek(LONG(offset), CFile::begin) != LONG(offset) || m_file.Read(field, 4) != 4)
        return false;
    size = GetLE32(field);
    uint64_t rest = length - offset - 4;
    return size != 0 && size <= rest * kMaxInflateRatio;
}

bool CZArchive::DecodeChunks(DWORD size, CFile& target) {
    ChunkReader reader(m_file);
    std::unique_ptr<BYTE[]> plain(new BYTE[kPieceSize]);
    for (DWORD left = size; left > 0;) {
        const BYTE* field = reader.Take(2, left);
        UINT packedSize = field ? GetLE16(field) : 0;
        const BYTE* packed =
            packedSize && packedSize <= kPackedSize ? reader.Take(packedSize, left) : nullptr;
        // The output space is what the declared size still allows: a chunk that decodes to
        // more fails with Z_BUF_ERROR instead of writing past the size.
        uLongf produced = left < kPieceSize ? uLongf(left) : kPieceSize;
        if (!packed || uncompress(plain.get(), &produced, packed, packedSize) != Z_OK) return false;
        target.Write(plain.get(), UINT(produced));
        left -= DWORD(produced);
    }
    return !target.HasFailed();
}

// A failure leaves the caller's file as it was: what it held (usually nothing) is kept aside
// and put back, and it is sought to where it stood.
bool CZArchive::Extract(const CString& name, CMemFile& data) {
    DWORD size = 0;
    if (!BeginEntry(name, size)) return false;
    std::vector<BYTE> held(data.GetData(), data.GetData() + data.GetLength());
    DWORD position = data.GetPosition();
    data.SetLength(size);
    data.SeekToBegin();
    if (!data.HasFailed() && DecodeChunks(size, data)) {
        data.SeekToBegin();
        return true;
    }
    data.SetLength(0);
    data.SeekToBegin();
    data.Write(held.data(), UINT(held.size()));
    data.Seek(LONG(position), CFile::begin);
    return false;
}

bool CZArchive::Extract(const CString& name, const CString& targetPath) {
    DWORD size = 0;
    return BeginEntry(name, size) && ExtractToFile(size, targetPath);
}

// The entry is decoded into a file beside the target, which replaces the target only once the
// whole entry checked out: a damaged entry never leaves a partial target or destroys an old one.
bool CZArchive::ExtractToFile(DWORD size, const CString& path) {
    // An existing target must be one this process could open for writing (not a folder, not a
    // file that someone, this archive included, is reading with writes denied).
    if (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) {
        CFile probe;
        if (!probe.Open(path, CFile::modeWrite | CFile::shareExclusive)) return false;
    }
    CString partial;
    for (int attempt = 0; partial.IsEmpty() && attempt < 100; ++attempt) {
        CString candidate;
        candidate.Format(u"%s.~zx%d", path.GetString(), attempt);
        if (GetFileAttributes(candidate) == INVALID_FILE_ATTRIBUTES) partial = candidate;
    }
    CFile target;
    if (partial.IsEmpty() || !target.Open(partial, kCreateFlags)) return false;
    target.SetLength(size);
    bool decoded = DecodeChunks(size, target);
    target.Close();
    if (decoded && GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) decoded = DeleteFile(path);
    if (decoded && MoveFile(partial, path)) return true;
    DeleteFile(partial);
    return false;
}
