// Writing descriptions: the text form's exact layout, the record form, the defaults rule and
// the resource list.
#include "skindesc/descwriter.h"

#include "desc_helpers.h"

#include <gtest/gtest.h>

namespace {

std::vector<BYTE> Write(const SkinDef& model, bool textForm, bool defaultsSection,
                        std::vector<CString>* resources = nullptr) {
    tagSKIN skin;
    FillSkin(model, skin);
    CMemFile file;
    CStringList list;
    EXPECT_TRUE(WriteDescription(skin, file, textForm, defaultsSection, &list));
    if (resources)
        for (const CString& s : list)
            resources->push_back(s);
    return MemBytes(file);
}

SkinDef SkinWithDefaults() {
    SkinDef skin = SkinDef::Named(u"D");
    ComponentDef& d = skin.Defaults().Component(u"0", u"buttons", u"button");
    d.Attr(u"font_size", u"numeric", u"12").Attr(u"image", u"file", u"first.bmp");
    d.Attr(u"only_first", u"string", u"x");
    skin.Defaults()
        .Component(u"0", u"later buttons", u"button")
        .Attr(u"FONT_SIZE", u"numeric", u"14")
        .Attr(u"image", u"file", u"default.bmp");
    skin.Defaults().Component(u"0", u"", u"Button").Attr(u"font_size", u"numeric", u"99");
    SectionDef& s = skin.Section(u"main", u"main.sdf");
    s.Component(u"1", u"ok", u"button")
        .Attr(u"Font_Size", u"numeric", u"", u"", u"desc")
        .Attr(u"color", u"color", u"")
        .Attr(u"image", u"FILE", u"")
        .Attr(u"only_first", u"string", u"");
    s.Component(u"2", u"fixed", u"button").Attr(u"font_size", u"numeric", u"8");
    s.Component(u"3", u"other", u"static").Attr(u"font_size", u"numeric", u"");
    return skin;
}

} // namespace

TEST(WriteTextForm, ExactLayout) {
    SkinDef skin = SkinDef::Named(u"A\"<b>");
    skin.information = {u"A\"<b>", u"1", u"d", u"au", u"e", u"w"};
    skin.outputPath = u"out";
    skin.Section(u"s", u"o.sdf")
        .Component(u"1", u"n", u"t")
        .Attr(u"i", u"string", u"v", u"nm", u"ds")
        .Prop(u"p", u"numeric", u"3");
    std::u16string expected =
        u"<?xml version=\"1.0\" encoding=\"ASCII\"?>\r\n<newvexskin>\r\n"
        u"    <information name=\"A\"\"<<b>>\" version=\"1\" description=\"d\" author=\"au\" "
        u"email=\"e\" webpage=\"w\"/>\r\n"
        u"    <output path=\"out\" separatefiles=\"false\"/>\r\n"
        u"    <section id=\"s\" output=\"o.sdf\">\r\n"
        u"        <component id=\"1\" name=\"n\" type=\"t\">\r\n"
        u"            <attribute id=\"i\" name=\"nm\" type=\"string\" value=\"v\" "
        u"description=\"ds\"/>\r\n"
        u"            <property id=\"p\" type=\"numeric\" value=\"3\"/>\r\n"
        u"        </component>\r\n"
        u"    </section>\r\n"
        u"</newvexskin>";
    EXPECT_EQ(Write(skin, true, false), Utf16Bytes(expected));
}

TEST(WriteTextForm, WithoutDefaultsSectionAppliesThem) {
    SkinDef skin = SkinWithDefaults();
    SkinDef loaded = Load(Write(skin, true, false));
    EXPECT_FALSE(loaded.defaults.has_value());
    const std::vector<ComponentDef>& c = loaded.sections[0].components;
    EXPECT_EQ(c[0].attributes[0].value, CString(u"14")); // last "button" defaults, id any case
    EXPECT_EQ(c[0].attributes[0].description, CString(u"desc"));
    EXPECT_EQ(c[0].attributes[1].value, CString()); // no such default
    EXPECT_EQ(c[0].attributes[2].value, CString(u"default.bmp"));
    // The later "button" defaults replace the earlier ones entirely.
    EXPECT_EQ(c[0].attributes[3].value, CString());
    EXPECT_EQ(c[1].attributes[0].value, CString(u"8")); // a value is never replaced
    EXPECT_EQ(c[2].attributes[0].value, CString());     // no defaults for "static"
}

TEST(WriteRecordForm, AppliesDefaultsAndDropsWhatItCannotHold) {
    SkinDef skin = SkinWithDefaults();
    skin.outputPath = u"x";
    skin.separateFiles = true;
    SkinDef expected = AsRecordForm(Load(Write(skin, true, false)));
    expected.name = skin.name;
    bool ok = false;
    EXPECT_EQ(Load(Write(skin, false, true), &ok), expected);
    EXPECT_TRUE(ok);
}
TEST(WriteDescription, ResourcesOnceInOrderAfterDefaults) {
    SkinDef skin = SkinWithDefaults();
    SectionDef& s = skin.Section(u"second");
    s.Component(u"1", u"", u"image")
        .Attr(u"a", u"file", u"b.bmp")
        .Attr(u"b", u"string", u"not-a-file.bmp")
        .Attr(u"c", u"file", u"")
        .Prop(u"p", u"File", u"sound.wav")
        .Prop(u"q", u"file", u"b.bmp");
    s.Component(u"2", u"", u"image").Attr(u"a", u"file", u"B.bmp");
    for (bool text : {false, true})
        for (bool defaultsSection : {false, true}) {
            std::vector<CString> resources;
            Write(skin, text, defaultsSection, &resources);
            EXPECT_EQ(resources,
                      (std::vector<CString>{u"default.bmp", u"b.bmp", u"sound.wav", u"B.bmp"}))
                << text << defaultsSection;
        }
}

TEST(WriteDescription, NullEntriesAreSkipped) {
    SkinDef model = SkinDef::Named(u"N");
    model.Section(u"s").Component(u"1", u"c", u"t").Attr(u"a", u"string", u"v");
    tagSKIN skin;
    FillSkin(model, skin);
    skin.sections.AddHead(nullptr);
    auto* section = static_cast<tagSECTION*>(skin.sections.GetTail());
    section->components.AddTail(nullptr);
    static_cast<tagCOMPONENT*>(section->components.GetHead())->attributes.AddHead(nullptr);
    for (bool text : {false, true}) {
        CMemFile file;
        WriteDescription(skin, file, text, false, nullptr);
        SkinDef loaded = Load(MemBytes(file));
        EXPECT_EQ(loaded.sections, model.sections);
    }
}

TEST(WriteDescriptionFile, TruncatesAndReportsFailure) {
    TempDir dir;
    dir.WriteFile(u"d.xml", std::string(100000, 'x'));
    SkinDef model = SkinDef::Named(u"F");
    tagSKIN skin;
    FillSkin(model, skin);
    ASSERT_TRUE(WriteDescriptionFile(skin, dir / u"d.xml", false, false, nullptr));
    EXPECT_EQ(dir.ReadFile(u"d.xml"), RecordDescription(model));
    EXPECT_FALSE(WriteDescriptionFile(skin, dir.Path(), true, false, nullptr));
    EXPECT_FALSE(WriteDescriptionFile(skin, dir / u"no\\such\\folder.xml", true, false, nullptr));
}
