// The screen map: what a line says, and every line it cannot take named with its number.
#include "screenmap/screenmap.h"

#include <gtest/gtest.h>

namespace {

const char* const kGood = "# the player\n"
                          "main 1 window\n"
                          "\n"
                          "main 3 static \"Harbour \\\"Lights\\\"\\n3:42\"  # a caption\n"
                          "Main 4 radio group=mode caption=\"In order\"\n"
                          "main 5 scrolllist bar=6 items=\"One|Two words|\"\n"
                          "main 6 scrollbar\n"
                          "main 7 droptree popup=208x180\n";

TEST(ScreenMap, ReadsEveryOption) {
    CScreenMap map;
    std::vector<std::string> errors;
    ASSERT_TRUE(map.Parse(kGood, "screens.map", errors)) << errors.front();
    ASSERT_EQ(map.Entries().size(), 6u);
    const MapEntry* caption = map.Find(u"MAIN", 3);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->caption, CString(u"Harbour \"Lights\"\\n3:42")); // \n stays for the static
    EXPECT_EQ(caption->line, 4);
    EXPECT_EQ(map.Find(u"main", 4)->group, CString(u"mode"));
    EXPECT_EQ(map.Find(u"main", 4)->caption, CString(u"In order"));
    EXPECT_EQ(map.Find(u"main", 5)->items, (std::vector<CString>{u"One", u"Two words", u""}));
    EXPECT_TRUE(map.IsOwnedBar(u"main", 6));
    EXPECT_FALSE(map.IsOwnedBar(u"main", 5));
    EXPECT_EQ(map.Find(u"main", 7)->popup.cx, 208);
    EXPECT_EQ(map.Sections().size(), 1u); // "Main" is "main"
    EXPECT_EQ(map.Window(u"main")->id, 1u);
}

TEST(ScreenMap, ReportsBadLinesWithTheirNumbers) {
    const struct {
        const char* text;
        std::vector<std::string> errors;
    } cases[] = {
        {"main 1 window\nmain 2 slidr\n", {"m.map:2: unknown control type \"slidr\""}},
        {"main 1 window\nmain two button\n",
         {"m.map:2: component id \"two\" is not a number from 1 to 65535"}},
        {"main 1 window\nmain 0 button\n",
         {"m.map:2: component id \"0\" is not a number from 1 to 65535"}},
        {"main 1 window\nmain 2\n", {"m.map:2: expected SECTION ID TYPE"}},
        {"main 1 window\n\nmain 2 static \"open\n", {"m.map:3: a quote does not close"}},
        {"main 1 window\nmain 2 button group=a\n",
         {"m.map:2: option \"group\" means nothing to a button"}},
        {"main 1 window\nmain 2 droptree popup=20\n",
         {"m.map:2: popup \"20\" is not WIDTHxHEIGHT"}},
        {"main 1 window\nmain 2 button\nmain 2 static\n",
         {"m.map:3: component main 2 is listed twice"}},
        {"main 1 window\nmain 2 scrolllist bar=3\nmain 3 button\n",
         {"m.map:2: a scrolllist needs bar=ID naming a scrollbar of main"}},
        {"main 2 button\n", {"m.map: section main has no window"}},
        // Every bad line is reported, not only the first.
        {"main 1 window\nmain 2 knob\nmain 3 button size=2\n",
         {"m.map:2: unknown control type \"knob\"",
          "m.map:3: option \"size\" means nothing to a button"}},
    };
    for (const auto& c : cases) {
        CScreenMap map;
        std::vector<std::string> errors;
        EXPECT_FALSE(map.Parse(c.text, "m.map", errors)) << c.text;
        EXPECT_EQ(errors, c.errors) << c.text;
        EXPECT_TRUE(map.Entries().empty()) << c.text;
    }
}

} // namespace
