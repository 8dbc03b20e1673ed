// Descriptions for the description fuzz target: a skin with information, defaults, output, two
// sections and escaped values, in the text form and in the record form, plus the smallest of
// each.

#include "seeds.h"

#include "skindesc/descwriter.h"

#include <string>
#include <vector>

namespace {

tagATTRIBUTE* Attribute(LPCWSTR id, LPCWSTR type, LPCWSTR value) {
    return new tagATTRIBUTE{id, u"", type, value, u"a \"described\" <value>"};
}

void FillSkin(tagSKIN& skin) {
    skin.name = u"Seed";
    skin.information = {u"Seed", u"1.0", u"fuzz seed", u"skinkit", u"e@example.org", u"w"};
    skin.outputPath = u"out";
    skin.defaults = new tagSECTION{u"<defaults>", u"", CPtrList()};
    auto* d = new tagCOMPONENT{u"0", u"", u"button", CPtrList(), CPtrList()};
    d->attributes.AddTail(Attribute(u"font_size", u"numeric", u"12"));
    skin.defaults->components.AddTail(d);
    for (LPCWSTR id : {u"main", u"settings"}) {
        auto* section = new tagSECTION{id, u"", CPtrList()};
        auto* c = new tagCOMPONENT{u"1", u"ok", u"button", CPtrList(), CPtrList()};
        c->attributes.AddTail(Attribute(u"font_size", u"numeric", u""));
        c->attributes.AddTail(Attribute(u"position", u"rect", u"1, 2, 30, 40"));
        c->attributes.AddTail(Attribute(u"text", u"string", u"<<a>> \"b\""));
        c->properties.AddTail(new tagPROPERTY{u"icon", u"file", u"i.bmp"});
        section->components.AddTail(c);
        skin.sections.AddTail(section);
    }
}

std::vector<unsigned char> Written(const tagSKIN& skin, bool text) {
    CMemFile file(1024);
    WriteDescription(skin, file, text, true, nullptr);
    return std::vector<unsigned char>(file.GetData(), file.GetData() + file.GetLength());
}

void WriteDescriptionSeeds(const std::string& folder) {
    tagSKIN skin, empty;
    FillSkin(skin);
    WriteSeed(folder, "text.xml", Written(skin, true));
    WriteSeed(folder, "record.xml", Written(skin, false));
    WriteSeed(folder, "empty-text.xml", Written(empty, true));
    WriteSeed(folder, "empty-record.xml", Written(empty, false));
}

} // namespace

REGISTER_SEEDS(description, WriteDescriptionSeeds);
