// The Ocean sample skin: its generator draws what the definition names, the package builds,
// and the components carry what the controls read, with the defaults applied.
#include "desc_helpers.h"
#include "skindesc/skinvalues.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string SampleDefinition() {
    return (std::filesystem::path(__FILE__).parent_path() / "../../examples/skins/ocean/ocean.xml")
        .lexically_normal()
        .string();
}

const tagCOMPONENT* Component(const tagSKIN& skin, const CString& section, const CString& id) {
    for (void* s : skin.sections) {
        auto* sec = static_cast<tagSECTION*>(s);
        if (sec->id != section) continue;
        for (void* c : sec->components)
            if (static_cast<tagCOMPONENT*>(c)->id == id) return static_cast<tagCOMPONENT*>(c);
    }
    return nullptr;
}

} // namespace

TEST(SampleSkin, GeneratesBuildsAndReads) {
    TempDir dir;
    ToolRun gen = RunTool("skingen", {SampleDefinition(), dir.HostPath() + "/ocean"});
    ASSERT_EQ(gen.exitCode, 0) << gen.err;
    ToolRun build = RunTool("skinpack", {"build", dir.HostPath() + "/ocean/ocean.xml"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(build.out, "built " + dir.HostPath() + "/ocean/ocean.sdf\n"); // no missing files

    auto xml = PackageEntry(dir / u"ocean\\ocean.sdf", u".xml");
    ASSERT_TRUE(xml.has_value());
    CMemFile file;
    LoadMemFile(file, *xml);
    tagSKIN skin;
    ASSERT_TRUE(ReadDescription(file, skin));
    EXPECT_EQ(skin.information.name, CString(u"Ocean"));

    ASSERT_NE(Component(skin, u"main", u"1"), nullptr);
    ASSERT_NE(Component(skin, u"settings", u"5"), nullptr);
    const tagCOMPONENT* ok = Component(skin, u"main", u"6");
    ASSERT_NE(ok, nullptr);
    CString frames;
    EXPECT_TRUE(GetAttributeString(ok->attributes, u"image_filename", frames));
    EXPECT_EQ(frames, CString(u"button.bmp")); // from the defaults

    // The button strip holds four frames of the same width.
    auto strip = PackageEntry(dir / u"ocean\\ocean.sdf", u"button.bmp");
    ASSERT_TRUE(strip.has_value());
    ASSERT_GT(strip->size(), 26u);
    LONG width = LONG((*strip)[18] | (*strip)[19] << 8 | (*strip)[20] << 16 | (*strip)[21] << 24);
    EXPECT_EQ(width % 4, 0);
}
