#include "repository/skinrepository.h"
#include "skindesc/skinvalues.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A registered component that writes what the repository asks of it into a shared log.
class LoggingComponent : public CSkinInterface {
public:
    LoggingComponent(std::vector<std::string>& log, std::string name)
        : m_log(log), m_name(std::move(name)) {}

protected:
    void Unload() override { m_log.push_back(m_name + ".Unload"); }
    void Update() override { m_log.push_back(m_name + ".Update"); }
    void OnUpdate() override { m_log.push_back(m_name + ".OnUpdate"); }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

SkinDef OneSection(const CString& skinName, const CString& section, const CString& marker) {
    SkinDef skin = SkinDef::Named(skinName);
    skin.Section(section).Component(u"7", u"label", u"static").Attr(u"text", u"string", marker);
    return skin;
}

CString TextOf(const tagCOMPONENT* component) {
    CString value;
    if (component) GetAttributeString(component->attributes, u"text", value);
    return value;
}

class RepositoryLoadingTest : public ::testing::Test {
protected:
    void Register(std::initializer_list<LoggingComponent*> components) {
        for (LoggingComponent* c : components)
            repository.AddComponent(c);
    }
    void SetUp() override { ASSERT_TRUE(repository.SetSkinsFolder(dir.Path())); }
    CString Marker(const CString& section, UINT id = 7) {
        return TextOf(repository.GetComponent(section, id));
    }

    TempDir dir;
    // Declared before the repository, so that they outlive it.
    std::vector<std::string> log;
    LoggingComponent a{log, "a"}, b{log, "b"}, late{log, "late"};
    CSkinRepository repository;
};

TEST_F(RepositoryLoadingTest, InformationOfPackageAndFolderSkins) {
    SkinDef blue = SkinDef::Named(u"Blue");
    blue.information.author = u"Ada";
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", blue));
    dir.MakeFolder(u"Night");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\b.skn", SkinDef::Named(u"Night B")));
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\a.skn", SkinDef::Named(u"Night A")));

    tagSKININFORMATION info;
    ASSERT_TRUE(repository.GetSkinInformation(u"Blue.skn", info));
    EXPECT_EQ(info.name, CString(u"Blue"));
    EXPECT_EQ(info.author, CString(u"Ada"));
    // A folder skin reads the first package the platform enumerates.
    ASSERT_TRUE(repository.GetSkinInformation(u"Night?skn", info));
    EXPECT_EQ(info.name, CString(u"Night A"));
    // "Night" has no "?" and is no file; packages without a description, files that are no
    // packages, folders without packages.
    ASSERT_TRUE(
        WritePackage(dir / u"NoXml.skn", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.0")}}));
    dir.WriteFile(u"Plain.skn", std::string("not an archive"));
    dir.MakeFolder(u"Hollow");
    for (LPCWSTR name : {u"Night", u"", u"Missing.skn", u"NoXml.skn", u"Plain.skn", u"Hollow?skn"})
        EXPECT_FALSE(repository.GetSkinInformation(name, info)) << CString(name).ToUtf8();
    // Nothing of the repository changed.
    EXPECT_EQ(repository.GetCurrentSkinName(), CString());
}

TEST_F(RepositoryLoadingTest, RefusedNamesChangeNothing) {
    ASSERT_TRUE(WriteSkinPackage(dir / u"blue.skn", OneSection(u"Blue", u"main", u"blue")));
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn")); // file names ignore letter case
    EXPECT_FALSE(repository.LoadSkin(u""));
    EXPECT_FALSE(repository.LoadSkin(u"Missing.skn"));
    EXPECT_FALSE(repository.LoadSkin(u"Missing?skn"));
    EXPECT_EQ(repository.GetCurrentSkinName(), CString(u"Blue.skn"));
    EXPECT_EQ(Marker(u"main"), CString(u"blue"));

    CSkinRepository noFolder;
    EXPECT_FALSE(noFolder.LoadSkin(u"Blue.skn"));
}

TEST_F(RepositoryLoadingTest, FolderSkinTakesEachSectionFromTheFirstPackage) {
    SkinDef a = OneSection(u"A", u"main", u"from a");
    a.Section(u"extra").Component(u"7", u"x", u"static").Attr(u"text", u"string", u"extra a");
    dir.MakeFolder(u"Night");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\a.skn", a, {{u"shared.txt", {'a'}}}));
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\b.skn", OneSection(u"B", u"MAIN", u"from b"),
                                 {{u"shared.txt", {'b'}}}));
    ASSERT_TRUE(WriteSkinPackage(dir / u"Night\\c.skn", OneSection(u"C", u"other", u"from c")));
    ASSERT_TRUE(repository.LoadSkin(u"Night?skn"));
    EXPECT_EQ(repository.GetCurrentSkinName(), CString(u"Night?skn"));
    EXPECT_EQ(Marker(u"main"), CString(u"from a"));
    EXPECT_EQ(Marker(u"Main"), CString(u"from a")); // section names ignore letter case
    EXPECT_EQ(Marker(u"other"), CString(u"from c"));
    EXPECT_EQ(Marker(u"extra"), CString(u"extra a"));
    // The section's files come from the package that supplied the section.
    CMemFile shared;
    ASSERT_TRUE(repository.GetFile(u"main", u"shared.txt", shared));
    EXPECT_EQ(MemBytes(shared), std::vector<BYTE>{'a'});
    EXPECT_FALSE(repository.GetFile(u"MAIN", u"shared.txt", shared)); // b's "MAIN" was not merged
    // A name with several "?" splits at the last.
    dir.MakeFolder(u"odd?dir");
    ASSERT_TRUE(WriteSkinPackage(dir / u"odd?dir\\p.skn", OneSection(u"P", u"main", u"odd")));
    ASSERT_TRUE(repository.LoadSkin(u"odd?dir?skn"));
    EXPECT_EQ(Marker(u"main"), CString(u"odd"));
}

TEST_F(RepositoryLoadingTest, ExtraPackagesAreMergedAfterTheSkin) {
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", OneSection(u"Blue", u"main", u"blue")));
    TempDir elsewhere;
    SkinDef extra = OneSection(u"Extra", u"main", u"ignored");
    extra.Section(u"tools").Component(u"7", u"t", u"static").Attr(u"text", u"string", u"tools");
    ASSERT_TRUE(WriteSkinPackage(elsewhere / u"extra.pkg", extra));
    CStringList extras;
    extras.AddTail(elsewhere / u"extra.pkg");
    extras.AddTail(elsewhere / u"missing.pkg");
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn", &extras, true, false));
    EXPECT_EQ(Marker(u"main"), CString(u"blue"));
    EXPECT_EQ(Marker(u"tools"), CString(u"tools"));
}

// The version rules themselves are tested with ReadIndexHeader; here: LoadSkin applies them,
// and a skin whose packages all fail still becomes current and updates its components.
TEST_F(RepositoryLoadingTest, PackagesWithARefusedOrMissingIndexHeaderAddNothing) {
    struct Case {
        std::vector<BYTE> header; // none when empty
        bool accepted;
    } cases[] = {
        {IndexHeaderBytes(u"2.0.0", u"2.0.0"), true},
        {IndexHeaderBytes(u"2.0.0", u"2.0.1"), false},
        {{}, false},
    };
    Register({&a});
    int n = 0;
    for (const Case& c : cases) {
        CString name;
        name.Format(u"s%d.skn", n++);
        PackageEntries entries = {{u".xml", RecordDescription(OneSection(u"S", u"main", u"in"))}};
        if (!c.header.empty()) entries.insert(entries.begin(), {u".index", c.header});
        ASSERT_TRUE(WritePackage(dir / name, entries));
        log.clear();
        ASSERT_TRUE(repository.LoadSkin(name));
        EXPECT_EQ(repository.GetCurrentSkinName(), name);
        EXPECT_EQ(Marker(u"main"), c.accepted ? CString(u"in") : CString()) << name.ToUtf8();
        EXPECT_EQ(log, (std::vector<std::string>{"a.Update", "a.OnUpdate"}));
    }
    dir.WriteFile(u"Broken.skn", std::string("garbage")); // no archive at all
    log.clear();
    ASSERT_TRUE(repository.LoadSkin(u"Broken.skn"));
    EXPECT_EQ(repository.GetCurrentSkinName(), CString(u"Broken.skn"));
    EXPECT_EQ(Marker(u"main"), CString());
    EXPECT_EQ(log, (std::vector<std::string>{"a.Update", "a.OnUpdate"}));
}

TEST_F(RepositoryLoadingTest, APartlyReadDescriptionContributesWhatWasRead) {
    // A bogus record after a whole section, then a section that is never reached.
    std::vector<BYTE> description = RecordDescription(OneSection(u"Part", u"main", u"kept"));
    std::vector<BYTE> rest = RecordStream({u"BOGUS", u"SECTION", u"lost"});
    description.insert(description.end(), rest.begin() + 2, rest.end()); // without its mark
    ASSERT_TRUE(WritePackage(dir / u"part.skn", {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.0")},
                                                 {u".xml", description}}));
    ASSERT_TRUE(repository.LoadSkin(u"part.skn"));
    EXPECT_EQ(Marker(u"main"), CString(u"kept"));
    EXPECT_EQ(repository.GetComponent(u"lost", 7), nullptr);
}

TEST_F(RepositoryLoadingTest, LoadingAgainWithoutUnloadingKeepsSectionsAndStillUpdates) {
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", OneSection(u"Blue", u"main", u"first")));
    Register({&a});
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn"));
    const tagCOMPONENT* before = repository.GetComponent(u"main", 7);
    // The package changes on disk, but it was merged already and is skipped.
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", OneSection(u"Blue", u"main", u"second")));
    log.clear();
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn", nullptr, false, false));
    EXPECT_EQ(repository.GetComponent(u"main", 7), before);
    EXPECT_EQ(Marker(u"main"), CString(u"first"));
    EXPECT_EQ(log, (std::vector<std::string>{"a.Update", "a.OnUpdate"}));
    // Unloading first reads every package again.
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn", nullptr, true, false));
    EXPECT_EQ(Marker(u"main"), CString(u"second"));
}

TEST_F(RepositoryLoadingTest, UpdatePassThenOnUpdatePassInRegistrationOrder) {
    ASSERT_TRUE(WriteSkinPackage(dir / u"Blue.skn", OneSection(u"Blue", u"main", u"blue")));
    Register({&a, &b, &a});
    EXPECT_TRUE(log.empty()); // no skin yet: registering only
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn"));
    EXPECT_EQ(log, (std::vector<std::string>{"a.Update", "b.Update", "a.Update", "a.OnUpdate",
                                             "b.OnUpdate", "a.OnUpdate"}));
    // With a skin current, registering updates once, without OnUpdate.
    log.clear();
    Register({&late});
    EXPECT_EQ(log, (std::vector<std::string>{"late.Update"}));
    // Each registration is removed separately.
    EXPECT_TRUE(repository.RemoveComponent(&a));
    EXPECT_TRUE(repository.RemoveComponent(&a));
    EXPECT_FALSE(repository.RemoveComponent(&a));
    log.clear();
    ASSERT_TRUE(repository.LoadSkin(u"Blue.skn"));
    EXPECT_EQ(log,
              (std::vector<std::string>{"b.Update", "late.Update", "b.OnUpdate", "late.OnUpdate"}));
}

TEST_F(RepositoryLoadingTest, ComponentIdentifiersReadAsDecimalNumbers) {
    SkinDef skin = SkinDef::Named(u"Ids");
    SectionDef& main = skin.Section(u"main");
    const char16_t* ids[] = {u"abc", u"07", u" 9", u"12a", u"-1", u"7"};
    for (const char16_t* id : ids)
        main.Component(id, u"c", u"static").Attr(u"text", u"string", id);
    ASSERT_TRUE(WriteSkinPackage(dir / u"Ids.skn", skin));
    ASSERT_TRUE(repository.LoadSkin(u"Ids.skn"));
    EXPECT_EQ(Marker(u"main", 7), CString(u"07")); // the first match wins
    EXPECT_EQ(Marker(u"main", 9), CString(u" 9"));
    EXPECT_EQ(Marker(u"main", 12), CString(u"12a"));
    EXPECT_EQ(Marker(u"main", 0xFFFFFFFFu), CString(u"-1"));
    EXPECT_EQ(repository.GetComponent(u"main", 0), nullptr); // "abc" reads 0, which is refused
    EXPECT_EQ(repository.GetComponent(u"", 7), nullptr);
    EXPECT_EQ(repository.GetComponent(u"absent", 7), nullptr);
    EXPECT_EQ(repository.GetComponent(u"main", 8), nullptr);
}

TEST_F(RepositoryLoadingTest, ComponentStringShowsTheComponentAsText) {
    SkinDef skin = SkinDef::Named(u"Text");
    skin.Section(u"main")
        .Component(u"3", u"ok", u"button")
        .Attr(u"caption", u"string", u"Say \"hi\"")
        .Prop(u"speed", u"numeric", u"4");
    ASSERT_TRUE(WriteSkinPackage(dir / u"Text.skn", skin));
    ASSERT_TRUE(repository.LoadSkin(u"Text.skn"));
    CString text = repository.GetComponentString(u"main", 3);
    EXPECT_NE(text.Find(u"<component id=\"3\" name=\"ok\" type=\"button\">"), -1);
    EXPECT_NE(text.Find(u"value=\"Say \"\"hi\"\"\""), -1);
    EXPECT_NE(text.Find(u"<property id=\"speed\" type=\"numeric\" value=\"4\"/>"), -1);
    EXPECT_EQ(repository.GetComponentString(u"main", 4), CString());
}

// Components built elsewhere call the interface by slot: Unload, Update and OnUpdate are the
// first three, in that order. A virtual member's pointer holds 1 + its slot's byte offset here.
TEST(SkinInterfaceTest, OperationsTakeTheFirstThreeSlots) {
    struct Slots : CSkinInterface {
        static size_t Of(void (CSkinInterface::*operation)()) {
            uintptr_t bits = 0;
            std::memcpy(&bits, &operation, sizeof bits);
            return (bits - 1) / sizeof(void*);
        }
        static std::vector<size_t> All() {
            return {Of(&Slots::Unload), Of(&Slots::Update), Of(&Slots::OnUpdate)};
        }
    };
    EXPECT_EQ(Slots::All(), (std::vector<size_t>{0, 1, 2}));
}

TEST(RepositoryDestructionTest, UnloadsRegisteredComponentsInOrderAndUnpublishes) {
    std::vector<std::string> log;
    LoggingComponent a(log, "a"), b(log, "b");
    EXPECT_EQ(CSkinRepository::GetSkinRepository(), nullptr);
    {
        CSkinRepository repository;
        EXPECT_EQ(CSkinRepository::GetSkinRepository(), &repository);
        repository.AddComponent(&a);
        repository.AddComponent(&b);
        repository.AddComponent(&a);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"a.Unload", "b.Unload", "a.Unload"}));
    EXPECT_EQ(CSkinRepository::GetSkinRepository(), nullptr);
}

} // namespace
