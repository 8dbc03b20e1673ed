#include "platform/base/afx.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace {

const UINT kRead = CFile::modeRead | CFile::shareDenyWrite;                        // 0x20
const UINT kCreate = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive; // 0x1011

TEST(CFileTest, CreateWriteReadBackAndRefuseFoldersAndMissingFiles) {
    TempDir dir;
    CFile out, in, f;
    ASSERT_TRUE(out.Open(dir / u"a.bin", kCreate));
    out.Write("abcdef", 6);
    EXPECT_EQ(out.GetLength(), 6u);
    out.Close();
    ASSERT_TRUE(in.Open(dir / u"a.bin", kRead));
    char buf[16] = {};
    EXPECT_EQ(in.Seek(-2, CFile::end), 4);
    EXPECT_EQ(in.Read(buf, 10), 2u); // a short read at the end
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(in.Read(buf, 10), 0u);
    // Positions follow reads and seeks (a read-only file that denies writes keeps them itself).
    EXPECT_EQ(in.Seek(1, CFile::begin), 1);
    EXPECT_EQ(in.Read(buf, 2), 2u);
    EXPECT_EQ(in.GetPosition(), 3u);
    EXPECT_EQ(in.Read(buf, 10), 3u);
    EXPECT_EQ(std::string(buf, 3), "def");
    EXPECT_EQ(in.GetPosition(), 6u);
    EXPECT_EQ(in.GetFileName(), CString(u"a.bin"));
    CFileException error;
    EXPECT_FALSE(f.Open(dir.Path(), kRead, &error));
    EXPECT_FALSE(f.Open(dir / u"missing.bin", kRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(f.Open(u"", kRead));
    EXPECT_EQ(f.Read(nullptr, 4), 0u);
}

// Small reads of a read-only file come from blocks read ahead: reads that cross a block's end,
// go back, mix with large reads or run into the file's end give the file's bytes.
TEST(CFileTest, SmallAndLargeReadsAnywhereGiveTheFilesBytes) {
    TempDir dir;
    std::string bytes(10000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 251);
    dir.WriteFile(u"big.bin", bytes);
    CFile in;
    ASSERT_TRUE(in.Open(dir / u"big.bin", kRead));
    std::string got;
    char buf[6000];
    for (UINT n : {7u, 4089u, 13u, 5000u, 3u, 900u, 5000u}) { // to the end, the last one short
        UINT read = in.Read(buf, n);
        got.append(buf, read);
    }
    EXPECT_EQ(got, bytes);
    for (LONG at : {4090L, 5L, 8190L, 9998L}) {
        in.Seek(at, CFile::begin);
        ASSERT_EQ(in.Read(buf, 10), UINT(std::min<LONG>(10, 10000 - at))) << at;
        EXPECT_EQ(std::string(buf, std::min<LONG>(10, 10000 - at)), bytes.substr(size_t(at), 10));
    }
}

TEST(CFileTest, SharingIsHonouredWithoutDestroyingTheFile) {
    TempDir dir;
    dir.WriteFile(u"pkg.sdf", std::string("payload"));
    CFile reader, second, writer;
    ASSERT_TRUE(reader.Open(dir / u"pkg.sdf", kRead));
    EXPECT_TRUE(second.Open(dir / u"pkg.sdf", kRead)); // the first only denies writing
    // Creating over an open file is a sharing violation, and the file keeps its bytes.
    CFileException error;
    EXPECT_FALSE(writer.Open(dir / u"pkg.sdf", kCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(dir.ReadFile(u"pkg.sdf").size(), 7u);
    reader.Close();
    second.Close();
    EXPECT_TRUE(writer.Open(dir / u"pkg.sdf", kCreate));
    EXPECT_FALSE(reader.Open(dir / u"pkg.sdf", kRead)); // an exclusive writer keeps readers out
}

// Memory grows in whole steps and keeps its bytes; a seek past the end leaves a gap of zeros;
// setting the length and closing release the contents, and a closed file can be written again.
TEST(CMemFileTest, GrowsSeeksAndReleases) {
    CMemFile mem(1024);
    EXPECT_EQ(mem.GetBufferSize(), 0u);
    std::string chunk(300, 'q');
    for (int i = 0; i < 10; ++i)
        mem.Write(chunk.data(), UINT(chunk.size()));
    EXPECT_EQ(mem.GetLength(), 3000u);
    EXPECT_EQ(mem.GetBufferSize(), 3072u);
    mem.SeekToBegin();
    std::string back(3000, 0);
    EXPECT_EQ(mem.Read(back.data(), 4000), 3000u);
    EXPECT_EQ(back, std::string(3000, 'q'));
    mem.SetLength(2);
    EXPECT_EQ(mem.Seek(6, CFile::begin), 6);
    mem.Write("z", 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mem.GetData()), 7),
              std::string("qq\0\0\0\0z", 7));
    EXPECT_EQ(mem.Seek(-1, CFile::begin), -1);
    mem.Close();
    EXPECT_EQ(mem.GetLength() + mem.GetBufferSize(), 0u);
    char c;
    EXPECT_EQ(mem.Read(&c, 1), 0u);
    mem.Write("x", 1);
    EXPECT_EQ(mem.GetLength(), 1u);
    // An attached buffer is read-only unless growable: the caller's bytes stay untouched.
    BYTE data[4] = {1, 2, 3, 4};
    CMemFile attached(data, 4);
    BYTE out[4] = {};
    EXPECT_EQ(attached.Read(out, 4), 4u);
    EXPECT_EQ(out[3], 4);
    attached.Write("xx", 2);
    EXPECT_TRUE(attached.HasFailed());
    EXPECT_EQ(data[0], 1);
}

// The names a find delivers, with "/" after folders; the last error must say the list ended.
std::vector<CString> Found(const CString& pattern) {
    WIN32_FIND_DATAW data;
    std::vector<CString> names;
    HANDLE find = FindFirstFile(pattern, &data);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &data))
        names.push_back(CString(data.cFileName) +
                        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? u"/" : u""));
    EXPECT_EQ(GetLastError(), DWORD(names.empty() ? ERROR_FILE_NOT_FOUND : ERROR_NO_MORE_FILES));
    EXPECT_EQ(bool(FindClose(find)), !names.empty());
    return names;
}

TEST(FileSystemTest, FindDeliversMatchingNamesInNameOrderWithoutDotEntries) {
    TempDir dir;
    dir.WriteFile(u"b.skn", std::string("1"));
    dir.WriteFile(u"A.SKN", std::string("1"));
    dir.WriteFile(u"c.txt", std::string("1"));
    dir.MakeFolder(u"Night");
    EXPECT_EQ(Found(dir / u"*"), (std::vector<CString>{u"A.SKN", u"Night/", u"b.skn", u"c.txt"}));
    EXPECT_EQ(Found(dir / u"*.skn"), (std::vector<CString>{u"A.SKN", u"b.skn"}));
    EXPECT_TRUE(Found(dir / u"nothing\\*").empty());
}

TEST(FileSystemTest, AttributesFoldersDeleteAndMove) {
    TempDir dir;
    dir.WriteFile(u"f.bin", std::string("1"));
    EXPECT_EQ(GetFileAttributes(dir / u"missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(GetFileAttributes(dir / u"f.bin") & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(GetFileAttributes(dir.Path() + u"\\") & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_TRUE(CreateDirectory(dir / u"new", nullptr));
    EXPECT_FALSE(CreateDirectory(dir / u"new", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));

    dir.WriteFile(u"g.bin", std::string("22"));
    EXPECT_FALSE(MoveFile(dir / u"f.bin", dir / u"g.bin")); // no silent replacement
    EXPECT_EQ(dir.ReadFile(u"g.bin").size(), 2u);
    EXPECT_TRUE(DeleteFile(dir / u"g.bin"));
    EXPECT_FALSE(DeleteFile(dir / u"g.bin"));
    EXPECT_TRUE(MoveFile(dir / u"f.bin", dir / u"new\\f.bin"));
    EXPECT_TRUE(dir.Exists(u"new/f.bin"));
    EXPECT_FALSE(DeleteFile(dir / u"new")); // folders are not files
}

// Names ignore letter case, as on the device. Of two host names that differ only in case, the
// one spelt as asked wins, otherwise the first in name order.
TEST(FileSystemTest, NamesMatchIgnoringLetterCase) {
    TempDir dir;
    dir.MakeFolder(u"skins");
    dir.MakeFolder(u"skins/Ocean");
    dir.WriteFile(u"skins/Ocean/ocean.sdf", std::string("o"));
    dir.WriteFile(u"blue.skn", std::string("b"));
    dir.WriteFile(u"Twin.txt", std::string("T"));
    dir.WriteFile(u"twin.txt", std::string("t"));
    auto read = [](const CString& path) {
        CFile file;
        char c = '-';
        return file.Open(path, kRead) && file.Read(&c, 1) == 1 ? c : '-';
    };
    EXPECT_EQ(read(dir / u"Blue.skn"), 'b');
    EXPECT_EQ(read(dir / u"Skins\\OCEAN\\ocean.SDF"), 'o');
    EXPECT_EQ(read(dir / u"twin.txt"), 't');
    EXPECT_EQ(read(dir / u"TWIN.TXT"), 'T');
    EXPECT_EQ(read(dir / u"Skins\\blue.skn"), '-');
    EXPECT_TRUE(GetFileAttributes(dir / u"SKINS\\ocean") & FILE_ATTRIBUTE_DIRECTORY);
    // Creating a name in another case writes the existing file.
    CFile out;
    ASSERT_TRUE(out.Open(dir / u"BLUE.SKN", kCreate));
    out.Write("B", 1);
    out.Close();
    EXPECT_EQ(read(dir / u"blue.skn"), 'B');
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Twin.txt", "blue.skn", "skins", "twin.txt"}));
}

} // namespace
