// Damaged packages: every failure is a clean false, never a crash, a read outside the file, a
// write past the declared size, or a reservation the file's size cannot justify.

#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

const unsigned kExtract = CZArchive::modeExtract;

// Remembers the largest length a memory file was asked to take.
class RecordingMemFile : public CMemFile {
public:
    void SetLength(DWORD length) override {
        m_largest = std::max(m_largest, length);
        CMemFile::SetLength(length);
    }
    DWORD m_largest = 0;
};

PackageEntries SmallEntries() {
    return {{u"a.txt", MixedData(40, 1)}, {u"b.bin", MixedData(17000, 2)}, {u"c", Bytes{7}}};
}

// Opens the package at `path`, `size` bytes long; every entry it lists either fails to extract,
// leaving the memory file empty, or gives exactly the bytes of the original entry of that name.
// Returns whether it opened.
bool CheckDamaged(const CString& path, size_t size, const PackageEntries& originals,
                  const std::string& what) {
    CZArchive archive;
    if (!archive.Open(path, kExtract)) {
        EXPECT_FALSE(archive.IsOpen()) << what;
        return false;
    }
    for (const CString& name : FileList(archive)) {
        RecordingMemFile data;
        bool ok = archive.Extract(name, data);
        EXPECT_LE(data.m_largest, uint64_t(size) * 1032) << what;
        auto original = std::find_if(originals.begin(), originals.end(),
                                     [&](const auto& e) { return e.first == name; });
        if (!ok) {
            EXPECT_EQ(data.GetLength(), 0u) << what;
        } else if (original != originals.end()) {
            EXPECT_EQ(MemBytes(data), original->second) << what << " entry " << name.ToUtf8();
        }
    }
    return true;
}

// Every byte changed in three ways, then every truncation, in place so that the file is never
// rewritten: each fails cleanly or gives the original bytes.
TEST(ArchiveDamage, FlippedBytesAndTruncationsFailCleanlyOrGiveTheOriginalBytes) {
    TempDir dir;
    PackageEntries entries = SmallEntries();
    CString path = dir / u"flip.sdf";
    ASSERT_TRUE(WritePackage(path, entries));
    Bytes good = dir.ReadFile(u"flip.sdf");
    ASSERT_TRUE(CheckDamaged(path, good.size(), entries, "intact"));
    std::fstream file(dir.HostPath() + "/flip.sdf",
                      std::ios::in | std::ios::out | std::ios::binary);
    auto put = [&](size_t at, BYTE value) {
        file.seekp(std::streamoff(at));
        file.put(char(value));
        file.flush();
    };
    size_t opened = 0, attempts = 0;
    for (size_t at = 0; at < good.size(); ++at, put(at - 1, good[at - 1])) {
        for (BYTE pattern : {BYTE(0x01), BYTE(0x80), BYTE(0xFF)}) {
            put(at, good[at] ^ pattern);
            std::string what = "byte " + std::to_string(at) + " ^ " + std::to_string(pattern);
            bool open = CheckDamaged(path, good.size(), entries, what);
            // The header's version is never a reason to refuse a package.
            EXPECT_TRUE(open || at >= 16) << what;
            opened += open, ++attempts;
        }
    }
    file.close();
    EXPECT_EQ(dir.ReadFile(u"flip.sdf"), good);
    EXPECT_LT(opened, attempts); // most damage lands in compressed data, where zlib catches it
    // Cutting the file loses the trailer, so the index cannot be found.
    for (size_t length = good.size(); length-- > 0;) {
        std::filesystem::resize_file(dir.HostPath() + "/flip.sdf", length);
        std::string what = "truncated to " + std::to_string(length);
        EXPECT_FALSE(CheckDamaged(path, length, entries, what)) << what;
    }
}

// A package with one good entry "e" whose parts are damaged one at a time.
const Bytes kData = MixedData(20000, 4);
const DWORD kIndexAt = DWORD(16 + EncodeEntry(kData).size());

ArchiveBuilder OneEntry() {
    ArchiveBuilder builder;
    builder.AddEntry(u"e", kData);
    return builder;
}

Bytes WithIndex(const Bytes& content) {
    return OneEntry().FinishWithIndex(content);
}

// The index entry as given (already encoded) after the good entry.
Bytes WithIndexEntry(const Bytes& entry) {
    return OneEntry().FinishWith(entry, kIndexAt);
}

Bytes WithTrailer(DWORD trailer) {
    ArchiveBuilder builder = OneEntry();
    return builder.FinishWith(EncodeEntry(IndexContent(builder.Records())), trailer);
}

Bytes WithCount(DWORD count) {
    Bytes content = IndexContent({{u"e", 16}});
    std::copy_n(U32(count).begin(), 4, content.begin());
    return WithIndex(content);
}

Bytes WithNameLength(DWORD length) {
    return WithIndex(U32(1) + U32(length) + Utf16z(u"e") + U32(16));
}

Bytes WithEntry(const Bytes& entry) {
    ArchiveBuilder builder;
    builder.AddRecord(u"e", builder.AddRaw(entry));
    return builder.Finish();
}

Bytes WithRecordOffset(DWORD offset) {
    ArchiveBuilder builder;
    builder.AddRaw(EncodeEntry(kData));
    builder.AddRecord(u"e", offset);
    return builder.Finish();
}

// Chunks that are each valid zlib but need not add up to the declared size.
Bytes ChunksOf(DWORD declared, std::initializer_list<size_t> pieces) {
    Bytes entry = U32(declared);
    for (size_t piece : pieces)
        entry += Chunk(Deflate(MixedData(piece, 5)));
    return entry;
}

// zlib data with one byte changed at `at` (counted from the end when negative).
Bytes Corrupt(Bytes packed, long at) {
    packed[size_t(at < 0 ? long(packed.size()) + at : at)] ^= 0x55;
    return packed;
}

struct DamageCase {
    const char* what;
    Bytes bytes;
};

std::vector<DamageCase> OpenFailures() {
    Bytes index = IndexContent({{u"e", 16}});
    DWORD indexSize = DWORD(index.size());
    return {
        {"trailer past the end", WithTrailer(0x00100000)},
        {"trailer into the header", WithTrailer(4)},
        {"trailer at the trailer", WithTrailer(DWORD(WithTrailer(0).size() - 4))},
        {"index count beyond its records", WithCount(2)},
        {"index count 65536", WithCount(65536)},
        {"index shorter than its count", WithIndex(Bytes{1, 0})},
        {"index with trailing bytes", WithIndex(index + Bytes{0})},
        {"name length beyond the index", WithNameLength(1000)},
        {"name length 0", WithNameLength(0)},
        {"empty name", WithIndex(IndexContent({{u"", 16}}))},
        {"index chunk not zlib", WithIndexEntry(U32(indexSize) + Chunk(index))},
        {"index chunk corrupt",
         WithIndexEntry(U32(indexSize) + Chunk(Corrupt(Deflate(index), -1)))},
        {"index size above its chunk", WithIndexEntry(U32(indexSize + 1) + Chunk(Deflate(index)))},
        {"index size below its chunk", WithIndexEntry(U32(indexSize - 1) + Chunk(Deflate(index)))},
        {"index size 0", WithIndexEntry(U32(0) + Chunk(Deflate(index)))},
    };
}

std::vector<DamageCase> ExtractFailures() {
    Bytes small = MixedData(100, 5), entry = EncodeEntry(MixedData(30000, 3));
    auto cutAt = [&](size_t keep) {
        return WithEntry(Bytes(entry.begin(), entry.begin() + long(keep)));
    };
    return {
        {"entry cut before its first chunk", cutAt(4)},
        {"entry cut in a chunk length", cutAt(5)},
        {"entry cut after a chunk length", cutAt(6)},
        {"entry cut in its first chunk", cutAt(entry.size() / 2)},
        {"entry cut a byte short", cutAt(entry.size() - 1)},
        {"declared size 0", WithEntry(U32(0) + Chunk(Deflate(kData)))},
        {"chunks short of the size", WithEntry(ChunksOf(20000, {16384, 100}))},
        {"chunk beyond the size", WithEntry(ChunksOf(16000, {16384}))},
        {"last chunk beyond the size", WithEntry(ChunksOf(16400, {16384, 100}))},
        {"piece larger than 16384", WithEntry(ChunksOf(20000, {20000}))},
        {"size beyond what the file can decode to", WithEntry(ChunksOf(50000000, {16384}))},
        {"compressed size 0", WithEntry(U32(100) + U16(0) + Deflate(small))},
        {"compressed size above 16560", WithEntry(U32(100) + U16(16561) + Bytes(16561, 0))},
        {"compressed size past the file", WithEntry(U32(100) + U16(60000))},
        {"corrupt zlib data", WithEntry(U32(20000) + Chunk(Corrupt(Deflate(kData), 40)))},
        {"bad checksum", WithEntry(U32(100) + Chunk(Corrupt(Deflate(small), -1)))},
        {"offset past the end", WithRecordOffset(0x7FFFFFF0u)},
        {"offset into the header", WithRecordOffset(8)},
    };
}

TEST(ArchiveDamage, MalformedIndexFailsToOpen) {
    TempDir dir;
    for (const DamageCase& c : OpenFailures()) {
        dir.WriteFile(u"bad.sdf", c.bytes);
        CZArchive archive;
        EXPECT_FALSE(archive.Open(dir / u"bad.sdf", kExtract)) << c.what;
        EXPECT_FALSE(archive.IsOpen()) << c.what;
        EXPECT_TRUE(FileList(archive).empty()) << c.what;
    }
}

TEST(ArchiveDamage, MalformedEntryFailsToExtract) {
    TempDir dir;
    for (const DamageCase& c : ExtractFailures()) {
        dir.WriteFile(u"bad.sdf", c.bytes);
        CZArchive archive;
        ASSERT_TRUE(archive.Open(dir / u"bad.sdf", kExtract)) << c.what;
        RecordingMemFile data;
        EXPECT_FALSE(archive.Extract(u"e", data)) << c.what;
        EXPECT_EQ(data.GetLength(), 0u) << c.what;
        // The declared size is only believed when the rest of the file could decode to it.
        EXPECT_LE(data.m_largest, uint64_t(c.bytes.size()) * 1032) << c.what;
        EXPECT_FALSE(archive.Extract(u"e", dir / u"out.bin")) << c.what;
        EXPECT_FALSE(dir.Exists(u"out.bin")) << c.what;
    }
}
TEST(ArchiveDamage, IndexOfAtMost65535RecordsIsRead) {
    TempDir dir;
    ArchiveBuilder builder;
    DWORD offset = builder.AddRaw(EncodeEntry(Bytes{1}));
    std::vector<std::pair<CString, DWORD>> records;
    for (int i = 0; i < 65535; ++i) {
        CString name;
        name.Format(u"%d", i);
        records.emplace_back(name, offset);
    }
    dir.WriteFile(u"full.sdf", builder.FinishWithIndex(IndexContent(records)));
    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"full.sdf", kExtract));
    EXPECT_EQ(FileList(archive).size(), 65535u);
    EXPECT_EQ(ExtractBytes(archive, u"65534"), Bytes{1});

    records.emplace_back(u"65535", offset);
    dir.WriteFile(u"over.sdf", builder.FinishWithIndex(IndexContent(records)));
    EXPECT_FALSE(archive.Open(dir / u"over.sdf", kExtract));
}

} // namespace
