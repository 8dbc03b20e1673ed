// skinpack check --map: a skin against the controls an application binds to its components,
// one broken skin a row, every message with the line of the definition it points at.
#include "support/press_fixture.h"
#include "support/run_tool.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kMap = "main 1 window\nmain 2 button\nmain 3 image\n";

// A window, a four-frame button and a three-frame image: clean for kMap.
SkinDef CleanSkin() {
    SkinDef skin = SkinDef::Named(u"Mapped");
    skin.Section(u"main");
    Control(skin, u"1", u"window", "visible=true;position=0,0,240,320");
    Control(skin, u"2", u"button", "image_filename=b.bmp;font_name=DejaVu Sans;position=10,10");
    Control(skin, u"3", u"image", "image_filename=m.bmp;image_count=3");
    return skin;
}

// The line of the nth occurrence of needle in text.
int LineOf(const std::u16string& text, const std::u16string& needle, int nth = 1) {
    size_t at = text.npos;
    for (int i = 0; i < nth; ++i)
        at = text.find(needle, at == text.npos ? 0 : at + 1);
    return at == text.npos ? 0 : 1 + int(std::count(text.begin(), text.begin() + long(at), u'\n'));
}

std::string At(int line) {
    return "mapped.xml:" + std::to_string(line) + ": ";
}

TEST(SkinpackMapCheckTest, ReportsEachProblemWithItsLine) {
    const std::string c2 = "section 'main', component '2'";
    const struct {
        const char* what;
        std::function<void(SkinDef&)> change;
        const char* map;
        int bitmapWidth;
        // Expected lines, given the description's text.
        std::function<std::string(const std::u16string&)> expected;
    } cases[] = {
        {"clean", [](SkinDef&) {}, kMap, 120,
         [](const std::u16string&) { return std::string("mapped.xml: no problems found\n"); }},
        {"missing component", [](SkinDef&) {},
         "main 1 window\nmain 2 button\nmain 3 image\n"
         "main 4 static\n",
         120,
         [](const std::u16string&) {
             return std::string("mapped.xml: section 'main' has no component 4, which the "
                                "application makes a static (t.map:4)\n");
         }},
        {"unread attribute",
         [](SkinDef& s) { s.sections[0].components[1].Attr(u"font_sise", u"numeric", u"9"); }, kMap,
         120,
         [&](const std::u16string& t) {
             return At(LineOf(t, u"font_sise")) + c2 +
                    ", attribute 'font_sise': a button does not read it\n";
         }},
        {"wrong type",
         [](SkinDef& s) {
             s.sections[0].components[1].attributes[2].type = u"rect";
             s.sections[0].components[1].attributes[2].value = u"10,10,40,30";
         },
         kMap, 120,
         [&](const std::u16string& t) {
             return At(LineOf(t, u"\"position\"", 2)) + c2 +
                    ", attribute 'position': type 'rect', but a button reads a point\n";
         }},
        {"value not of its type",
         [](SkinDef& s) { s.sections[0].components[0].attributes[0].value = u"yes"; }, kMap, 120,
         [](const std::u16string& t) {
             return At(LineOf(t, u"\"visible\"")) +
                    "section 'main', component '1', attribute 'visible': value 'yes' is not "
                    "true or false (type 'bool')\n";
         }},
        {"strip width", [](SkinDef&) {}, kMap, 121,
         [&](const std::u16string& t) {
             return At(LineOf(t, u"b.bmp")) + c2 +
                    ", attribute 'image_filename': 'b.bmp' is 121 pixels wide, which does not "
                    "divide into 4 frames\n";
         }},
        {"frame count", [](SkinDef& s) { s.sections[0].components[2].attributes[1].value = u"4"; },
         kMap, 120,
         [](const std::u16string& t) {
             return At(LineOf(t, u"m.bmp")) +
                    "section 'main', component '3', attribute 'image_filename': 'm.bmp' is 90 "
                    "pixels wide, which does not divide into 4 frames\n";
         }},
        {"font",
         [](SkinDef& s) { s.sections[0].components[1].attributes[1].value = u"Nosuchface Sans"; },
         kMap, 120,
         [&](const std::u16string& t) {
             return At(LineOf(t, u"Nosuchface")) + c2 +
                    ", attribute 'font_name': no font 'Nosuchface Sans' on this system "
                    "(fontconfig offers a substitute)\n";
         }},
        {"id twice", [](SkinDef& s) { s.sections[0].Component(u"2", u"again", u"static"); }, kMap,
         120,
         [&](const std::u16string& t) {
             return At(LineOf(t, u"<component id=\"2\"", 2)) + c2 +
                    " is given twice (first on line " +
                    std::to_string(LineOf(t, u"<component id=\"2\"")) +
                    "); only the first is ever found\n";
         }},
    };
    for (const auto& c : cases) {
        TempDir dir;
        SkinDef skin = CleanSkin();
        c.change(skin);
        dir.WriteFile(u"mapped.xml", TextDescription(skin));
        dir.WriteFile(u"t.map", std::string(c.map));
        dir.WriteFile(u"b.bmp", BmpBytes(c.bitmapWidth, 20, 24, RGB(1, 2, 3)));
        dir.WriteFile(u"m.bmp", BmpBytes(90, 10, 8, RGB(4, 5, 6)));
        ToolRun run =
            RunTool("skinpack", {"check", "--map", "t.map", "mapped.xml"}, dir.HostPath());
        std::string expected = c.expected(TextDescriptionText(skin));
        EXPECT_EQ(run.out, expected) << c.what << "\n" << run.err;
        EXPECT_EQ(run.exitCode, c.what == std::string("clean") ? 0 : 1) << c.what;
    }
}

} // namespace
