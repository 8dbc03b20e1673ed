// Reading a skin description of 2,000 components with 12 attributes each: the text form
// against expat parsing the same document as XML into the same records, and the record form
// against the text form, in the same run.

#include "skindesc/skindescription.h"
#include "support/benchdesc.h"
#include "support/ratio.h"

#include <expat.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace {

const BenchDescriptionShape kShape; // 10 sections of 200 components, 12 attributes each

const std::vector<BYTE>& Text() {
    static const std::vector<BYTE> text = BenchTextDescription(kShape);
    return text;
}

const std::vector<BYTE>& Records() {
    static const std::vector<BYTE> records = BenchRecordDescription(Text());
    return records;
}

void ReadWithLibrary(benchmark::State& state, const std::vector<BYTE>& document) {
    for (auto _ : state) {
        CMemFile file(const_cast<BYTE*>(document.data()), UINT(document.size()));
        tagSKIN skin;
        bool ok = ReadDescription(file, skin);
        benchmark::DoNotOptimize(ok);
        if (skin.sections.GetCount() != kShape.sections) state.SkipWithError("wrong section count");
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
        if (skin.sections.GetCount() != kShape.sections) state.SkipWithError("wrong section count");
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
