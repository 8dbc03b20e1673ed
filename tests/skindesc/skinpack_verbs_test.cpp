// skinpack build, convert, dump and info, run as a user runs them in a folder of their own.
#include "desc_helpers.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

namespace {

std::string Utf8(const std::u16string& text) {
    return CString(text).ToUtf8();
}

SkinSpec PackedSkin() {
    SkinSpec skin = SkinSpec::Named(u"Night \u00e9t\u00e9");
    skin.information.author = u"Ann";
    skin.Defaults().Component(u"0", u"", u"button").Attr(u"image_filename", u"file", u"b.bmp");
    SectionSpec& main = skin.Section(u"main");
    main.Component(u"1", u"ok", u"button").Attr(u"image_filename", u"file", u"");
    main.Component(u"2", u"label", u"static").Attr(u"text", u"string", u"a \"quoted\" <text>");
    skin.Section(u"empty");
    return skin;
}

class SkinpackDescriptions : public testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& args) {
        return RunTool("skinpack", args, m_dir.HostPath());
    }
    TempDir m_dir;
};

} // namespace

TEST_F(SkinpackDescriptions, BuildPrintsWhereThePackageWent) {
    m_dir.WriteFile(u"night.xml", TextDescription(PackedSkin()));
    m_dir.WriteFile(u"b.bmp", BmpBytes(40, 10, 8, RGB(1, 2, 3)));
    ToolRun run = Run({"build", "night.xml"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "built ./night.sdf\n");
    EXPECT_EQ(PackageEntry(m_dir / u"night.sdf", u"b.bmp"), m_dir.ReadFile(u"b.bmp"));
}

TEST_F(SkinpackDescriptions, BuildPrintsMessagesAndFailsWhenTheBuildFails) {
    SkinSpec skin = PackedSkin();
    m_dir.WriteFile(u"night.xml", TextDescription(skin));
    ToolRun missing = Run({"build", m_dir.HostPath() + "/night.xml"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out,
              "Could not add resource \"b.bmp\".\nbuilt " + m_dir.HostPath() + "/night.sdf\n");

    m_dir.WriteFile(u"night.sdf", TextDescription(skin));
    ToolRun refused = Run({"build", "night.sdf"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out,
              Utf8(u"Could not create skin \"Night \u00e9t\u00e9\", the package would replace its "
                   u"definition.\n"));
    EXPECT_EQ(refused.err, "skinpack: could not build 'night.sdf'\n");
    EXPECT_EQ(m_dir.ReadFile(u"night.sdf"), TextDescription(skin));

    ToolRun absent = Run({"build", "absent.xml"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err, "skinpack: no skin definition 'absent.xml'\n");
    EXPECT_EQ(Run({"build"}).exitCode, 2);
}

TEST_F(SkinpackDescriptions, ConvertBetweenForms) {
    SkinSpec skin = PackedSkin();
    m_dir.WriteFile(u"night.xml", TextDescription(skin));
    ToolRun record = Run({"convert", "--record", "night.xml", "night.rec"});
    EXPECT_EQ(record.exitCode, 0) << record.err;
    SkinSpec applied = AsRecordForm(skin);
    applied.sections[0].components[0].attributes[0].value = u"b.bmp";
    EXPECT_EQ(m_dir.ReadFile(u"night.rec"), RecordDescription(applied));

    ToolRun text = Run({"convert", "--text", "night.xml", "again.xml"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(m_dir.ReadFile(u"again.xml"), TextDescription(skin)); // defaults section kept

    ToolRun back = Run({"convert", "--text", "night.rec", "back.xml"});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(Load(m_dir.ReadFile(u"back.xml")), AsTextForm(applied));

    EXPECT_EQ(Run({"convert", "night.xml", "x"}).exitCode, 2);
    EXPECT_EQ(Run({"convert", "--text", "--record", "night.xml", "x"}).exitCode, 2);
    ToolRun unreadable = Run({"convert", "--text", "nothing.xml", "x"});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err, "skinpack: cannot read 'nothing.xml'\n");
    m_dir.WriteFile(u"bad.rec", RecordStream({u"NOT A SKIN"}));
    ToolRun bad = Run({"convert", "--text", "bad.rec", "x"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "skinpack: 'bad.rec' is not a readable skin description\n");
    EXPECT_FALSE(m_dir.Exists(u"x"));
}

TEST_F(SkinpackDescriptions, DumpPrintsTheTextForm) {
    SkinSpec skin = AsRecordForm(PackedSkin());
    ASSERT_TRUE(WriteSkinPackage(m_dir / u"night.sdf", skin));
    ToolRun run = Run({"dump", "night.sdf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Utf8(TextDescriptionText(skin)) + "\n");
    ToolRun bad = Run({"dump", "night.xml"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "skinpack: cannot open package 'night.xml'\n");
}

TEST_F(SkinpackDescriptions, InfoPrintsInformationAndSections) {
    ASSERT_TRUE(WriteSkinPackage(m_dir / u"night.sdf", PackedSkin()));
    ToolRun run = Run({"info", "night.sdf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Utf8(u"name: Night \u00e9t\u00e9\nversion: 1.0\ndescription: \n"
                            u"author: Ann\nemail: \nwebpage: \nindex header: accepted\n"
                            u"sections:\n  main: 2 components\n  empty: 0 components\n"));
    ASSERT_TRUE(WritePackage(m_dir / u"old.sdf", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.1")},
                                                  {u".xml", RecordDescription(PackedSkin())}}));
    EXPECT_NE(Run({"info", "old.sdf"}).out.find("index header: refused\n"), std::string::npos);
    ASSERT_TRUE(WritePackage(m_dir / u"bare.sdf", {{u"a", {1}}}));
    ToolRun bare = Run({"info", "bare.sdf"});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_EQ(bare.err, "skinpack: no readable description (.xml) in 'bare.sdf'\n");
}
