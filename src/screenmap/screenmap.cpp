#include "screenmap.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

namespace {

const struct {
    MapControl type;
    const char* name;
} kControlNames[] = {
    {MapControl::Window, "window"},         {MapControl::Button, "button"},
    {MapControl::CheckBox, "checkbox"},     {MapControl::Radio, "radio"},
    {MapControl::Static, "static"},         {MapControl::Image, "image"},
    {MapControl::Slider, "slider"},         {MapControl::ScrollBar, "scrollbar"},
    {MapControl::ScrollList, "scrolllist"}, {MapControl::DropList, "droplist"},
    {MapControl::DropTree, "droptree"},     {MapControl::Menu, "menu"},
};

// One word of a line: a key (empty for a plain word) and its value, unquoted.
struct Token {
    std::string key, value;
    bool quoted = false;
};

// Splits a line into words; a "#" outside quotes ends it. False with a message on a quote
// that does not close.
bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token t;
        std::string* into = &t.value;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            char c = line[i++];
            if (c == '=' && t.key.empty() && !t.quoted && into == &t.value) {
                t.key = t.value;
                t.value.clear();
            } else if (c == '"') {
                t.quoted = true;
                for (;;) {
                    if (i >= line.size()) return error = "a quote does not close", false;
                    c = line[i++];
                    if (c == '"') break;
                    if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
                        c = line[i++];
                    into->push_back(c);
                }
            } else {
                into->push_back(c);
            }
        }
        tokens.push_back(std::move(t));
    }
    return true;
}

bool ParseNumber(const std::string& text, UINT& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    value = UINT(std::strtoul(text.c_str(), nullptr, 10));
    return true;
}

bool ParseSize(const std::string& text, SIZE& size) {
    size_t x = text.find('x');
    UINT w = 0, h = 0;
    if (x == text.npos || !ParseNumber(text.substr(0, x), w) || !ParseNumber(text.substr(x + 1), h))
        return false;
    size = {LONG(w), LONG(h)};
    return w > 0 && h > 0;
}

std::vector<CString> SplitItems(const std::string& text) {
    std::vector<CString> items;
    size_t start = 0;
    for (size_t bar; (bar = text.find('|', start)) != text.npos; start = bar + 1)
        items.push_back(CString::FromUtf8(text.substr(start, bar - start)));
    items.push_back(CString::FromUtf8(text.substr(start)));
    return items;
}

std::string Q(const std::string& text) {
    return "\"" + text + "\"";
}

// The options after the type; false with a message on the first it cannot take.
bool ParseOptions(const std::vector<Token>& tokens, MapEntry& e, std::string& error) {
    for (size_t i = 3; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.key.empty() && t.quoted) {
            e.caption = CString::FromUtf8(t.value);
        } else if (t.key == "caption") {
            e.caption = CString::FromUtf8(t.value);
        } else if (t.key == "items") {
            e.items = SplitItems(t.value);
        } else if (t.key == "group" && e.type == MapControl::Radio) {
            e.group = CString::FromUtf8(t.value);
        } else if (t.key == "bar" && e.type == MapControl::ScrollList) {
            if (!ParseNumber(t.value, e.bar))
                return error = "bar " + Q(t.value) + " is not an id", false;
        } else if (t.key == "popup" && e.type == MapControl::DropTree) {
            if (!ParseSize(t.value, e.popup))
                return error = "popup " + Q(t.value) + " is not WIDTHxHEIGHT", false;
        } else {
            std::string word = t.key.empty() ? t.value : t.key;
            return error = "option " + Q(word) + " means nothing to a " + MapControlName(e.type),
                   false;
        }
    }
    return true;
}

bool ParseLine(std::string_view line, MapEntry& e, bool& blank, std::string& error) {
    std::vector<Token> tokens;
    if (!Tokenize(line, tokens, error)) return false;
    blank = tokens.empty();
    if (blank) return true;
    if (tokens.size() < 3) return error = "expected SECTION ID TYPE", false;
    for (size_t i = 0; i < 3; ++i)
        if (!tokens[i].key.empty()) return error = "expected SECTION ID TYPE", false;
    e.section = CString::FromUtf8(tokens[0].value);
    if (!ParseNumber(tokens[1].value, e.id) || e.id == 0 || e.id > 0xFFFF)
        return error = "component id " + Q(tokens[1].value) + " is not a number from 1 to 65535",
               false;
    if (!MapControlFromName(tokens[2].value, e.type))
        return error = "unknown control type " + Q(tokens[2].value), false;
    return ParseOptions(tokens, e, error);
}

} // namespace

const char* MapControlName(MapControl type) {
    for (const auto& n : kControlNames)
        if (n.type == type) return n.name;
    return "?";
}

bool MapControlFromName(std::string_view name, MapControl& type) {
    for (const auto& n : kControlNames) {
        if (name == n.name) return type = n.type, true;
    }
    return false;
}

bool CScreenMap::Parse(std::string_view text, const std::string& name,
                       std::vector<std::string>& errors) {
    m_entries.clear();
    m_name = name;
    errors.clear();
    int number = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == text.npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        MapEntry e;
        bool blank = false;
        std::string error;
        if (!ParseLine(line, e, blank, error))
            errors.push_back(name + ":" + std::to_string(number) + ": " + error);
        else if (!blank)
            e.line = number, m_entries.push_back(std::move(e));
        if (end == text.size()) break;
    }
    if (errors.empty()) errors = Validate();
    if (!errors.empty()) m_entries.clear();
    return errors.empty();
}

bool CScreenMap::Load(const std::string& hostPath, std::vector<std::string>& errors) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        m_entries.clear();
        errors = {hostPath + ": cannot be read"};
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string name = hostPath.substr(hostPath.find_last_of('/') + 1);
    return Parse(text, name, errors);
}

// What single lines cannot show: a component listed twice, a section without its window, a
// bar that is not a scroll bar of the list's section.
std::vector<std::string> CScreenMap::Validate() const {
    std::vector<std::string> errors;
    auto at = [&](const MapEntry& e) { return m_name + ":" + std::to_string(e.line) + ": "; };
    std::set<std::pair<std::u16string, UINT>> seen;
    for (const MapEntry& e : m_entries) {
        CString folded = e.section;
        folded.MakeLower();
        if (!seen.emplace(folded.Str(), e.id).second)
            errors.push_back(at(e) + "component " + e.section.ToUtf8() + " " +
                             std::to_string(e.id) + " is listed twice");
        if (e.type == MapControl::Window && Window(e.section) != &e)
            errors.push_back(at(e) + "section " + e.section.ToUtf8() + " has a window already");
        if (e.type == MapControl::ScrollList) {
            const MapEntry* bar = Find(e.section, e.bar);
            if (e.bar == 0 || !bar || bar->type != MapControl::ScrollBar)
                errors.push_back(at(e) + "a scrolllist needs bar=ID naming a scrollbar of " +
                                 e.section.ToUtf8());
        }
    }
    for (const CString& section : Sections())
        if (!Window(section))
            errors.push_back(m_name + ": section " + section.ToUtf8() + " has no window");
    return errors;
}

std::vector<CString> CScreenMap::Sections() const {
    std::vector<CString> sections;
    for (const MapEntry& e : m_entries) {
        bool known = false;
        for (const CString& s : sections)
            known = known || s.CompareNoCase(e.section) == 0;
        if (!known) sections.push_back(e.section);
    }
    return sections;
}

const MapEntry* CScreenMap::Find(const CString& section, UINT id) const {
    for (const MapEntry& e : m_entries)
        if (e.id == id && e.section.CompareNoCase(section) == 0) return &e;
    return nullptr;
}

const MapEntry* CScreenMap::Window(const CString& section) const {
    for (const MapEntry& e : m_entries)
        if (e.type == MapControl::Window && e.section.CompareNoCase(section) == 0) return &e;
    return nullptr;
}

bool CScreenMap::IsOwnedBar(const CString& section, UINT id) const {
    for (const MapEntry& e : m_entries)
        if (e.type == MapControl::ScrollList && e.bar == id &&
            e.section.CompareNoCase(section) == 0)
            return true;
    return false;
}
