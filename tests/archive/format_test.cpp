// The bytes CZArchive writes, checked against the layout built by hand.

#include "archive_helpers.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// The plain size of every chunk of the entry at `offset`, walking the file as a reader would;
// `end` receives the offset just past the entry.
std::vector<size_t> PieceSizes(const Bytes& file, size_t offset, size_t* end) {
    auto u16 = [&](size_t at) { return size_t(file[at]) | size_t(file[at + 1]) << 8; };
    size_t dataSize = u16(offset) | u16(offset + 2) << 16, done = 0, at = offset + 4;
    std::vector<size_t> pieces;
    while (done < dataSize && at + 2 <= file.size()) {
        size_t packed = u16(at);
        Bytes plain(16384);
        uLongf produced = plain.size();
        if (at + 2 + packed > file.size() ||
            uncompress(plain.data(), &produced, &file[at + 2], uLong(packed)) != Z_OK)
            break;
        pieces.push_back(produced);
        done += produced;
        at += 2 + packed;
    }
    *end = at;
    return pieces;
}

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

struct ChunkingCase {
    size_t size;
    std::vector<size_t> pieces;
};

class ArchiveChunking : public testing::TestWithParam<ChunkingCase> {};

TEST_P(ArchiveChunking, DataIsCutIntoPiecesOf16384) {
    const ChunkingCase& c = GetParam();
    TempDir dir;
    Bytes data = MixedData(c.size, 7);
    ASSERT_TRUE(CreateArchive(dir / u"one.sdf", {{u"data.bin", data}}));
    Bytes file = dir.ReadFile(u"one.sdf");

    size_t end = 0;
    EXPECT_EQ(PieceSizes(file, 16, &end), c.pieces);
    // The index entry follows the last chunk directly, and the trailer points at it.
    ASSERT_GE(file.size(), end + 4);
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), U32(DWORD(end)));

    ArchiveBuilder builder;
    builder.AddEntry(u"data.bin", data);
    EXPECT_EQ(file, builder.Finish());

    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"one.sdf", CZArchive::modeExtract));
    EXPECT_EQ(ExtractBytes(archive, u"data.bin"), data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ArchiveChunking,
                         testing::Values(ChunkingCase{1, {1}}, ChunkingCase{16383, {16383}},
                                         ChunkingCase{16384, {16384}},
                                         ChunkingCase{16385, {16384, 1}},
                                         ChunkingCase{32768, {16384, 16384}},
                                         ChunkingCase{40000, {16384, 16384, 7232}}));

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
