#include "support/skin_builder.h"

ComponentDef& ComponentDef::Attr(const CString& id, const CString& type, const CString& value,
                                 const CString& name, const CString& description) {
    attributes.push_back({id, name, type, value, description});
    return *this;
}

ComponentDef& ComponentDef::Prop(const CString& id, const CString& type, const CString& value) {
    properties.push_back({id, type, value});
    return *this;
}

ComponentDef& SectionDef::Component(const CString& id, const CString& name, const CString& type) {
    components.push_back({id, name, type, {}, {}});
    return components.back();
}

SkinDef SkinDef::Named(const CString& name) {
    SkinDef skin;
    skin.name = name;
    skin.information.name = name;
    skin.information.version = u"1.0";
    return skin;
}

SectionDef& SkinDef::Section(const CString& id, const CString& output) {
    sections.push_back({id, output, {}});
    return sections.back();
}

SectionDef& SkinDef::Defaults() {
    if (!defaults) defaults = SectionDef{kDefaultsSectionId, CString(), {}};
    return *defaults;
}

// --- description bytes ----------------------------------------------------------------------

std::vector<BYTE> Utf16Bytes(std::u16string_view text, bool withMark) {
    std::vector<BYTE> bytes;
    if (withMark) bytes = {0xFF, 0xFE};
    for (char16_t ch : text)
        bytes += U16(ch);
    return bytes;
}

namespace {

// Escapes and quotes a value the way the text form reads it back.
std::u16string QuotedValue(const CString& value) {
    std::u16string out = u"\"";
    for (char16_t ch : value.View()) {
        out += ch;
        if (ch == u'"' || ch == u'<' || ch == u'>') out += ch;
    }
    return out + u"\"";
}

std::u16string Pairs(std::initializer_list<std::pair<const char16_t*, CString>> pairs) {
    std::u16string out;
    for (const auto& [name, value] : pairs)
        out += u" " + std::u16string(name) + u"=" + QuotedValue(value);
    return out;
}

void AppendComponents(std::u16string& out, const SectionDef& section) {
    for (const ComponentDef& c : section.components) {
        out += u"        <component" +
               Pairs({{u"id", c.id}, {u"name", c.name}, {u"type", c.type}}) + u">\r\n";
        for (const AttributeDef& a : c.attributes)
            out += u"            <attribute" +
                   Pairs({{u"id", a.id},
                          {u"name", a.name},
                          {u"type", a.type},
                          {u"value", a.value},
                          {u"description", a.description}}) +
                   u"/>\r\n";
        for (const PropertyDef& p : c.properties)
            out += u"            <property" +
                   Pairs({{u"id", p.id}, {u"type", p.type}, {u"value", p.value}}) + u"/>\r\n";
        out += u"        </component>\r\n";
    }
}

} // namespace

std::u16string TextDescriptionText(const SkinDef& skin) {
    const InformationDef& i = skin.information;
    std::u16string out = u"<?xml version=\"1.0\" encoding=\"ASCII\"?>\r\n<newvexskin>\r\n";
    out += u"    <information" +
           Pairs({{u"name", i.name},
                  {u"version", i.version},
                  {u"description", i.description},
                  {u"author", i.author},
                  {u"email", i.email},
                  {u"webpage", i.webpage}}) +
           u"/>\r\n";
    out += u"    <output" +
           Pairs({{u"path", skin.outputPath},
                  {u"separatefiles", skin.separateFiles ? u"true" : u"false"}}) +
           u"/>\r\n";
    if (skin.defaults) {
        out += u"    <defaults>\r\n";
        AppendComponents(out, *skin.defaults);
        out += u"    </defaults>\r\n";
    }
    for (const SectionDef& s : skin.sections) {
        out += u"    <section" + Pairs({{u"id", s.id}, {u"output", s.output}}) + u">\r\n";
        AppendComponents(out, s);
        out += u"    </section>\r\n";
    }
    return out + u"</newvexskin>";
}

std::vector<BYTE> TextDescription(const SkinDef& skin) {
    return Utf16Bytes(TextDescriptionText(skin));
}

std::vector<BYTE> RecordStream(const std::vector<std::u16string>& strings) {
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    for (const std::u16string& s : strings)
        bytes += U32(DWORD(s.size())) + Utf16Bytes(s, false);
    return bytes;
}

std::vector<BYTE> RecordDescription(const SkinDef& skin) {
    const InformationDef& i = skin.information;
    std::vector<std::u16string> s = {u"SKIN",        skin.name.Str(), u"SKININFORMATION",
                                     i.name.Str(),   i.version.Str(), i.description.Str(),
                                     i.author.Str(), i.email.Str(),   i.webpage.Str()};
    for (const SectionDef& section : skin.sections) {
        s.insert(s.end(), {u"SECTION", section.id.Str()});
        for (const ComponentDef& c : section.components) {
            s.insert(s.end(), {u"COMPONENT", c.id.Str(), c.name.Str(), c.type.Str()});
            for (const AttributeDef& a : c.attributes)
                s.insert(s.end(),
                         {u"ATTRIBUTE", a.id.Str(), a.name.Str(), a.type.Str(), a.value.Str()});
            for (const PropertyDef& p : c.properties)
                s.insert(s.end(), {u"PROPERTY", p.id.Str(), p.type.Str(), p.value.Str()});
        }
    }
    return RecordStream(s);
}

// --- printing: in the text form, which shows every field -----------------------------------

void PrintTo(const CString& text, std::ostream* os) {
    *os << '"' << text.ToUtf8() << '"';
}

void PrintTo(const SkinDef& skin, std::ostream* os) {
    *os << "skin \"" << skin.name.ToUtf8() << "\"\n" << CString(TextDescriptionText(skin)).ToUtf8();
}

void PrintTo(const SectionDef& section, std::ostream* os) {
    std::u16string out =
        u"<section" + Pairs({{u"id", section.id}, {u"output", section.output}}) + u">\r\n";
    AppendComponents(out, section);
    *os << CString(out).ToUtf8();
}

void PrintTo(const ComponentDef& component, std::ostream* os) {
    std::u16string out;
    AppendComponents(out, SectionDef{CString(), CString(), {component}});
    *os << CString(out).ToUtf8();
}

// --- index headers, bitmaps, packages --------------------------------------------------------

std::vector<BYTE> IndexHeaderBytes(std::u16string_view first, std::u16string_view second,
                                   DWORD size) {
    std::vector<BYTE> bytes = U32(size);
    for (auto [text, slot] : {std::pair{first, 20u}, std::pair{second, 24u}}) {
        std::vector<BYTE> field = Utf16Bytes(text.substr(0, slot / 2), false);
        field.resize(slot, 0);
        bytes += field;
    }
    return bytes;
}
