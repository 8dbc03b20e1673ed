// CZArchive: the skin package container.
//
// A package is a flat file of named entries:
//
//   header   16 bytes   "1.00.01" in UTF-16LE plus a 16-bit zero
//   entries  ...        each: data size (4), then chunks of (compressed size (2), zlib stream)
//                       holding pieces of at most 16384 bytes of the data
//   index    ...        an ordinary entry named "zarchive.contents.index": a record count (4),
//                       then per entry name length in bytes with terminator (4), UTF-16LE name,
//                       absolute offset (4)
//   trailer  4 bytes    absolute offset of the index entry
//
// All integers are little-endian. One object holds at most one open archive, either being
// created or being read. Failures are reported by results; damaged files make Open or Extract
// return false without reading outside the file or reserving more memory than the file could
// inflate to.
#pragma once

#include "platform/base/afx.h"

class CZArchive {
public:
    enum {
        modeCreate = 1,     // create a new archive (wins over modeExtract)
        modeExtract = 2,    // open an existing archive for listing and extraction
        modeNoOverwrite = 4 // with modeCreate: refuse to replace an existing file
    };

    CZArchive();
    // Completes an archive being created (index and trailer), as Close does.
    virtual ~CZArchive();

    CZArchive(const CZArchive&) = delete;
    CZArchive& operator=(const CZArchive&) = delete;

    bool Open(const CString& fileName, unsigned int mode);
    // True when an archive was open; false also when completing a new archive failed to write.
    bool Close();

    // A bare name is read from the archive's own folder; a name holding ":\" is read from that
    // path. Either way the entry is recorded under `name` exactly as given.
    bool Add(const CString& name);
    // Stores the contents of `data` and closes it.
    bool Add(const CString& name, CMemFile& data);

    // Writes the entry to a new file at targetPath. The file appears only once the whole entry
    // decoded correctly; a damaged entry, or a target that cannot be opened for writing (a
    // folder, a file being read), leaves an existing target as it was.
    bool Extract(const CString& name, const CString& targetPath);
    // Replaces the contents of `data` with the entry, rewound to its start; empty on failure.
    bool Extract(const CString& name, CMemFile& data);

    // Entry names in index order; empty unless an archive is open for extraction.
    bool GetFileList(CStringList& list);

    bool IsOpen() const { return m_nMode != 0; }
    bool IsCreating() const { return (m_nMode & modeCreate) != 0; }
    bool IsExtracting() const { return (m_nMode & modeExtract) != 0; }
    CString GetFileName() const { return m_strFileName; }

protected:
    bool FileExists(const CString& path) const;
    // Whether a header's version can be read; every version is.
    bool IsCompatible(const CString& version) const;

private:
    bool OpenForCreating(const CString& fileName, unsigned int mode);
    bool OpenForExtracting(const CString& fileName, unsigned int mode);
    bool ReadIndex(DWORD indexOffset);
    bool WriteIndex();

    // Whether `name` may be added now: creating, not yet present, not reserved, not empty.
    bool CanAdd(const CString& name) const;
    // Compresses `size` bytes from `source` (a file, or a memory file read in place) as one entry
    // at the running offset. On failure the archive file is cut back to where the entry began.
    bool WriteEntry(const CString& name, CFile& source, DWORD size);
    bool WriteChunks(CFile& source, DWORD size, DWORD& stored);

    // Locates an entry and checks its declared size against what the rest of the file could
    // decode to. Leaves the archive file positioned at the entry's first chunk.
    bool BeginEntry(const CString& name, DWORD& size);
    // Decodes the chunks of the entry begun by BeginEntry into `target`, exactly `size` bytes.
    bool DecodeChunks(DWORD size, CFile& target);
    // Decodes into a file beside `path` and moves it into place once the entry checked out.
    bool ExtractToFile(DWORD size, const CString& path);

    unsigned int m_nMode;
    CFile m_file;
    CString m_strFileName;
    DWORD m_nOffset;
    CStringList m_fileList;
    CMapStringToDWord m_nameTable;
};
