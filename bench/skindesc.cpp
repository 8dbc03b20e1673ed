// Reading a skin description of 2,000 components with 12 attributes each: the text form
// against expat parsing the same document as XML into the same records, and the record form
// against the text form, in the same run.

#include "skindesc/descwriter.h"
#include "skindesc/skindescription.h"
#include "support/ratio.h"

#include <expat.h>

#include <cstring>
#include <string_view>

#include <string>
#include <vector>

namespace {

const int kSections = 10, kComponentsPerSection = 200, kAttributes = 12;

std::u16string Number(int n) {
    return CString::FromUtf8(std::to_string(n)).Str();
}

std::u16string Attribute(int component, int a) {
    static const char16_t* const kTypes[] = {u"bool",   u"numeric", u"rect",  u"color",
                                             u"string", u"file",    u"point", u"choice:a|b"};
    std::u16string n = Number(a), c = Number(component);
    return u"            <attribute id=\"attr_" + n + u"\" name=\"Attribute " + n + u"\" type=\"" +
           kTypes[a % 8] + u"\" value=\"" + c + u"," + n + u",120,40" + u"\" description=\"Value " +
           n + u" of component " + c + u"\"/>\r\n";
}

// The document both readers read: UTF-16LE with its byte-order mark, and valid XML.
std::vector<BYTE> TextDocument() {
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"ASCII\"?>\r\n<newvexskin>\r\n"
                          u"    <information name=\"Bench\" version=\"1.0\" description=\"\" "
                          u"author=\"\" email=\"\" webpage=\"\"/>\r\n"
                          u"    <output path=\"\" separatefiles=\"false\"/>\r\n";
    for (int s = 0; s < kSections; ++s) {
        text += u"    <section id=\"section" + Number(s) + u"\" output=\"\">\r\n";
        for (int c = 0; c < kComponentsPerSection; ++c) {
            text += u"        <component id=\"" + Number(c + 1) + u"\" name=\"component " +
                    Number(c) + u"\" type=\"button\">\r\n";
            for (int a = 0; a < kAttributes; ++a)
                text += Attribute(c, a);
            text += u"        </component>\r\n";
        }
        text += u"    </section>\r\n";
    }
    text += u"</newvexskin>";
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    for (char16_t ch : text)
        bytes.insert(bytes.end(), {BYTE(ch), BYTE(ch >> 8)});
    return bytes;
}

// The same skin in the record form, as the builder writes it into packages.
std::vector<BYTE> RecordDocument(const std::vector<BYTE>& text) {
    CMemFile in(1024), out(1024);
    in.Write(text.data(), UINT(text.size()));
    tagSKIN skin;
    ReadDescription(in, skin);
    WriteDescription(skin, out, false, false, nullptr);
    return std::vector<BYTE>(out.GetData(), out.GetData() + out.GetLength());
}

const std::vector<BYTE>& Text() {
    static const std::vector<BYTE> text = TextDocument();
    return text;
}

const std::vector<BYTE>& Records() {
    static const std::vector<BYTE> records = RecordDocument(Text());
    return records;
}

void ReadWithLibrary(benchmark::State& state, const std::vector<BYTE>& document) {
    for (auto _ : state) {
        CMemFile file(const_cast<BYTE*>(document.data()), UINT(document.size()));
        tagSKIN skin;
        bool ok = ReadDescription(file, skin);
        benchmark::DoNotOptimize(ok);
        if (skin.sections.GetCount() != kSections) state.SkipWithError("wrong section count");
        state.PauseTiming(); // releasing the records is not reading
        ClearSkin(skin);
        state.ResumeTiming();
    }
}

void BM_ReadTextForm(benchmark::State& state) {
    ReadWithLibrary(state, Text());
}
void BM_ReadRecordForm(benchmark::State& state) {
    ReadWithLibrary(state, Records());
}

// Expat filling the same records from the same bytes.
struct ExpatLoad {
    tagSKIN& skin;
    tagSECTION* section = nullptr;
    tagCOMPONENT* component = nullptr;

    static CString Get(const XML_Char** pairs, const char* name) {
        for (; *pairs; pairs += 2)
            if (std::strcmp(pairs[0], name) == 0) return CString::FromUtf8(pairs[1]);
        return CString();
    }

    static void Start(void* data, const XML_Char* element, const XML_Char** pairs) {
        auto& load = *static_cast<ExpatLoad*>(data);
        std::string_view name = element;
        if (name == "information") {
            tagSKININFORMATION& i = load.skin.information;
            i = {Get(pairs, "name"),   Get(pairs, "version"), Get(pairs, "description"),
                 Get(pairs, "author"), Get(pairs, "email"),   Get(pairs, "webpage")};
            load.skin.name = i.name;
        } else if (name == "output") {
            load.skin.outputPath = Get(pairs, "path");
            load.skin.separateFiles = Get(pairs, "separatefiles").CompareNoCase(u"true") == 0;
        } else if (name == "section") {
            load.section = new tagSECTION{Get(pairs, "id"), Get(pairs, "output"), CPtrList()};
            load.skin.sections.AddTail(load.section);
        } else if (name == "component" && load.section) {
            load.component = new tagCOMPONENT;
            load.component->id = Get(pairs, "id");
            load.component->name = Get(pairs, "name");
            load.component->type = Get(pairs, "type");
            load.section->components.AddTail(load.component);
        } else if (name == "attribute" && load.component) {
            load.component->attributes.AddTail(
                new tagATTRIBUTE{Get(pairs, "id"), Get(pairs, "name"), Get(pairs, "type"),
                                 Get(pairs, "value"), Get(pairs, "description")});
        }
    }
};

void BM_ExpatTextForm(benchmark::State& state) {
    const std::vector<BYTE>& document = Text();
    for (auto _ : state) {
        tagSKIN skin;
        ExpatLoad load{skin};
        XML_Parser parser = XML_ParserCreate("UTF-16LE");
        XML_SetUserData(parser, &load);
        XML_SetStartElementHandler(parser, ExpatLoad::Start);
        if (XML_Parse(parser, reinterpret_cast<const char*>(document.data()), int(document.size()),
                      1) != XML_STATUS_OK)
            state.SkipWithError(XML_ErrorString(XML_GetErrorCode(parser)));
        XML_ParserFree(parser);
        if (skin.sections.GetCount() != kSections) state.SkipWithError("wrong section count");
        state.PauseTiming();
        ClearSkin(skin);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ReadTextForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpatTextForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecordForm)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunWithRatios(
        argc, argv,
        {{"text form vs expat on the same document", "BM_ReadTextForm", "BM_ExpatTextForm", 2.0},
         {"record form vs text form", "BM_ReadRecordForm", "BM_ReadTextForm", 0.2}});
}
