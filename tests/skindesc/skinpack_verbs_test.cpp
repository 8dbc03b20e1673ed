// skinpack build, convert, dump and info, run as a user runs them in a folder of their own.
#include "desc_helpers.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

namespace {

std::string Utf8(const std::u16string& text) {
    return CString(text).ToUtf8();
}

SkinDef PackedSkin() {
    SkinDef skin = SkinDef::Named(u"Night \u00e9t\u00e9");
    skin.information.author = u"Ann";
    skin.Defaults().Component(u"0", u"", u"button").Attr(u"image_filename", u"file", u"b.bmp");
    SectionDef& main = skin.Section(u"main");
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

TEST_F(SkinpackDescriptions, BuildPrintsItsMessagesAndWhereThePackageWent) {
    SkinDef skin = PackedSkin();
    m_dir.WriteFile(u"night.xml", TextDescription(skin));
    EXPECT_EQ(Run({"build", m_dir.HostPath() + "/night.xml"}).Outcome(),
              "0|Could not add resource \"b.bmp\".\nbuilt " + m_dir.HostPath() + "/night.sdf\n|");
    m_dir.WriteFile(u"b.bmp", BmpBytes(40, 10, 8, RGB(1, 2, 3)));
    EXPECT_EQ(Run({"build", "night.xml"}).Outcome(), "0|built ./night.sdf\n|");

    m_dir.WriteFile(u"night.sdf", TextDescription(skin));
    EXPECT_EQ(Run({"build", "night.sdf"}).Outcome(),
              Utf8(u"1|Could not create skin \"Night \u00e9t\u00e9\", the package would replace "
                   u"its definition.\n|skinpack: could not build 'night.sdf'\n"));
    EXPECT_EQ(m_dir.ReadFile(u"night.sdf"), TextDescription(skin));
    EXPECT_EQ(Run({"build", "absent.xml"}).Outcome(),
              "1||skinpack: no skin definition 'absent.xml'\n");
    EXPECT_EQ(Run({"build"}).exitCode, 2);
}

TEST_F(SkinpackDescriptions, ConvertBetweenForms) {
    SkinDef skin = PackedSkin();
    m_dir.WriteFile(u"night.xml", TextDescription(skin));
    EXPECT_EQ(Run({"convert", "--record", "night.xml", "night.rec"}).Outcome(), "0||");
    SkinDef applied = AsRecordForm(skin);
    applied.sections[0].components[0].attributes[0].value = u"b.bmp";
    EXPECT_EQ(m_dir.ReadFile(u"night.rec"), RecordDescription(applied));
    EXPECT_EQ(Run({"convert", "--text", "night.xml", "again.xml"}).Outcome(), "0||");
    EXPECT_EQ(m_dir.ReadFile(u"again.xml"), TextDescription(skin)); // defaults section kept
    EXPECT_EQ(Run({"convert", "--text", "night.rec", "back.xml"}).Outcome(), "0||");
    EXPECT_EQ(Load(m_dir.ReadFile(u"back.xml")), AsTextForm(applied));

    EXPECT_EQ(Run({"convert", "night.xml", "x"}).exitCode, 2);
    EXPECT_EQ(Run({"convert", "--text", "--record", "night.xml", "x"}).exitCode, 2);
    EXPECT_EQ(Run({"convert", "--text", "nothing.xml", "x"}).Outcome(),
              "1||skinpack: cannot read 'nothing.xml'\n");
    m_dir.WriteFile(u"bad.rec", RecordStream({u"NOT A SKIN"}));
    EXPECT_EQ(Run({"convert", "--text", "bad.rec", "x"}).Outcome(),
              "1||skinpack: 'bad.rec' is not a readable skin description\n");
    EXPECT_FALSE(m_dir.Exists(u"x"));
}

TEST_F(SkinpackDescriptions, DumpAndInfoPrintTheDescription) {
    SkinDef skin = AsRecordForm(PackedSkin());
    ASSERT_TRUE(WriteSkinPackage(m_dir / u"night.sdf", skin));
    EXPECT_EQ(Run({"dump", "night.sdf"}).Outcome(), "0|" + Utf8(TextDescriptionText(skin)) + "\n|");
    EXPECT_EQ(Run({"dump", "night.xml"}).Outcome(),
              "1||skinpack: cannot open package 'night.xml'\n");
    EXPECT_EQ(Run({"info", "night.sdf"}).Outcome(),
              Utf8(u"0|name: Night \u00e9t\u00e9\nversion: 1.0\ndescription: \nauthor: Ann\n"
                   u"email: \nwebpage: \nindex header: accepted\nsections:\n"
                   u"  main: 2 components\n  empty: 0 components\n|"));
    ASSERT_TRUE(WritePackage(m_dir / u"old.sdf", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.1")},
                                                  {u".xml", RecordDescription(PackedSkin())}}));
    EXPECT_NE(Run({"info", "old.sdf"}).out.find("index header: refused\n"), std::string::npos);
    ASSERT_TRUE(WritePackage(m_dir / u"bare.sdf", {{u"a", {1}}}));
    EXPECT_EQ(Run({"info", "bare.sdf"}).Outcome(),
              "1||skinpack: no readable description (.xml) in 'bare.sdf'\n");
}
