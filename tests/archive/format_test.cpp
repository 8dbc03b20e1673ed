// The bytes CZArchive writes, checked against the layout built by hand.

#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ArchiveFormat, EmptyArchiveIsHeaderIndexAndTrailer) {
    TempDir dir;
    ASSERT_TRUE(CreateArchive(dir / u"empty.sdf", {}));
    const Bytes header = {'1', 0, '.', 0, '0', 0, '0', 0, '.', 0, '0', 0, '1', 0, 0, 0};
    Bytes expected = header + U32(4) + Chunk(Deflate(U32(0))) + U32(16);
    EXPECT_EQ(dir.ReadFile(u"empty.sdf"), expected);

    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"empty.sdf", CZArchive::modeExtract));
    EXPECT_TRUE(FileList(archive).empty());
}

TEST(ArchiveFormat, DataIsCutIntoPiecesOf16384) {
    struct Case {
        size_t size;
        std::vector<size_t> pieces;
    } cases[] = {{1, {1}},
                 {16383, {16383}},
                 {16384, {16384}},
                 {16385, {16384, 1}},
                 {32768, {16384, 16384}},
                 {40000, {16384, 16384, 7232}}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Bytes data = MixedData(c.size, 7);
        ASSERT_TRUE(CreateArchive(dir / u"one.sdf", {{u"data.bin", data}}));
        // The entry after the header: its size, then one chunk per piece.
        Bytes entry = U32(DWORD(c.size));
        size_t at = 0;
        for (size_t piece : c.pieces) {
            entry +=
                Chunk(Deflate(Bytes(data.begin() + long(at), data.begin() + long(at + piece))));
            at += piece;
        }
        ArchiveBuilder builder;
        builder.AddRecord(u"data.bin", builder.AddRaw(entry));
        EXPECT_EQ(dir.ReadFile(u"one.sdf"), builder.Finish());

        CZArchive archive;
        ASSERT_TRUE(archive.Open(dir / u"one.sdf", CZArchive::modeExtract));
        EXPECT_EQ(ExtractBytes(archive, u"data.bin"), data);
    }
}

TEST(ArchiveFormat, WholeFileMatchesTheLayoutBuiltByHand) {
    TempDir dir;
    Entries entries = {{u"skin.xml", MixedData(3000, 1)},
                       {u"bitmaps\\Button Ä€.bmp", MixedData(20000, 2)},
                       {u"noise.bin", NoiseData(17000, 3)},
                       {u"x", Bytes{42}}};
    ASSERT_TRUE(CreateArchive(dir / u"four.sdf", entries));

    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"four.sdf", CZArchive::modeExtract));
    std::vector<CString> order = FileList(archive);
    ASSERT_EQ(order.size(), entries.size()) << Utf8(order);

    // Entries in the order added; index records in the order the archive lists them.
    ArchiveBuilder builder;
    std::vector<std::pair<CString, DWORD>> offsets;
    for (const auto& [name, data] : entries)
        offsets.emplace_back(name, builder.AddRaw(EncodeEntry(data)));
    for (const CString& name : order) {
        auto it = std::find_if(offsets.begin(), offsets.end(),
                               [&](const auto& e) { return e.first == name; });
        ASSERT_NE(it, offsets.end()) << name.ToUtf8();
        builder.AddRecord(name, it->second);
    }
    EXPECT_EQ(dir.ReadFile(u"four.sdf"), builder.Finish());
    for (const auto& [name, data] : entries)
        EXPECT_EQ(ExtractBytes(archive, name), data);
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
