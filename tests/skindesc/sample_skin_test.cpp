// The Ocean sample skin: its generator draws what the definition names, the package builds,
// and the components carry what the controls read, with the defaults applied.
#include "desc_helpers.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string SampleDefinition() {
    return (std::filesystem::path(__FILE__).parent_path() / "../../examples/skins/ocean/ocean.xml")
        .lexically_normal()
        .string();
}

} // namespace

TEST(SampleSkin, GeneratesBuildsAndReads) {
    TempDir dir;
    ToolRun gen = RunTool("skingen", {SampleDefinition(), dir.HostPath() + "/ocean"});
    ASSERT_EQ(gen.exitCode, 0) << gen.err;
    ToolRun build = RunTool("skinpack", {"build", dir.HostPath() + "/ocean/ocean.xml"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(build.out, "built " + dir.HostPath() + "/ocean/ocean.sdf\n"); // no missing files

    SkinDef skin = Load(PackageEntry(dir / u"ocean\\ocean.sdf", u".xml").value_or(Bytes()));
    EXPECT_EQ(skin.information.name, CString(u"Ocean"));
    // The settings button takes its frames from the defaults.
    EXPECT_NE(Outline(skin).find("6/settings visible=true image_filename=button.bmp"),
              std::string::npos);

    // The button strip holds four frames of the same width.
    auto strip = PackageEntry(dir / u"ocean\\ocean.sdf", u"button.bmp");
    ASSERT_TRUE(strip.has_value());
    ASSERT_GT(strip->size(), 26u);
    LONG width = LONG((*strip)[18] | (*strip)[19] << 8 | (*strip)[20] << 16 | (*strip)[21] << 24);
    EXPECT_EQ(width % 4, 0);
}
