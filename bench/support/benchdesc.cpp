#include "support/benchdesc.h"

#include "skindesc/descwriter.h"
#include "skindesc/skindescription.h"

#include <string>

namespace {

std::u16string Number(int n) {
    std::u16string digits;
    for (char c : std::to_string(n))
        digits += char16_t(c);
    return digits;
}

std::u16string Attribute(int component, int a) {
    static const char16_t* const kTypes[] = {u"bool",   u"numeric", u"rect",  u"color",
                                             u"string", u"file",    u"point", u"choice:a|b"};
    std::u16string n = Number(a), c = Number(component);
    return u"            <attribute id=\"attr_" + n + u"\" name=\"Attribute " + n + u"\" type=\"" +
           kTypes[a % 8] + u"\" value=\"" + c + u"," + n + u",120,40" + u"\" description=\"Value " +
           n + u" of component " + c + u"\"/>\r\n";
}

} // namespace

std::vector<BYTE> BenchTextDescription(const BenchDescriptionShape& shape) {
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"ASCII\"?>\r\n<newvexskin>\r\n"
                          u"    <information name=\"Bench\" version=\"1.0\" description=\"\" "
                          u"author=\"\" email=\"\" webpage=\"\"/>\r\n"
                          u"    <output path=\"\" separatefiles=\"false\"/>\r\n";
    for (int s = 0; s < shape.sections; ++s) {
        text += u"    <section id=\"section" + Number(s) + u"\" output=\"\">\r\n";
        for (int c = 0; c < shape.componentsPerSection; ++c) {
            text += u"        <component id=\"" + Number(c + 1) + u"\" name=\"component " +
                    Number(c) + u"\" type=\"button\">\r\n";
            for (int a = 0; a < shape.attributes; ++a)
                text += Attribute(c, a);
            text += u"        </component>\r\n";
        }
        text += u"    </section>\r\n";
    }
    text += u"</newvexskin>";
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (char16_t ch : text)
        bytes.insert(bytes.end(), {BYTE(ch), BYTE(ch >> 8)});
    return bytes;
}

std::vector<BYTE> BenchRecordDescription(const std::vector<BYTE>& text) {
    CMemFile in(1024), out(1024);
    in.Write(text.data(), UINT(text.size()));
    tagSKIN skin;
    ReadDescription(in, skin);
    WriteDescription(skin, out, false, false, nullptr);
    return std::vector<BYTE>(out.GetData(), out.GetData() + out.GetLength());
}
