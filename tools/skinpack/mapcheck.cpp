#include "mapcheck.h"

#include "console.h"
#include "screenmap/controlattributes.h"
#include "skindesc/descwriter.h"
#include "skindesc/skinvalues.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <regex>
#include <set>

namespace {

std::u16string Decode(const std::vector<uint8_t>& b) {
    std::u16string text;
    bool utf16 = b.size() >= 2 && (b[0] == 0xFF && b[1] == 0xFE);
    // Text-form descriptions without a mark are UTF-16LE too: '<' then a zero byte.
    utf16 = utf16 || (b.size() >= 2 && b[0] == '<' && b[1] == 0);
    if (utf16) {
        for (size_t i = (b[0] == 0xFF ? 2 : 0); i + 1 < b.size(); i += 2)
            text.push_back(char16_t(b[i] | (b[i + 1] << 8)));
        return text;
    }
    return CString::FromUtf8(std::string(b.begin(), b.end())).Str();
}

bool StartsAt(const std::u16string& text, size_t at, std::u16string_view word) {
    return text.compare(at, word.size(), word) == 0;
}

// The value's form for its declared type, as the readers take it; "" when it has that form.
std::string FormProblem(const tagATTRIBUTE& a) {
    std::string value = a.value.ToUtf8();
    auto numbers = [&](int count) {
        std::string number = "\\s*-?\\d+\\s*";
        std::string pattern = number;
        for (int i = 1; i < count; ++i)
            pattern += "," + number;
        return std::regex_match(value, std::regex(pattern));
    };
    if (IsBoolType(a.type)) {
        std::string lower = value;
        for (char& c : lower)
            c = char(std::tolower(c));
        return lower == "true" || lower == "false" ? "" : "is not true or false";
    }
    if (IsNumericType(a.type) || IsChoiceType(a.type)) return numbers(1) ? "" : "is not a number";
    if (IsRectType(a.type)) return numbers(4) ? "" : "is not left,top,right,bottom";
    if (IsPointType(a.type)) return numbers(2) ? "" : "is not x,y";
    if (IsColorType(a.type)) {
        if (!numbers(3)) return "is not red,green,blue";
        std::smatch m;
        for (std::string rest = value; std::regex_search(rest, m, std::regex("-?\\d+"));
             rest = m.suffix())
            if (std::stoi(m.str()) < 0 || std::stoi(m.str()) > 255)
                return "has a colour part outside 0..255";
    }
    return "";
}

std::string Q(const CString& text) {
    return Quoted(text);
}

std::string Article(MapControl type) {
    std::string name = MapControlName(type);
    return (std::string("aeiou").find(name[0]) != std::string::npos ? "an " : "a ") + name;
}

class Checker {
public:
    explicit Checker(const MapCheck& check) : c(check), m_defaults(check.skin->defaults) {}

    void Run() {
        int s = 0;
        ForEachRecord<tagSECTION>(c.skin->sections,
                                  [&](const tagSECTION& section) { CheckSection(section, s++); });
        if (c.map) CheckMissing();
    }

private:
    int Line(int s, int comp, int attr = -1) const {
        if (!c.lines) return 0;
        return attr < 0 ? c.lines->Component(s, comp) : c.lines->Attribute(s, comp, attr);
    }
    std::string Where(const tagSECTION& section, const tagCOMPONENT& component) const {
        return "section " + Q(section.id) + ", component " + Q(component.id);
    }

    void CheckSection(const tagSECTION& section, int s) {
        std::map<long, int> seen; // id, as the repository compares it -> its first line
        int n = 0;
        ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& component) {
            int line = Line(s, n);
            auto [first, isNew] = seen.emplace(long(_wtol(component.id)), line);
            if (!isNew) {
                std::string before =
                    first->second ? " (first on line " + std::to_string(first->second) + ")" : "";
                c.report(line, Where(section, component) + " is given twice" + before +
                                   "; only the first is ever found");
            } else {
                CheckComponent(section, component, s, n);
            }
            ++n;
        });
    }

    void CheckComponent(const tagSECTION& section, const tagCOMPONENT& component, int s, int n) {
        const MapEntry* entry = nullptr;
        if (c.map) entry = c.map->Find(section.id, UINT(_wtol(component.id)));
        int i = 0;
        ForEachRecord<tagATTRIBUTE>(component.attributes, [&](const tagATTRIBUTE& a) {
            CheckAttribute(section, component, a, entry, Line(s, n, i++));
        });
        if (entry)
            CheckStrips(section, component, *entry, [&](const tagATTRIBUTE* a) {
                int index = 0, found = -1;
                ForEachRecord<tagATTRIBUTE>(component.attributes, [&](const tagATTRIBUTE& b) {
                    if (&b == a && found < 0) found = index;
                    ++index;
                });
                return Line(s, n, found);
            });
    }

    void CheckAttribute(const tagSECTION& section, const tagCOMPONENT& component,
                        const tagATTRIBUTE& a, const MapEntry* entry, int line) {
        std::string where = Where(section, component) + ", attribute " + Q(a.id);
        tagATTRIBUTE applied = a;
        applied.value = Value(component, a);
        // An empty value reads as the type's empty value, which is what its author meant.
        std::string problem = applied.value.IsEmpty() ? "" : FormProblem(applied);
        if (!problem.empty())
            c.report(line, where + ": value " + Q(applied.value) + " " + problem + " (type " +
                               Q(a.type) + ")");
        if (!entry) return;
        const ControlAttribute* known = FindControlAttribute(entry->type, a.id);
        if (!known) {
            c.report(line, where + ": " + Article(entry->type) + " does not read it");
            return;
        }
        if (!AcceptsType(known->kind, a.type)) {
            c.report(line, where + ": type " + Q(a.type) + ", but " + Article(entry->type) +
                               " reads a " + AttributeKindName(known->kind));
            return;
        }
        bool font = a.id.CompareNoCase(u"font_name") == 0 || a.id.CompareNoCase(u"mfont_name") == 0;
        if (font && !applied.value.IsEmpty() && !FontAvailable(applied.value))
            c.report(line, where + ": no font " + Q(applied.value) +
                               " on this system (fontconfig offers a substitute)");
    }

    // Frame strips as wide as their frames together.
    void CheckStrips(const tagSECTION& section, const tagCOMPONENT& component,
                     const MapEntry& entry, const std::function<int(const tagATTRIBUTE*)>& lineOf) {
        for (const ControlAttribute& known : ControlAttributes(entry.type)) {
            if (known.kind != AttributeKind::File || known.frames == 0) continue;
            const tagATTRIBUTE* a =
                FindAttribute(component.attributes, CString::FromUtf8(known.id));
            SIZE size{};
            CString file = a ? Value(component, *a) : CString();
            if (file.IsEmpty() || !c.imageSize(section.id, file, size)) continue;
            int line = lineOf(a);
            int frames = known.frames;
            if (frames == kFramesFromCount) {
                const tagATTRIBUTE* count = FindAttribute(component.attributes, u"image_count");
                frames = count ? int(_wtol(Value(component, *count))) : 0;
            } else if (frames == kSquareFrames) {
                frames = size.cy > 0 ? int(size.cx / size.cy) : 0;
                if (size.cy > 0 && size.cx % size.cy == 0) continue;
                c.report(line, Where(section, component) + ", attribute " + Q(a->id) + ": " +
                                   Q(file) + " is " + std::to_string(size.cx) + " x " +
                                   std::to_string(size.cy) +
                                   ", not a row of square icons as tall as the bitmap");
                continue;
            }
            if (frames <= 1 || size.cx % frames == 0) continue;
            c.report(line, Where(section, component) + ", attribute " + Q(a->id) + ": " + Q(file) +
                               " is " + std::to_string(size.cx) +
                               " pixels wide, which does not divide into " +
                               std::to_string(frames) + " frames");
        }
    }

    void CheckMissing() {
        for (const MapEntry& e : c.map->Entries()) {
            const tagSECTION* section = nullptr;
            ForEachRecord<tagSECTION>(c.skin->sections, [&](const tagSECTION& s) {
                if (!section && s.id.CompareNoCase(e.section) == 0) section = &s;
            });
            bool found = false;
            if (section)
                ForEachRecord<tagCOMPONENT>(section->components, [&](const tagCOMPONENT& comp) {
                    found = found || UINT(_wtol(comp.id)) == e.id;
                });
            if (found) continue;
            c.report(
                0, (section
                        ? "section " + Q(e.section) + " has no component " + std::to_string(e.id)
                        : "no section " + Q(e.section) + " for component " + std::to_string(e.id)) +
                       ", which the application makes " + Article(e.type) + " (" + c.map->Name() +
                       ":" + std::to_string(e.line) + ")");
        }
    }

    // An attribute's value as the packaged skin holds it: an empty one takes its defaults
    // component's value.
    CString Value(const tagCOMPONENT& component, const tagATTRIBUTE& a) const {
        return m_defaults.Apply(a, component.type);
    }

    const MapCheck& c;
    CDefaultsMap m_defaults;
};

} // namespace

void DescriptionLines::Scan(const std::vector<uint8_t>& bytes) {
    m_sections.clear();
    std::u16string text = Decode(bytes);
    int line = 1;
    bool inDefaults = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ++line;
            continue;
        }
        if (text[i] != u'<') continue;
        if (StartsAt(text, i, u"<!--")) { // comments count their lines only
            size_t end = text.find(u"-->", i);
            end = end == text.npos ? text.size() : end;
            for (; i < end; ++i)
                line += text[i] == u'\n';
            continue;
        }
        if (StartsAt(text, i, u"<defaults")) inDefaults = true;
        if (StartsAt(text, i, u"</defaults")) inDefaults = false;
        if (inDefaults) continue;
        if (StartsAt(text, i, u"<section ") || StartsAt(text, i, u"<section>"))
            m_sections.emplace_back();
        else if (StartsAt(text, i, u"<component") && !m_sections.empty())
            m_sections.back().push_back({line, {}});
        else if (StartsAt(text, i, u"<attribute") && !m_sections.empty() &&
                 !m_sections.back().empty())
            m_sections.back().back().attributes.push_back(line);
    }
}

int DescriptionLines::Component(int section, int component) const {
    if (section < 0 || size_t(section) >= m_sections.size()) return 0;
    const auto& components = m_sections[size_t(section)];
    return size_t(component) < components.size() ? components[size_t(component)].line : 0;
}

int DescriptionLines::Attribute(int section, int component, int attribute) const {
    if (section < 0 || size_t(section) >= m_sections.size()) return 0;
    const auto& components = m_sections[size_t(section)];
    if (size_t(component) >= components.size()) return 0;
    const auto& lines = components[size_t(component)].attributes;
    return size_t(attribute) < lines.size() ? lines[size_t(attribute)]
                                            : components[size_t(component)].line;
}

void CheckSkinAgainstMap(const MapCheck& check) {
    Checker(check).Run();
}

bool FontAvailable(const CString& face) {
    std::string family = face.ToUtf8();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    if (!pattern) return false;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool same = false;
    FcChar8* found = nullptr;
    for (int i = 0; match && FcPatternGetString(match, FC_FAMILY, i, &found) == FcResultMatch; ++i)
        same = same ||
               CString::FromUtf8(reinterpret_cast<const char*>(found)).CompareNoCase(face) == 0;
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return same;
}
