// Open modes, states and completion: what each state of a CZArchive allows.

#include "archive_helpers.h"

#include <gtest/gtest.h>

namespace {

const unsigned kCreate = CZArchive::modeCreate;
const unsigned kExtract = CZArchive::modeExtract;
const unsigned kNoOverwrite = CZArchive::modeNoOverwrite;

TEST(ArchiveModes, CreateTruncatesUnlessNoOverwriteRefusesTheExistingFile) {
    TempDir dir;
    Bytes old = NoiseData(300, 2);
    dir.WriteFile(u"old.sdf", old);
    CZArchive archive;
    EXPECT_FALSE(archive.Open(dir / u"old.sdf", kCreate | kNoOverwrite));
    EXPECT_EQ(archive.GetFileName(), CString());
    EXPECT_EQ(dir.ReadFile(u"old.sdf"), old);
    ASSERT_TRUE(archive.Open(dir / u"new.sdf", kCreate | kNoOverwrite));
    ASSERT_TRUE(archive.Open(dir / u"old.sdf", kCreate)); // without it, the file is truncated
    EXPECT_EQ(archive.GetFileName(), dir / u"old.sdf");
    EXPECT_TRUE(archive.Close());
    for (const char16_t* name : {u"new.sdf", u"old.sdf"})
        EXPECT_EQ(dir.ReadFile(name), ArchiveBuilder().Finish());
}

// "add" (from memory and from a file), "extract" (to memory and to a file) and "list", as
// each state allows them; a refused operation leaves the memory file and the disk as they were.
std::string Allowed(CZArchive& archive, const TempDir& dir) {
    std::string allowed;
    CMemFile data;
    LoadMemFile(data, Bytes{7});
    if (archive.Add(u"m", data))
        allowed += "add ";
    else if (data.GetLength() != 1)
        allowed += "lost-memory ";
    if (archive.Add(u"source.txt")) allowed += "add-file ";
    bool ok = false;
    if (ExtractBytes(archive, u"e", &ok) == Bytes{1, 2, 3} && ok) allowed += "extract ";
    if (archive.Extract(u"e", dir / u"out.bin"))
        allowed += "extract-file ";
    else if (dir.Exists(u"out.bin"))
        allowed += "left-file ";
    CStringList list;
    list.AddTail(u"stale");
    if (!archive.GetFileList(list)) allowed += "list-failed ";
    if (!list.IsEmpty()) allowed += "list";
    return allowed;
}

TEST(ArchiveStates, EachStateAllowsOnlyItsOwnOperations) {
    TempDir dir;
    dir.WriteFile(u"source.txt", std::string("abc"));
    CZArchive archive;
    EXPECT_EQ(Allowed(archive, dir), "");
    EXPECT_FALSE(archive.Close());
    // Create and extract together creates only: a file opened for writing must not pass the
    // checks of Extract.
    ASSERT_TRUE(archive.Open(dir / u"both.sdf", kCreate | kExtract));
    EXPECT_TRUE(archive.IsCreating() && !archive.IsExtracting());
    ASSERT_TRUE(AddBytes(archive, u"e", Bytes{1, 2, 3}));
    EXPECT_EQ(Allowed(archive, dir), "add add-file ");
    EXPECT_TRUE(archive.Close());
    EXPECT_FALSE(archive.Close()); // nothing is open any more
    Bytes before = dir.ReadFile(u"both.sdf");
    ASSERT_TRUE(archive.Open(dir / u"both.sdf", kExtract));
    EXPECT_EQ(Allowed(archive, dir), "extract extract-file list");
    EXPECT_TRUE(archive.Close());
    EXPECT_EQ(dir.ReadFile(u"both.sdf"), before);
}

TEST(ArchiveStates, DestructionOrOpeningAnotherCompletesTheArchive) {
    TempDir dir;
    Bytes data = MixedData(20000, 1);
    {
        CZArchive archive;
        ASSERT_TRUE(archive.Open(dir / u"d.sdf", kCreate));
        ASSERT_TRUE(AddBytes(archive, u"a", data));
    }
    CZArchive archive;
    ASSERT_TRUE(archive.Open(dir / u"first.sdf", kCreate));
    ASSERT_TRUE(AddBytes(archive, u"f", Bytes{5, 6}));
    ASSERT_TRUE(archive.Open(dir / u"d.sdf", kExtract));
    EXPECT_EQ(ExtractBytes(archive, u"a"), data);
    // A failed Open still closes what was open.
    EXPECT_FALSE(archive.Open(dir / u"missing.sdf", kExtract));
    EXPECT_FALSE(archive.IsOpen());
    ASSERT_TRUE(archive.Open(dir / u"first.sdf", kExtract));
    EXPECT_EQ(ExtractBytes(archive, u"f"), (Bytes{5, 6}));
}

TEST(ArchiveStates, OpenFailsOnFoldersMissingPathsNonArchivesAndModesWithoutAVerb) {
    TempDir dir;
    dir.MakeFolder(u"folder.sdf");
    dir.WriteFile(u"short.sdf", Bytes(10, 0));
    dir.WriteFile(u"text.sdf", std::string(200, 'x'));
    ASSERT_TRUE(WritePackage(dir / u"a.sdf", {{u"e", Bytes{1}}}));
    CZArchive archive;
    for (unsigned mode : {0u, kNoOverwrite, 8u}) {
        EXPECT_FALSE(archive.Open(dir / u"a.sdf", mode)) << mode;
        EXPECT_FALSE(archive.Open(dir / u"b.sdf", mode)) << mode;
    }
    EXPECT_FALSE(dir.Exists(u"b.sdf"));
    for (const char16_t* name : {u"folder.sdf", u"missing.sdf", u"short.sdf", u"text.sdf"}) {
        EXPECT_FALSE(archive.Open(dir / name, kExtract)) << CString(name).ToUtf8();
        EXPECT_FALSE(archive.IsOpen());
        EXPECT_EQ(archive.GetFileName(), CString());
    }
    EXPECT_FALSE(archive.Open(dir / u"folder.sdf", kCreate));
    EXPECT_FALSE(archive.Open(dir / u"no-such-folder\\new.sdf", kCreate));
}
} // namespace
