// Loading descriptions of both forms into the skin model.
#include "desc_helpers.h"
#include "support/archive_builder.h"

#include <gtest/gtest.h>

namespace {

SkinDef SampleSkin() {
    SkinDef skin = SkinDef::Named(u"Blue <Night>");
    skin.information = {u"Blue <Night>",    u"2.1",
                        u"A \"dark\" skin", u"Ann",
                        u"ann@example.org", u"http://example.org/?a=1&b=2"};
    skin.outputPath = u"out\\blue.sdf";
    skin.separateFiles = true;
    skin.Defaults()
        .Component(u"0", u"button defaults", u"button")
        .Attr(u"font_size", u"numeric", u"12");
    SectionDef& main = skin.Section(u"main", u"main.sdf");
    main.Component(u"1", u"ok", u"button")
        .Attr(u"position", u"rect", u"10, 20, 110, 60", u"Position", u"where it sits")
        .Attr(u"image_filename", u"file", u"ok.bmp")
        .Prop(u"sound", u"file", u"click.wav")
        .Prop(u"repeat", u"bool", u"true");
    main.Component(u"2", u"label", u"static").Attr(u"text", u"string", u"a > b");
    skin.Section(u"settings").Component(u"1", u"back", u"button");
    return skin;
}

// A record stream of skin "N" with empty information, followed by `records`.
std::vector<BYTE> AfterInformation(std::vector<std::u16string> records) {
    records.insert(records.begin(),
                   {u"SKIN", u"N", u"SKININFORMATION", u"", u"", u"", u"", u"", u""});
    return RecordStream(records);
}

} // namespace

TEST(LoadDescriptionFile, ReadsEveryFieldOfEitherForm) {
    TempDir dir;
    SkinDef skin = SampleSkin();
    dir.WriteFile(u"text.xml", TextDescription(skin));
    dir.WriteFile(u"record.xml", RecordDescription(skin));
    tagSKIN text, record, missing;
    EXPECT_TRUE(ReadDescriptionFile(dir / u"text.xml", text));
    EXPECT_EQ(DefOf(text), AsTextForm(skin));
    EXPECT_TRUE(ReadDescriptionFile(dir / u"record.xml", record));
    EXPECT_EQ(DefOf(record), AsRecordForm(skin));
    EXPECT_FALSE(ReadDescriptionFile(dir / u"missing.xml", missing));
    EXPECT_FALSE(ReadDescriptionFile(dir.Path(), missing)); // a folder
    bool ok = false;
    EXPECT_EQ(Load(Utf16Bytes(u"<?xml version=\"1.0\"?>"), &ok), SkinDef());
    EXPECT_TRUE(ok);
}

// Defaults are taken out first, wherever they stand; of two information, output or defaults
// elements the first counts; sections without an id are ignored; absent attributes read empty.
TEST(LoadTextForm, FirstOfEachElementCountsAndAbsentAttributesReadEmpty) {
    std::u16string text =
        u"<?xml?><section id=\"one\"><component name=\"n\"><attribute/><property value=\"3\"/>"
        u"</component></section><information name=\"first\"/>"
        u"<information name=\"second\" email=\"e\"/><output path=\"p1\" separatefiles=\"TRUE\"/>"
        u"<output path=\"p2\"/><defaults><component id=\"1\"><attribute id=\"a\" value=\"v\"/>"
        u"</component></defaults><defaults><component id=\"2\"/></defaults>"
        u"<section output=\"x.sdf\"><component id=\"5\"/></section><section id=\"two\"></section>";
    SkinDef expected;
    expected.name = expected.information.name = u"first";
    expected.outputPath = u"p1";
    expected.separateFiles = true;
    expected.Defaults().Component(u"1", u"", u"").Attr(u"a", u"", u"v");
    expected.Section(u"one").Component(u"", u"n", u"").Attr(u"", u"", u"").Prop(u"", u"", u"3");
    expected.Section(u"two"); // the second defaults' component is in no section
    EXPECT_EQ(Load(Utf16Bytes(text)), expected);
}

TEST(ReadSkinInformation, BothFormsLeaveAbsentFieldsAsTheyWere) {
    CMemFile file;
    tagSKININFORMATION info;
    info.email = u"kept@example.org";
    LoadMemFile(file, Utf16Bytes(u"<?xml?><information name=\"n\" version=\"v\"/>"));
    EXPECT_TRUE(ReadSkinInformation(file, info));
    EXPECT_EQ(info.name, CString(u"n"));
    EXPECT_EQ(info.email, CString(u"kept@example.org"));
    LoadMemFile(file, RecordStream({u"SKIN", u"N", u"SKININFORMATION", u"r", u"v"}));
    EXPECT_TRUE(ReadSkinInformation(file, info));
    EXPECT_EQ(info.name, CString(u"r"));
    EXPECT_EQ(info.version, CString(u"v"));
    EXPECT_EQ(info.author, CString());
    LoadMemFile(file, Utf16Bytes(u"<?xml?><section id=\"s\"/>"));
    EXPECT_FALSE(ReadSkinInformation(file, info));
    LoadMemFile(file, RecordStream({u"SKIN", u"N", u"INFO"}));
    EXPECT_FALSE(ReadSkinInformation(file, info));
}

// Keywords ignore letter case; an empty string or the end after the information ends the
// description. A fault ends it too, keeping the records before it. A value whose count runs
// past the end reads what is there (a decision). A new section does not end the current
// component, so an attribute straight after "SECTION" belongs to the last component read.
TEST(LoadRecordForm, RecordsUntilTheEndOrAFault) {
    struct Case {
        std::vector<BYTE> bytes;
        bool ok;
        const char* outline;
    } cases[] = {
        {RecordStream({u"skin", u"N", u"SkinInformation", u"", u"", u"", u"", u"", u"", u"section",
                       u"s", u"", u"SECTION", u"later"}),
         true, "s{}"},
        {RecordStream({u"SKIN", u"N", u"SKININFORMATION", u"n", u"v", u"d", u"a", u"e", u"w"}),
         true, ""},
        {AfterInformation({u"SECTION", u"s", u"COMPONENT", u"1", u"c", u"t", u"WHAT"}), false,
         "s{1/c;}"},
        {AfterInformation({u"SECTION", u"a", u"COMPONENT", u"1", u"c", u"t", u"SECTION", u"b",
                           u"ATTRIBUTE", u"x", u"", u"s", u"v"}),
         true, "a{1/c x=v;} b{}"},
        {AfterInformation(
             {u"SECTION", u"s", u"COMPONENT", u"1", u"c", u"t", u"ATTRIBUTE", u"a", u"n", u"t"}) +
             std::vector<BYTE>{0x00, 0x00, 0x00, 0x40, 'v', 0, 'a', 0, 'l'},
         true, "s{1/c a=va;}"},
        {RecordStream({u"SKINS", u"N", u"SKININFORMATION"}), false, ""},
        {RecordStream({u"SKIN", u"N", u"INFORMATION"}), false, ""},
        {RecordStream({u"SKIN"}), false, ""},
        {AfterInformation({u"COMPONENT", u"1", u"a", u"b"}), false, ""},
        {AfterInformation({u"SECTION", u"s", u"ATTRIBUTE", u"id", u"n", u"t", u"v"}), false, "s{}"},
        {AfterInformation({u"SECTION", u"s", u"PROPERTY", u"id", u"t", u"v"}), false, "s{}"},
        // Guards against reading past a memory file that ends before the first string.
        {{0xFF}, false, ""},
        {{0xFF, 0xFE, 4, 0, 0}, false, ""},
    };
    TempDir dir;
    for (const Case& c : cases) {
        bool ok = !c.ok;
        SkinDef loaded = Load(c.bytes, &ok);
        EXPECT_EQ(ok, c.ok) << c.outline;
        EXPECT_EQ(Outline(loaded), c.outline);
        // A file on disk is streamed rather than read in place, to the same records.
        dir.WriteFile(u"case.sdx", c.bytes);
        tagSKIN streamed;
        EXPECT_EQ(ReadDescriptionFile(dir / u"case.sdx", streamed), c.ok) << c.outline;
        EXPECT_EQ(Outline(DefOf(streamed)), c.outline);
        if (c.bytes.size() < 6) {
            CMemFile file;
            LoadMemFile(file, c.bytes);
            tagSKININFORMATION info;
            EXPECT_FALSE(ReadSkinInformation(file, info));
        }
    }
    SkinDef full = Load(cases[1].bytes);
    EXPECT_EQ(full.name, CString(u"N"));
    EXPECT_EQ(full.information, (InformationDef{u"n", u"v", u"d", u"a", u"e", u"w"}));
}

// A file on disk is read a window at a time: strings across the window's edges and one longer
// than the window read as from memory.
TEST(LoadRecordForm, FileReadInPiecesGivesTheSameRecords) {
    SkinDef skin = SkinDef::Named(u"N");
    ComponentDef& c = skin.Section(u"s").Component(u"1", u"c", u"button");
    for (int i = 0; i < 3000; ++i)
        c.Attr(u"attribute_" + CString::FromUtf8(std::to_string(i)), u"string", u"value");
    c.Attr(u"long", u"string", CString(u'x', 70000));
    TempDir dir;
    dir.WriteFile(u"large.sdx", RecordDescription(skin));
    tagSKIN streamed;
    ASSERT_TRUE(ReadDescriptionFile(dir / u"large.sdx", streamed));
    EXPECT_EQ(DefOf(streamed), AsRecordForm(skin));
}

TEST(LoadDescription, AppendsSectionsToThoseAlreadyThere) {
    SkinDef first = SkinDef::Named(u"one"), second = SkinDef::Named(u"two");
    first.Section(u"a");
    second.Section(u"b");
    tagSKIN skin;
    CMemFile file;
    LoadMemFile(file, RecordDescription(first));
    ASSERT_TRUE(ReadDescription(file, skin));
    LoadMemFile(file, TextDescription(second));
    ASSERT_TRUE(ReadDescription(file, skin));
    SkinDef loaded = DefOf(skin);
    EXPECT_EQ(loaded.name, CString(u"two"));
    ASSERT_EQ(loaded.sections.size(), 2u);
    EXPECT_EQ(loaded.sections[0].id, CString(u"a"));
    EXPECT_EQ(loaded.sections[1].id, CString(u"b"));
}
