// Memory budgets, measured with the counting allocator and reported as ratios against a size
// measured in the same run:
//
// - reading a description of 2,000 components from its file: the peak heap against the file's
//   size, for the text form (at most 2.5 times) and the record form (at most 2 times);
// - a screen of 200 basic controls over a skinned window: the live heap each control adds, the
//   bitmaps and fonts it shares through the caches excluded, against 2 KiB.
#include "support/benchdesc.h"
#include "support/benchskin.h"
#include "support/heapcount.h"
#include "support/ratio.h"

#include "skindesc/skindescription.h"

#include <string>
#include <vector>

namespace {

// One section of 2,000 components, 12 attributes each: where a copy of a section's text would
// be a copy of nearly the whole text.
const BenchDescriptionShape kLarge{1, 2000, 12};

// The two forms of one large description, each written to a file.
struct DescriptionFiles {
    BenchFolder folder;
    CString text = folder.Path() + u"\\large.xml", records = folder.Path() + u"\\large.sdx";
    size_t textSize = 0, recordSize = 0;

    DescriptionFiles() {
        std::vector<BYTE> textBytes = BenchTextDescription(kLarge);
        std::vector<BYTE> recordBytes = BenchRecordDescription(textBytes);
        textSize = Write(text, textBytes);
        recordSize = Write(records, recordBytes);
    }
    static size_t Write(const CString& path, const std::vector<BYTE>& bytes) {
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return 0;
        file.Write(bytes.data(), UINT(bytes.size()));
        return file.HasFailed() ? 0 : bytes.size();
    }
};

DescriptionFiles& Descriptions() {
    static DescriptionFiles files;
    return files;
}

// Reads the file into a fresh skin; the peak counts everything the reading allocates, from
// opening the file to the finished model.
void ReadDescriptionHeap(benchmark::State& state, const CString& path, size_t size) {
    size_t peak = 0;
    uint64_t blocks = 0;
    for (auto _ : state) {
        tagSKIN skin;
        HeapProbe probe;
        bool ok = ReadDescriptionFile(path, skin);
        peak = probe.Peak();
        blocks = probe.Allocations();
        if (!ok || skin.sections.GetCount() != kLarge.sections)
            state.SkipWithError("the description did not read");
        state.PauseTiming(); // releasing the records is not reading
        ClearSkin(skin);
        state.ResumeTiming();
    }
    state.counters["peak"] = double(peak);
    state.counters["size"] = double(size);
    state.counters["blocks"] = double(blocks);
}

void BM_ReadTextFormHeap(benchmark::State& state) {
    DescriptionFiles& files = Descriptions();
    ReadDescriptionHeap(state, files.text, files.textSize);
}
BENCHMARK(BM_ReadTextFormHeap)->Unit(benchmark::kMillisecond);

void BM_ReadRecordFormHeap(benchmark::State& state) {
    DescriptionFiles& files = Descriptions();
    ReadDescriptionHeap(state, files.records, files.recordSize);
}
BENCHMARK(BM_ReadRecordFormHeap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (HeapNow().allocations == 0) {
        std::fprintf(stderr, "the counting allocator is not linked into this program\n");
        return 1;
    }
    return RunWithRatios(
        argc, argv, {},
        {{"text form read: peak heap vs file size", "BM_ReadTextFormHeap", "peak", "size", 2.5},
         {"record form read: peak heap vs file size", "BM_ReadRecordFormHeap", "peak", "size",
          2.0}});
}
