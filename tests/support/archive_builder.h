// Skin package bytes made by hand for tests, independently of CZArchive: canonical entries as
// the format describes them, and every field open to damage (versions, chunk lengths, index
// records and counts, trailer).
#pragma once

#include "platform/base/afx.h"

#include <cstdint>
#include <utility>
#include <vector>

using Bytes = std::vector<BYTE>;

// Little-endian fields and UTF-16LE text with its terminator.
Bytes U16(UINT value);
Bytes U32(DWORD value);
Bytes Utf16z(const CString& text);
Bytes& operator+=(Bytes& a, const Bytes& b);
Bytes operator+(Bytes a, const Bytes& b);

// compress2 at level 9 of the given bytes.
Bytes Deflate(const Bytes& plain);
// One chunk: the 2-byte compressed length and the compressed bytes.
Bytes Chunk(const Bytes& packed);
// An entry as a writer stores it: the data size, then one chunk per piece of `pieceSize` bytes.
Bytes EncodeEntry(const Bytes& data, size_t pieceSize = 16384);
// The index content: count, then (name length, name, offset) per record.
Bytes IndexContent(const std::vector<std::pair<CString, DWORD>>& records);

class ArchiveBuilder {
public:
    // The header: the version text and its terminator, zero-padded to 16 bytes.
    explicit ArchiveBuilder(const CString& version = u"1.00.01");
    // A header of exactly these 16 bytes.
    explicit ArchiveBuilder(const Bytes& header);

    // Appends an entry in canonical form and an index record for it; returns its offset.
    DWORD AddEntry(const CString& name, const Bytes& data);
    // Appends bytes without an index record (a hand-made entry); returns their offset.
    DWORD AddRaw(const Bytes& bytes);
    // An index record only, pointing wherever the test likes.
    void AddRecord(const CString& name, DWORD offset);

    // The whole file: the entries, the index entry made from the records, the trailer.
    Bytes Finish() const;
    // The same with a given index entry (already encoded) and trailer value.
    Bytes FinishWith(const Bytes& indexEntry, DWORD trailer) const;
    // The same with the given index content encoded canonically and a correct trailer.
    Bytes FinishWithIndex(const Bytes& indexContent) const;

    const std::vector<std::pair<CString, DWORD>>& Records() const { return m_records; }

private:
    Bytes m_bytes;
    std::vector<std::pair<CString, DWORD>> m_records;
};

// The bytes of a memory file.
Bytes MemBytes(const CMemFile& file);

// Deterministic test data: a mix of bitmap-like rows (runs, gradients, a little noise) and
// text-like lines, so that compression does real work and pieces differ.
Bytes MixedData(size_t size, uint32_t seed);
// Bytes that do not compress.
Bytes NoiseData(size_t size, uint32_t seed);
