// The framework's files: CFile over a host file, CMemFile over a growable memory block.
//
// Errors are results, never exceptions: Open returns FALSE, Read returns a short count, and a
// failed Write, Seek or SetLength marks the file as failed (HasFailed) so that a writer can
// refuse to publish an incomplete file. Sharing modes are honoured between the files this
// process opens, as the device's file system honours them.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/object.h"

#include <vector>

class CFileException {
public:
    enum { none = 0, generic = 1, fileNotFound = 2, badPath = 3, accessDenied = 5,
           sharingViolation = 11, endOfFile = 14 };
    int m_cause = none;
    LONG m_lOsError = 0;
    CString m_strFileName;
};

class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    CFile();
    CFile(LPCWSTR fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override;

    virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    virtual void Abort() { Close(); }

    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual LONG Seek(LONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return DWORD(Seek(0, end)); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD newLength);
    virtual void Flush() {}

    virtual bool IsOpen() const { return m_fd >= 0; }
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    // True once a write, seek or length change could not be carried out since the last Open.
    bool HasFailed() const { return m_bFailed; }

protected:
    bool m_bFailed = false;

private:
    int m_fd = -1;
    UINT m_nFlags = 0;
    CString m_strFileName;
    std::string m_hostPath;
    // A file opened for reading only, denying others write access, cannot change while it is
    // open: its length is taken once and its position followed here, and small reads are served
    // from a block read ahead, so that reading a skin package asks the system only for the bytes,
    // a block at a time.
    bool m_bSteady = false;
    uint64_t m_nSteadyLength = 0;
    uint64_t m_nSteadyPosition = 0;
    std::vector<BYTE> m_ahead; // the bytes from m_nAheadStart on
    uint64_t m_nAheadStart = 0;
    // Reads count bytes at the steady position through the block read ahead; false when the
    // read is too large for it.
    bool ReadAhead(BYTE* buffer, UINT count, UINT& done);
};

class CMemFile : public CFile {
public:
    // Memory grows in steps of growBytes; underneath, capacity grows geometrically so that a
    // long run of small writes stays linear.
    explicit CMemFile(UINT growBytes = 1024);
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    BOOL Open(LPCWSTR, UINT, CFileException* = nullptr) override { return FALSE; }
    void Close() override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    LONG Seek(LONG offset, UINT from) override;
    DWORD GetPosition() const override { return m_nPosition; }
    DWORD GetLength() const override { return m_nFileSize; }
    void SetLength(DWORD newLength) override;
    bool IsOpen() const override { return true; }

    // Gives a buffer to the file (read-only unless growBytes is non-zero) or takes it back.
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    BYTE* Detach();

    // The bytes held, for callers that read the whole file at once.
    const BYTE* GetData() const { return m_pBuffer; }
    // The memory reserved for the file, a multiple of the grow step.
    UINT GetBufferSize() const { return m_nBufferSize; }

private:
    bool Reserve(size_t size);

    UINT m_nGrowBytes;
    BYTE* m_pBuffer = nullptr;
    UINT m_nBufferSize = 0;
    size_t m_nCapacity = 0;
    UINT m_nFileSize = 0;
    UINT m_nPosition = 0;
    bool m_bOwnsBuffer = true;
};
