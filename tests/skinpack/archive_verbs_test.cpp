// skinpack create, list and extract, run as a user runs them: the built program, its exit code,
// and the bytes it prints or writes.

#include "archive/archive_helpers.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

namespace {

std::string AsText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class Skinpack : public testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& args) {
        return RunTool("skinpack", args, m_dir.HostPath());
    }
    // A package made by the library from entries given in memory.
    void MakePackage(const CString& package, const PackageEntries& entries) {
        ASSERT_TRUE(WritePackage(m_dir / package, entries));
    }
    std::string Host(const std::string& relative) const {
        return m_dir.HostPath() + "/" + relative;
    }

    TempDir m_dir;
};

TEST_F(Skinpack, CreateStoresFilesUnderTheirNamesInTheOrderGiven) {
    Bytes bitmap = MixedData(40000, 1), text = MixedData(300, 2), odd = Bytes{0, 1, 0, 255};
    m_dir.WriteFile(u"art/Bild ä.bmp", bitmap);
    m_dir.WriteFile(u"skin.xml", text);
    m_dir.WriteFile(u"odd", odd);
    ASSERT_EQ(Run({"create", "out.sdf", Host("skin.xml"), "art/Bild ä.bmp", "./odd"}).Outcome(),
              "0||");

    // The same bytes as the library makes adding the files under their names in that order.
    MakePackage(u"expected.sdf", {{u"skin.xml", text}, {u"Bild ä.bmp", bitmap}, {u"odd", odd}});
    EXPECT_EQ(m_dir.ReadFile(u"out.sdf"), m_dir.ReadFile(u"expected.sdf"));
    EXPECT_NE(Run({"list", "out.sdf"}).out.find("Bild ä.bmp\n"), std::string::npos); // UTF-8
    // Nothing but the package is left beside it.
    EXPECT_EQ(m_dir.Names(),
              (std::vector<std::string>{"art", "expected.sdf", "odd", "out.sdf", "skin.xml"}));
}

TEST_F(Skinpack, ExtractWritesTheEntrysBytesToStandardOutputOrAFile) {
    Bytes binary = NoiseData(70000, 3);
    binary[10] = 0;
    MakePackage(u"p.sdf", {{u"bin", binary}, {u"Grün.txt", Bytes{'g', '\n'}}});

    EXPECT_EQ(Run({"extract", "p.sdf", "bin"}).Outcome(), "0|" + AsText(binary) + "|");
    EXPECT_EQ(Run({"extract", "p.sdf", "Grün.txt"}).out, "g\n");

    m_dir.WriteFile(u"old.bin", std::string("old contents, longer than the entry"));
    EXPECT_EQ(Run({"extract", "p.sdf", "Grün.txt", "-o", "old.bin"}).Outcome(), "0||");
    EXPECT_EQ(m_dir.ReadFile(u"old.bin"), (Bytes{'g', '\n'}));
    EXPECT_EQ(Run({"extract", "-o", Host("new.bin"), "p.sdf", "bin"}).Outcome(), "0||");
    EXPECT_EQ(m_dir.ReadFile(u"new.bin"), binary);
}

TEST_F(Skinpack, CreateFailuresNameTheFileAndKeepAnEarlierPackage) {
    MakePackage(u"keep.sdf", {{u"old", Bytes{9}}});
    Bytes before = m_dir.ReadFile(u"keep.sdf");
    m_dir.WriteFile(u"a.txt", std::string("a"));
    m_dir.WriteFile(u"sub/a.txt", std::string("other a"));
    m_dir.WriteFile(u"empty.txt", std::string());
    m_dir.WriteFile(u"zarchive.contents.index", std::string("x"));
    m_dir.MakeFolder(u"folder");
    struct Case {
        std::vector<std::string> files;
        std::string message;
    } cases[] = {
        {{"a.txt", "missing.txt"}, "skinpack: cannot read 'missing.txt': no such file\n"},
        {{"a.txt", "sub/a.txt"},
         "skinpack: cannot add 'sub/a.txt': an entry named 'a.txt' is already in the package\n"},
        {{"empty.txt"}, "skinpack: cannot add 'empty.txt': the file is empty\n"},
        {{"folder"}, "skinpack: cannot read 'folder': is a folder\n"},
        {{"zarchive.contents.index"},
         "skinpack: cannot add 'zarchive.contents.index': the name is reserved for the index\n"},
    };
    for (const Case& c : cases) {
        for (const char* package : {"keep.sdf", "fresh.sdf"}) {
            std::vector<std::string> args = {"create", package};
            args.insert(args.end(), c.files.begin(), c.files.end());
            EXPECT_EQ(Run(args).Outcome(), "1||" + c.message);
        }
        EXPECT_EQ(m_dir.ReadFile(u"keep.sdf"), before) << c.message;
    }
    EXPECT_EQ(m_dir.Names(), (std::vector<std::string>{"a.txt", "empty.txt", "folder", "keep.sdf",
                                                       "sub", "zarchive.contents.index"}));
    // A successful create replaces the earlier package.
    ASSERT_EQ(Run({"create", "keep.sdf", "a.txt"}).exitCode, 0);
    EXPECT_EQ(Run({"list", "keep.sdf"}).out, "a.txt\n");
}

TEST_F(Skinpack, PackagesThatCannotBeReadAreNamedWithTheReason) {
    m_dir.WriteFile(u"text.sdf", std::string(100, 't'));
    m_dir.MakeFolder(u"folder.sdf");
    struct Case {
        const char* package;
        const char* reason;
    } cases[] = {{"missing.sdf", "no such file"},
                 {"text.sdf", "not an archive or damaged"},
                 {"folder.sdf", "is a folder"}};
    for (const Case& c : cases) {
        std::string message =
            std::string("skinpack: cannot open package '") + c.package + "': " + c.reason + "\n";
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"list", c.package}, {"extract", c.package, "e"}}) {
            EXPECT_EQ(Run(args).Outcome(), "1||" + message);
        }
    }
}

TEST_F(Skinpack, ExtractFailuresLeaveTheOutputAlone) {
    ArchiveBuilder builder;
    builder.AddEntry(u"good", Bytes{1, 2, 3});
    // Declares more bytes than its chunk holds.
    builder.AddRecord(u"bad", builder.AddRaw(U32(500) + Chunk(Deflate(Bytes(100, 'b')))));
    m_dir.WriteFile(u"p.sdf", builder.Finish());
    m_dir.WriteFile(u"out.bin", std::string("keep me"));

    EXPECT_EQ(Run({"extract", "p.sdf", "Good", "-o", "out.bin"}).Outcome(),
              "1||skinpack: no entry 'Good' in 'p.sdf'\n");

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"extract", "p.sdf", "bad", "-o", "out.bin"},
          {"extract", "p.sdf", "bad", "-o", "new.bin"},
          {"extract", "p.sdf", "bad"}}) {
        EXPECT_EQ(Run(args).Outcome(),
                  "1||skinpack: cannot extract 'bad' from 'p.sdf': the entry is damaged\n");
    }
    EXPECT_EQ(AsText(m_dir.ReadFile(u"out.bin")), "keep me");
    EXPECT_FALSE(m_dir.Exists(u"new.bin"));

    m_dir.MakeFolder(u"folder");
    EXPECT_EQ(Run({"extract", "p.sdf", "good", "-o", "folder"}).Outcome(),
              "1||skinpack: cannot write 'folder'\n");
    EXPECT_EQ(m_dir.Names(), (std::vector<std::string>{"folder", "out.bin", "p.sdf"}));
}

TEST_F(Skinpack, UsageOnRequestAndOnWrongArguments) {
    ToolRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* line : {"usage: skinpack VERB", "create PACKAGE FILE...", "list PACKAGE",
                             "extract PACKAGE ENTRY [-o OUT]"})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    EXPECT_EQ(
        Run({"extract", "--help"}).out.rfind("usage: skinpack extract PACKAGE ENTRY [-o OUT]\n", 0),
        0u);

    MakePackage(u"p.sdf", {{u"e", Bytes{1}}});
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{}, help.out},
        {{"unpack", "x"}, "skinpack: unknown verb 'unpack' (skinpack --help lists the verbs)\n"},
        {{"create", "only.sdf"}, "usage: skinpack create PACKAGE FILE...\n"},
        {{"list"}, "usage: skinpack list PACKAGE\n"},
        {{"list", "p.sdf", "q.sdf"}, "usage: skinpack list PACKAGE\n"},
        {{"extract", "p.sdf"}, "usage: skinpack extract PACKAGE ENTRY [-o OUT]\n"},
        {{"extract", "p.sdf", "e", "-o"},
         "skinpack: option '-o' needs a value\nusage: skinpack extract PACKAGE ENTRY [-o OUT]\n"},
        {{"list", "-x", "p.sdf"}, "skinpack: unknown option '-x'\nusage: skinpack list PACKAGE\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(c.args).Outcome(), "2||" + c.err);
    EXPECT_FALSE(m_dir.Exists(u"only.sdf"));
    // "--" lets an entry name start with a dash.
    MakePackage(u"dash.sdf", {{u"-o", Bytes{'d'}}});
    EXPECT_EQ(Run({"extract", "dash.sdf", "--", "-o"}).out, "d");
}

} // namespace
