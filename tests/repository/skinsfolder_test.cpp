#include "repository/skinfiles.h"
#include "repository/skinrepository.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace {

std::vector<CString> Skins(CSkinRepository& repository, const CString& extension) {
    CStringList list;
    repository.GetAvailableSkinsList(list, extension);
    return std::vector<CString>(list.begin(), list.end());
}

TEST(SkinsFolderTest, StoredWithOneTrailingBackslashWhileRefusedPathsKeepIt) {
    TempDir dir;
    dir.MakeFolder(u"skins");
    dir.WriteFile(u"file.skn", std::string("x"));
    CSkinRepository repository;
    EXPECT_FALSE(repository.SetSkinsFolder(dir / u"missing"));
    EXPECT_EQ(repository.GetSkinsFolder(), CString());
    for (const char16_t* folder : {u"skins", u"skins\\"}) {
        ASSERT_TRUE(repository.SetSkinsFolder(dir / folder));
        EXPECT_EQ(repository.GetSkinsFolder(), dir / u"skins\\");
    }
    for (const CString& refused :
         {dir / u"file.skn", dir / u"skins\\.", dir / u"skins\\..\\", CString()})
        EXPECT_FALSE(repository.SetSkinsFolder(refused)) << refused.ToUtf8();
    EXPECT_EQ(repository.GetSkinsFolder(), dir / u"skins\\");
}

TEST(SkinsFolderTest, ListsPackagesAndFolderSkinsInEnumerationOrder) {
    TempDir dir;
    CSkinRepository repository;
    EXPECT_TRUE(Skins(repository, u"skn").empty()); // no folder yet
    dir.WriteFile(u"Blue.skn", std::string("pkg"));
    dir.WriteFile(u"Night/a.skn", std::string("pkg"));
    dir.WriteFile(u"Night/b.skn", std::string("pkg"));
    dir.WriteFile(u"Odd.skn/inner.skn", std::string("pkg")); // named like a package: listed so
    dir.WriteFile(u"Empty/readme.txt", std::string("none"));
    dir.WriteFile(u"notes.txt", std::string("none"));
    ASSERT_TRUE(repository.SetSkinsFolder(dir.Path()));
    EXPECT_EQ(Skins(repository, u"skn"),
              (std::vector<CString>{u"Blue.skn", u"Night?skn", u"Odd.skn"}));
    // Matching ignores letter case, implies no dot, and appends without emptying the list.
    CStringList list;
    list.AddTail(u"kept");
    repository.GetAvailableSkinsList(list, u"KN");
    EXPECT_EQ(std::vector<CString>(list.begin(), list.end()),
              (std::vector<CString>{u"kept", u"Blue.skn", u"Night?KN", u"Odd.skn"}));
    // An empty extension matches every entry.
    EXPECT_EQ(Skins(repository, u""),
              (std::vector<CString>{u"Blue.skn", u"Empty", u"Night", u"Odd.skn", u"notes.txt"}));
}

// Descriptions are read through it: others cannot write the file meanwhile.
TEST(SkinFilesTest, AFileOpenForReadingCannotBeWritten) {
    TempDir dir;
    dir.WriteFile(u"f.bin", std::string("1"));
    CFile file, writer;
    EXPECT_TRUE(OpenFileForReading(dir / u"f.bin", file));
    EXPECT_FALSE(writer.Open(dir / u"f.bin", CFile::modeCreate | CFile::modeWrite));
}

} // namespace
