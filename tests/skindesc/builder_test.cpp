// The package builder: package paths, package contents, per-section packages, messages, and
// the refusals that keep definitions and earlier packages safe.
#include "skindesc/skinbuilder.h"

#include "desc_helpers.h"
#include "skindesc/indexheader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

SkinDef ButtonSkin() {
    SkinDef skin = SkinDef::Named(u"Blue");
    skin.Defaults().Component(u"0", u"", u"button").Attr(u"image_filename", u"file", u"btn.bmp");
    SectionDef& main = skin.Section(u"main");
    main.Component(u"1", u"ok", u"button")
        .Attr(u"image_filename", u"file", u"")
        .Attr(u"position", u"rect", u"0,0,40,20", u"", u"dropped from packages");
    main.Component(u"2", u"cancel", u"button")
        .Attr(u"image_filename", u"file", u"btn.bmp")
        .Prop(u"icon", u"file", u"icons\\cancel.ico");
    skin.Section(u"settings").Component(u"1", u"back", u"button");
    return skin;
}

void WriteResources(const TempDir& dir, const CString& folder = CString()) {
    dir.WriteFile(folder + u"btn.bmp", BmpBytes(160, 20, 24, RGB(10, 20, 30)));
    dir.WriteFile(folder + u"icons\\cancel.ico", std::string("icon bytes"));
}

// BuildSkin's result and messages: "ok: MESSAGES" or "failed: MESSAGES".
std::string Built(const TempDir& dir, const CString& definition) {
    CString messages = u"stale";
    bool ok = BuildSkin(dir / definition, &messages);
    return (ok ? "ok: " : "failed: ") + messages.ToUtf8();
}

// The model a package's ".xml" entry loads into.
SkinDef PackageSkin(const CString& package) {
    auto xml = PackageEntry(package, u".xml");
    if (!xml) return SkinDef();
    return Load(*xml);
}

} // namespace

TEST(ComposePackagePath, FolderAndNameRules) {
    struct Case {
        const char16_t *definition, *folder, *name, *expected;
    } cases[] = {
        {u"C:\\skins\\blue.xml", u"", u"", u"C:\\skins\\blue.sdf"},
        {u"C:\\skins\\blue.def.xml", u"", u"", u"C:\\skins\\blue.def.sdf"},
        {u"C:\\skins\\blue", u"", u"", u"C:\\skins\\.sdf"}, // a name without "." keeps nothing
        {u"C:\\skins\\blue.xml", u" \\out\\ ", u"", u"C:\\skins\\out\\blue.sdf"},
        {u"C:\\skins\\blue.xml", u"out\\pkg.skn", u"out\\pkg.skn", u"C:\\skins\\out\\pkg.skn"},
        {u"C:\\skins\\blue.xml", u"D:\\pk", u"D:\\pk", u"D:\\pk\\blue.sdf"},
        {u"C:\\skins\\blue.xml", u"D:\\pk\\x.sdf", u"D:\\pk\\x.sdf", u"D:\\pk\\x.sdf"},
        {u"C:\\skins\\blue.xml", u"..", u"..", u"C:\\skins\\..\\blue.sdf"},
        {u"C:\\skins\\blue.xml", u"v1.0\\out", u"", u"C:\\skins\\v1.0\\out\\blue.sdf"},
        {u"C:\\skins\\blue.xml", u"", u".sdf", u"C:\\skins\\blue.sdf"}, // no "." after the first
        {u"C:\\skins\\blue.xml", u"", u"main..sdf", u"C:\\skins\\blue.sdf"}, // ".." is no extension
        {u"C:\\skins\\blue.xml", u"", u"  main.sdf ", u"C:\\skins\\main.sdf"},
        {u"blue.xml", u"", u"", u"\\blue.sdf"}, // no folder at all: the root
        {u"skins\\blue.xml", u"out", u"", u"skins\\out\\blue.sdf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposePackagePath(c.definition, c.folder, c.name), CString(c.expected))
            << CString(c.definition).ToUtf8() << " | " << CString(c.folder).ToUtf8() << " | "
            << CString(c.name).ToUtf8();
}

TEST(BuildSkin, SinglePackageFromEitherForm) {
    for (bool text : {true, false}) {
        TempDir dir;
        SkinDef skin = ButtonSkin();
        dir.WriteFile(u"blue.xml", text ? TextDescription(skin) : RecordDescription(skin));
        WriteResources(dir);
        EXPECT_EQ(Built(dir, u"blue.xml"), "ok: ");
        CString package = dir / u"blue.sdf";
        std::vector<CString> names = PackageEntryNames(package);
        std::sort(names.begin(), names.end());
        // The record form carries no defaults, so only the text form fills ok's image.
        EXPECT_EQ(names,
                  (std::vector<CString>{u".index", u".xml", u"btn.bmp", u"icons\\cancel.ico"}));
        EXPECT_EQ(PackageEntry(package, u".index"), IndexHeaderBytes(u"2.0.0", u"2.0.0"));
        EXPECT_EQ(PackageEntry(package, u"btn.bmp"), dir.ReadFile(u"btn.bmp"));
        SkinDef expected = AsRecordForm(skin);
        if (text) expected.sections[0].components[0].attributes[0].value = u"btn.bmp";
        EXPECT_EQ(PackageSkin(package), expected);
        EXPECT_FALSE(dir.Exists(u"blue.sdf.building"));
    }
}

// Resources are added once and missing ones reported; the output folder is made, and an output
// path naming a file names the package too (a single package reads resources where it is
// built).
TEST(BuildSkin, ResourcesAndOutputPaths) {
    TempDir dir;
    SkinDef skin = ButtonSkin();
    skin.sections[1].components[0].Attr(u"image_filename", u"file", u"missing.bmp");
    skin.sections[1].components[0].Prop(u"again", u"file", u"missing.bmp");
    dir.WriteFile(u"blue.xml", TextDescription(skin));
    WriteResources(dir);
    EXPECT_EQ(Built(dir, u"blue.xml"), "ok: Could not add resource \"missing.bmp\".\n\r");
    EXPECT_EQ(PackageEntryNames(dir / u"blue.sdf").size(), 4u);
    skin = ButtonSkin();
    skin.outputPath = u"out\\deep";
    dir.WriteFile(u"blue.xml", TextDescription(skin));
    WriteResources(dir, u"out\\deep\\");
    EXPECT_EQ(Built(dir, u"blue.xml"), "ok: ");
    EXPECT_EQ(PackageEntryNames(dir / u"out\\deep\\blue.sdf").size(), 4u);
    skin.outputPath = u"pk\\night.skn";
    dir.WriteFile(u"blue.xml", TextDescription(skin));
    EXPECT_EQ(Built(dir, u"blue.xml"),
              "ok: Could not add resource \"btn.bmp\".\n\rCould not add resource "
              "\"icons\\cancel.ico\".\n\r");
    EXPECT_EQ(PackageEntryNames(dir / u"pk\\night.skn").size(), 2u);
}

// One package per section, named after the section or its output, built in the definition's
// folder (where it reads resources) and moved to the output folder, which is made when missing
// and whose earlier packages are replaced.
TEST(BuildSkin, OnePackagePerSectionMovedToTheOutputFolder) {
    TempDir dir;
    SkinDef skin = ButtonSkin();
    skin.separateFiles = true;
    skin.sections[1].output = u"prefs.pkg";
    WriteResources(dir);
    for (const char16_t* output : {u"", u"dist\\new", u"dist\\new"}) {
        skin.outputPath = output;
        dir.WriteFile(u"blue.xml", TextDescription(skin));
        EXPECT_EQ(Built(dir, u"blue.xml"), "ok: ");
        CString folder = CString(output).IsEmpty() ? CString() : CString(output) + u"\\";
        SkinDef main = PackageSkin(dir / (folder + u"main.sdf"));
        SkinDef prefs = PackageSkin(dir / (folder + u"prefs.pkg"));
        ASSERT_EQ(main.sections.size(), 1u);
        EXPECT_EQ(main.sections[0].id, CString(u"main"));
        EXPECT_EQ(main.sections[0].components[0].attributes[0].value, CString(u"btn.bmp"));
        EXPECT_EQ(main.information, skin.information);
        ASSERT_EQ(prefs.sections.size(), 1u);
        EXPECT_EQ(prefs.sections[0].id, CString(u"settings"));
        EXPECT_EQ(PackageEntryNames(dir / (folder + u"prefs.pkg")).size(), 2u);
        EXPECT_FALSE(dir.Exists(folder + u"main.sdf.previous"));
    }
    EXPECT_FALSE(dir.Exists(u"blue.sdf"));
    EXPECT_FALSE(dir.Exists(u"dist\\new\\blue.sdf"));
}

TEST(BuildSkin, NoSectionsToSplitFailsAndAnUnreadableDefinitionGivesAnEmptyPackage) {
    TempDir dir;
    SkinDef skin = SkinDef::Named(u"Empty");
    skin.separateFiles = true;
    dir.WriteFile(u"e.xml", TextDescription(skin));
    EXPECT_EQ(Built(dir, u"e.xml"), "failed: ");
    EXPECT_EQ(Built(dir, u"absent.xml"), "ok: ");
    EXPECT_EQ(PackageSkin(dir / u"absent.sdf"), SkinDef());
}

// Guards the decisions that keep definitions and earlier packages safe: a package path that
// names the definition is refused; packages are written beside their place and moved in only
// when complete, so a failed build leaves the earlier package and nothing of its own.
TEST(BuildSkin, RefusalsKeepTheDefinitionAndTheEarlierPackage) {
    TempDir dir;
    SkinDef skin = ButtonSkin();
    const std::string replace =
        "failed: Could not create skin \"Blue\", the package would replace its definition.\n\r";
    std::vector<BYTE> definition = TextDescription(skin);
    dir.WriteFile(u"blue.sdf", definition);
    EXPECT_EQ(Built(dir, u"blue.sdf"), replace);
    EXPECT_EQ(dir.ReadFile(u"blue.sdf"), definition);
    skin.separateFiles = true;
    skin.sections[1].output = u"BLUE.XML";
    definition = TextDescription(skin);
    dir.WriteFile(u"blue.xml", definition);
    EXPECT_EQ(Built(dir, u"blue.xml"), replace);
    EXPECT_EQ(dir.ReadFile(u"blue.xml"), definition);
    dir.WriteFile(u"blue.xml", TextDescription(ButtonSkin()));
    dir.MakeFolder(u"blue.sdf.building"); // the package cannot be written
    EXPECT_EQ(Built(dir, u"blue.xml"),
              "failed: Could not create skin \"Blue\", the file could not be created.\n\r");
    EXPECT_EQ(dir.ReadFile(u"blue.sdf"), TextDescription(ButtonSkin())); // the earlier package
    tagSKIN records;
    FillSkin(ButtonSkin(), records);
    WriteResources(dir);
    dir.MakeFolder(u"folder.sdf");
    CString messages;
    EXPECT_FALSE(BuildPackage(records, dir / u"folder.sdf", &messages));
    EXPECT_EQ(messages,
              CString(u"Could not create skin \"Blue\", the file could not be created.\n\r"));
    EXPECT_FALSE(dir.Exists(u"folder.sdf.building"));
    EXPECT_FALSE(BuildPackage(records, dir / u"folder.sdf", nullptr)); // no messages wanted
}

TEST(IndexHeader, FixtureBytesWrittenHeaderAndVersionRules) {
    // The fixture other tests compare with, byte by byte: size, first version, second version.
    std::vector<BYTE> h = IndexHeaderBytes(u"2.0.0", u"1.5", 48);
    ASSERT_EQ(h.size(), 48u);
    EXPECT_EQ((std::vector<BYTE>(h.begin(), h.begin() + 16)),
              (std::vector<BYTE>{48, 0, 0, 0, '2', 0, '.', 0, '0', 0, '.', 0, '0', 0, 0, 0}));
    EXPECT_EQ((std::vector<BYTE>(h.begin() + 24, h.begin() + 32)),
              (std::vector<BYTE>{'1', 0, '.', 0, '5', 0, 0, 0}));
    CMemFile file;
    WriteIndexHeader(file);
    EXPECT_EQ(MemBytes(file), IndexHeaderBytes(u"2.0.0", u"2.0.0"));
    BYTE header[48];
    EXPECT_TRUE(ReadIndexHeader(file, header));
    EXPECT_EQ(file.GetPosition(), 48u);
    file.Seek(7, CFile::begin);
    EXPECT_TRUE(ReadIndexHeader(file, nullptr));
    EXPECT_EQ(file.GetPosition(), 48u);

    struct Case {
        const char16_t *first, *second;
        DWORD size;
        bool accepted;
        size_t length = 48;
    } cases[] = {
        {u"2.0.0", u"2.0.0", 48, true},       {u"2.1", u"2.0.0", 48, true},
        {u"2.0.0", u"1.9", 48, true},         {u"2.0.0", u"2.0.1", 48, false},
        {u"10.0", u"2.0.0", 48, false},       {u"1.9.9", u"2.0.0", 48, false},
        {u"2.0.0", u"10.0", 48, true},        {u"2.0.0", u"2.0.0", 44, false},
        {u"2.0.0A", u"2.0.0", 48, true},      {u"2.0.0", u"2.0.0a", 48, false},
        {u"999999999", u"2.0.0", 48, true},   {u"9999999999", u"2.0.0", 48, false}, // unterminated
        {u"2.0.0", u"01234567890", 48, true}, {u"2.0.0", u"012345678901", 48, false},
        {u"2.0.0", u"2.0.0", 48, false, 47}, // a short file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.first).ToUtf8() + " / " + CString(c.second).ToUtf8());
        std::vector<BYTE> bytes = IndexHeaderBytes(c.first, c.second, c.size);
        bytes.resize(c.length);
        LoadMemFile(file, bytes);
        EXPECT_EQ(ReadIndexHeader(file, header), c.accepted) << c.size;
    }
}
