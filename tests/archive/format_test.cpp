// The bytes CZArchive writes, checked against the layout built by hand.

#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Entries in the order added, cut into pieces of 16384 (the last one 1 to 16384 bytes, never
// empty); index records in the order the archive lists them.
TEST(ArchiveFormat, WholeFileMatchesTheLayoutBuiltByHand) {
    struct Case {
        CString name;
        Bytes data;
        std::vector<size_t> pieces;
    } cases[] = {{u"skin.xml", MixedData(1, 1), {1}},
                 {u"bitmaps\\Button Ä€.bmp", MixedData(16383, 2), {16383}},
                 {u"noise.bin", NoiseData(16384, 3), {16384}},
                 {u"b", MixedData(16385, 4), {16384, 1}},
                 {u"c", MixedData(32768, 5), {16384, 16384}},
                 {u"一", MixedData(40000, 6), {16384, 16384, 7232}}};
    TempDir dir;
    PackageEntries entries;
    for (const Case& c : cases)
        entries.emplace_back(c.name, c.data);
    ASSERT_TRUE(WritePackage(dir / u"all.sdf", entries));
    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"all.sdf", CZArchive::modeExtract));
    std::vector<CString> order = FileList(archive);
    ArchiveBuilder builder;
    std::vector<DWORD> offsets;
    for (const Case& c : cases) {
        Bytes entry = U32(DWORD(c.data.size()));
        for (size_t at = 0, k = 0; k < c.pieces.size(); at += c.pieces[k++])
            entry += Chunk(
                Deflate(Bytes(c.data.begin() + long(at), c.data.begin() + long(at + c.pieces[k]))));
        offsets.push_back(builder.AddRaw(entry));
    }
    ASSERT_EQ(order.size(), std::size(cases));
    for (const CString& name : order) {
        auto c = std::find_if(std::begin(cases), std::end(cases),
                              [&](auto& k) { return k.name == name; });
        ASSERT_NE(c, std::end(cases)) << name.ToUtf8();
        builder.AddRecord(name, offsets[size_t(c - std::begin(cases))]);
    }
    EXPECT_EQ(dir.ReadFile(u"all.sdf"), builder.Finish());
    for (const Case& c : cases)
        EXPECT_EQ(ExtractBytes(archive, c.name), c.data);
}

TEST(ArchiveFormat, AnyHeaderVersionAndPiecesSmallerThan16384AreRead) {
    // Neither is what the writer makes, but a reader has no reason to refuse them.
    TempDir dir;
    Bytes data = MixedData(5000, 5);
    Bytes unterminated(16, 'a'); // eight 'a'-ish code units and no terminator
    for (ArchiveBuilder builder : {ArchiveBuilder(CString(u"2.50.99")),
                                   ArchiveBuilder(CString(u"")), ArchiveBuilder(unterminated)}) {
        builder.AddRecord(u"e", builder.AddRaw(EncodeEntry(data, 1000)));
        dir.WriteFile(u"v.sdf", builder.Finish());
        CZArchive archive;
        ASSERT_TRUE(archive.Open(dir / u"v.sdf", CZArchive::modeExtract));
        EXPECT_EQ(ExtractBytes(archive, u"e"), data);
    }
}

TEST(ArchiveFormat, IndexNamesEndAtTheirFirstZeroAndTheLaterOfTwoOffsetsWins) {
    TempDir dir;
    ArchiveBuilder builder;
    DWORD first = builder.AddRaw(EncodeEntry(Bytes{1, 2, 3}));
    DWORD second = builder.AddRaw(EncodeEntry(Bytes{4, 5}));
    // A record's name is the text up to its first 16-bit zero; bytes after it are skipped.
    Bytes name = Utf16z(u"twice") + Utf16z(u"tail");
    Bytes index = U32(3) + U32(DWORD(name.size())) + name + U32(first) + U32(5) +
                  Bytes{'o', 0, 0, 0, 0} + U32(first) + U32(12) + Utf16z(u"twice") + U32(second);
    dir.WriteFile(u"twice.sdf", builder.FinishWithIndex(index));
    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"twice.sdf", CZArchive::modeExtract));
    EXPECT_EQ(FileList(archive), (std::vector<CString>{u"twice", u"o", u"twice"}));
    EXPECT_EQ(ExtractBytes(archive, u"twice"), (Bytes{4, 5}));
    EXPECT_EQ(ExtractBytes(archive, u"o"), (Bytes{1, 2, 3}));
}

} // namespace
