// Adding entries from files and memory, and extracting them to memory and to files.

#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const unsigned kCreate = CZArchive::modeCreate;
const unsigned kExtract = CZArchive::modeExtract;

class ArchiveAdd : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_archive.Open(m_dir / u"pkg.sdf", kCreate)); }
    void TearDown() override { ResetDrives(); }

    bool AddBytes(const CString& name, const Bytes& bytes) {
        return ::AddBytes(m_archive, name, bytes);
    }
    // Completes the archive and opens it for reading.
    void Reopen() {
        ASSERT_TRUE(m_archive.Close());
        ASSERT_TRUE(m_archive.Open(m_dir / u"pkg.sdf", kExtract));
    }

    TempDir m_dir;
    CZArchive m_archive;
};

// Refused adds leave the archive as it was. Names are compared exactly: names that differ in
// letter case are two entries, and "Zarchive.contents.index" is not the reserved index name.
TEST_F(ArchiveAdd, RefusedAddsLeaveTheArchiveAsItWasAndNamesAreExact) {
    const std::vector<CString> names = {u"SKIN.XML", u"Skin.xml", u"Zarchive.contents.index",
                                        u"skin.xml"};
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(AddBytes(names[i], Bytes{BYTE(i)}));
    // An entry named like the index would make the archive's own index impossible to add.
    m_dir.WriteFile(u"skin.xml", std::string("from disk"));
    m_dir.WriteFile(u"zarchive.contents.index", Bytes{1});
    m_dir.WriteFile(u"empty.txt", Bytes{});
    for (const char16_t* name : {u"skin.xml", u"zarchive.contents.index", u"empty.txt", u"pkg.sdf"})
        EXPECT_FALSE(m_archive.Add(name)) << CString(name).ToUtf8();
    for (const char16_t* name : {u"skin.xml", u"zarchive.contents.index", u""})
        EXPECT_FALSE(AddBytes(name, Bytes{4})) << CString(name).ToUtf8();
    EXPECT_FALSE(AddBytes(u"empty", Bytes{}));
    Reopen();
    std::vector<CString> listed = FileList(m_archive), sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, names);
    ArchiveBuilder expected;
    std::vector<DWORD> at;
    for (size_t i = 0; i < names.size(); ++i)
        at.push_back(expected.AddRaw(EncodeEntry(Bytes{BYTE(i)})));
    for (const CString& name : listed)
        expected.AddRecord(name,
                           at[size_t(std::find(names.begin(), names.end(), name) - names.begin())]);
    EXPECT_EQ(m_dir.ReadFile(u"pkg.sdf"), expected.Finish());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ExtractBytes(m_archive, names[i]), Bytes{BYTE(i)});
    bool ok = true;
    ExtractBytes(m_archive, u"skin.XML", &ok);
    EXPECT_FALSE(ok);
}

TEST_F(ArchiveAdd, MemoryFileIsClosedAfterAdd) {
    CMemFile data;
    LoadMemFile(data, MixedData(40000, 1));
    ASSERT_TRUE(m_archive.Add(u"m", data));
    EXPECT_EQ(data.GetLength(), 0u);
    EXPECT_EQ(data.GetBufferSize(), 0u);
    // The whole memory file is stored whatever its position was.
    CMemFile moved;
    LoadMemFile(moved, Bytes{1, 2, 3, 4});
    moved.Seek(3, CFile::begin);
    ASSERT_TRUE(m_archive.Add(u"moved", moved));
    Reopen();
    EXPECT_EQ(ExtractBytes(m_archive, u"m"), MixedData(40000, 1));
    EXPECT_EQ(ExtractBytes(m_archive, u"moved"), (Bytes{1, 2, 3, 4}));
}

// A bare name is read from the archive's folder; a name with a drive from that path, and it is
// stored whole (a file of the same name beside the archive must not be the one read).
TEST_F(ArchiveAdd, SourcesAreTheArchivesFolderOrTheDrivePath) {
    TempDir elsewhere;
    MapDrive(u'Q', elsewhere.HostPath());
    Bytes data = MixedData(20000, 2), logo = NoiseData(500, 3);
    m_dir.WriteFile(u"bare.bmp", data);
    m_dir.WriteFile(u"sub/deep.txt", std::string("deep"));
    m_dir.WriteFile(u"logo.bmp", Bytes{0});
    elsewhere.WriteFile(u"art/logo.bmp", logo);
    for (const char16_t* name : {u"bare.bmp", u"sub\\deep.txt", u"Q:\\art\\logo.bmp"})
        ASSERT_TRUE(m_archive.Add(name)) << CString(name).ToUtf8();
    EXPECT_FALSE(m_archive.Add(u"absent.bmp"));
    Reopen();
    std::vector<CString> names = FileList(m_archive);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<CString>{u"Q:\\art\\logo.bmp", u"bare.bmp", u"sub\\deep.txt"}));
    EXPECT_EQ(ExtractBytes(m_archive, u"bare.bmp"), data);
    EXPECT_EQ(ExtractBytes(m_archive, u"sub\\deep.txt"), (Bytes{'d', 'e', 'e', 'p'}));
    EXPECT_EQ(ExtractBytes(m_archive, u"Q:\\art\\logo.bmp"), logo);
    // The host's "/" in the archive's path separates folders as the library's "\\" does.
    ASSERT_TRUE(m_archive.Open(m_dir.Path() + u"/sub/pkg.sdf", kCreate));
    EXPECT_TRUE(m_archive.Add(u"deep.txt"));
}

class ArchiveExtract : public testing::Test {
protected:
    void SetUp() override {
        m_data = MixedData(50000, 9);
        ArchiveBuilder builder;
        builder.AddEntry(u"good.bin", m_data);
        // Declares 40000 bytes but its single chunk holds 1000.
        builder.AddRecord(u"short.bin",
                          builder.AddRaw(U32(40000) + Chunk(Deflate(MixedData(1000, 1)))));
        m_dir.WriteFile(u"pkg.sdf", builder.Finish());
        ASSERT_TRUE(m_archive.Open(m_dir / u"pkg.sdf", kExtract));
    }

    TempDir m_dir;
    CZArchive m_archive;
    Bytes m_data;
};

TEST_F(ArchiveExtract, ToAFileWritesTheEntryAndFailuresDestroyNothing) {
    ASSERT_TRUE(m_archive.Extract(u"good.bin", m_dir / u"out.bin"));
    EXPECT_EQ(m_dir.ReadFile(u"out.bin"), m_data);
    Bytes old = NoiseData(100, 2), package = m_dir.ReadFile(u"pkg.sdf");
    m_dir.WriteFile(u"old.bin", old);
    m_dir.MakeFolder(u"folder");
    // Damaged or absent entries; a folder, a missing folder or the package being read as target.
    EXPECT_FALSE(m_archive.Extract(u"short.bin", m_dir / u"new.bin"));
    EXPECT_FALSE(m_archive.Extract(u"short.bin", m_dir / u"old.bin"));
    EXPECT_FALSE(m_archive.Extract(u"absent", m_dir / u"old.bin"));
    EXPECT_FALSE(m_archive.Extract(u"good.bin", m_dir / u"folder"));
    EXPECT_FALSE(m_archive.Extract(u"good.bin", m_dir / u"missing\\out.bin"));
    EXPECT_FALSE(m_archive.Extract(u"good.bin", m_dir / u"pkg.sdf"));
    {
        CFile reader; // a target opened with writes denied
        ASSERT_TRUE(reader.Open(m_dir / u"old.bin", CFile::modeRead | CFile::shareDenyWrite));
        EXPECT_FALSE(m_archive.Extract(u"good.bin", m_dir / u"old.bin"));
    }
    EXPECT_EQ(m_dir.ReadFile(u"old.bin"), old);
    EXPECT_EQ(m_dir.ReadFile(u"pkg.sdf"), package);
    EXPECT_EQ(m_dir.Names(), (std::vector<std::string>{"folder", "old.bin", "out.bin", "pkg.sdf"}));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.HostPath() + "/folder"));
    // An existing target that is free is replaced.
    EXPECT_TRUE(m_archive.Extract(u"good.bin", m_dir / u"old.bin"));
    EXPECT_EQ(m_dir.ReadFile(u"old.bin"), m_data);
}

TEST_F(ArchiveExtract, ToMemoryReplacesItsContentsAndRewindsOrLeavesItAsItWas) {
    CMemFile data;
    LoadMemFile(data, NoiseData(70000, 3));
    data.Seek(100, CFile::begin);
    ASSERT_TRUE(m_archive.Extract(u"good.bin", data));
    EXPECT_EQ(data.GetPosition(), 0u);
    EXPECT_EQ(MemBytes(data), m_data);
    // A failure writes nothing: content and position stay.
    for (const char16_t* name : {u"short.bin", u"absent", u"GOOD.BIN"}) {
        data.Seek(2, CFile::begin);
        EXPECT_FALSE(m_archive.Extract(name, data)) << CString(name).ToUtf8();
        EXPECT_EQ(data.GetPosition(), 2u);
        EXPECT_EQ(MemBytes(data), m_data);
    }
}

} // namespace
