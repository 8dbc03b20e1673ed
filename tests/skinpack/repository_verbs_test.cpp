#include "support/run_tool.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, std::initializer_list<std::string> parts) {
    for (const std::string& line : lines) {
        bool all = true;
        for (const std::string& part : parts)
            all = all && line.find(part) != std::string::npos;
        if (all) return true;
    }
    return false;
}

SkinDef Skin(const CString& name) {
    SkinDef skin = SkinDef::Named(name);
    skin.information.author = u"Ada \u00c5";
    return skin;
}

TEST(SkinpackSkinsAndInfoTest, SkinsOfAFolderAndTheirInformationThroughTheRepository) {
    TempDir dir;
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", Skin(u"Blue")));
    dir.MakeFolder(u"Night");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\a.skn", Skin(u"Night")));
    EXPECT_EQ(RunTool("skinpack", {"skins", dir.HostPath(), "skn"}).Outcome(),
              "0|Blue.skn\nNight?skn\n|");
    ToolRun run = RunTool("skinpack", {"skins", dir.HostPath() + "/missing", "skn"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("is not a folder"), std::string::npos) << run.err;

    // The folder alone names the folder skin when the extension is given.
    run = RunTool("skinpack", {"info", "--folder", dir.HostPath(), "--ext", "skn", "Night"});
    EXPECT_EQ(run.out, "name: Night\nversion: 1.0\ndescription: \nauthor: Ada \xc3\x85\nemail: \n"
                       "webpage: \n");
    run = RunTool("skinpack", {"info", "--folder", dir.HostPath(), "Night"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("'Night'"), std::string::npos) << run.err;
}

TEST(SkinpackCheckTest, ACleanSkinPassesAndUnknownSkinsAreRefused) {
    TempDir dir;
    SkinDef skin = Skin(u"Clean");
    skin.Section(u"main")
        .Component(u"1", u"ok", u"button")
        .Attr(u"image_filename", u"file", u"ok.bmp");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Clean.skn", skin,
                                 {{u"ok.bmp", BmpBytes(8, 4, 24, RGB(1, 2, 3))}}));
    ToolRun run = RunTool("skinpack", {"check", dir.HostPath(), "skn", "Clean.skn"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("no problems found"), std::string::npos);
    run = RunTool("skinpack", {"check", dir.HostPath(), "skn", "Nothing"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no skin"), std::string::npos) << run.err;
    EXPECT_EQ(RunTool("skinpack", {"check", dir.HostPath()}).exitCode, 2);
}

// A folder skin with one problem of every kind a skin author can make.
TEST(SkinpackCheckTest, ReportsEveryKindOfProblemOnALine) {
    TempDir dir;
    dir.MakeFolder(u"Broken");
    SkinDef a = Skin(u"Broken");
    a.Section(u"main")
        .Component(u"1", u"ok", u"button")
        .Attr(u"image_filename", u"file", u"missing.bmp")
        .Attr(u"back", u"file", u"garbage.bmp")
        .Prop(u"sound", u"file", u"click.wav");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Broken\\a.skn", a,
                                 {{u"garbage.bmp", std::vector<BYTE>{'B', 'M', 0}}}));
    SkinDef b = Skin(u"Broken");
    b.Section(u"MAIN").Component(u"1", u"ok", u"button");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Broken\\b.skn", b));
    SkinDef c = Skin(u"Broken");
    c.Section(u"other");
    ASSERT_TRUE(
        WritePackage(dir / u"Broken\\c.skn", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.1")},
                                              {u".xml", RecordDescription(c)}}));
    ASSERT_TRUE(
        WritePackage(dir / u"Broken\\d.skn", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.0")}}));
    dir.WriteFile(u"Broken/e.skn", std::string("not a package"));

    ToolRun run = RunTool("skinpack", {"check", dir.HostPath(), "skn", "Broken"});
    EXPECT_EQ(run.exitCode, 1);
    std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(lines.size(), 7u) << run.out;
    EXPECT_TRUE(HasLine(lines, {"a.skn", "section 'main'", "component '1'",
                                "attribute 'image_filename'", "'missing.bmp' is missing"}))
        << run.out;
    EXPECT_TRUE(HasLine(lines, {"a.skn", "attribute 'back'", "'garbage.bmp' does not decode"}))
        << run.out;
    EXPECT_TRUE(HasLine(lines, {"a.skn", "property 'sound'", "'click.wav' is missing"})) << run.out;
    EXPECT_TRUE(HasLine(lines, {"b.skn", "section 'MAIN'", "a.skn", "wins"})) << run.out;
    EXPECT_TRUE(HasLine(lines, {"c.skn", "index header", "'2.0.1'"})) << run.out;
    EXPECT_TRUE(HasLine(lines, {"d.skn", "no description (.xml)"})) << run.out;
    EXPECT_TRUE(HasLine(lines, {"e.skn", "not a package"})) << run.out;
}

} // namespace
