// Archive creation and extraction of about 8 MiB of skin-like data (bitmap rows and description
// text), each against raw zlib on the same 16384-byte pieces in the same run.

#include "archive/zarchive.h"
#include "support/ratio.h"

#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const size_t kPiece = 16384;
const int kEntries = 32;
const size_t kEntrySize = 256 * 1024; // 32 x 256 KiB = 8 MiB

using Bytes = std::vector<unsigned char>;

// A 24-bit bitmap: gradients, flat areas and a little noise, as skin artwork tends to be.
Bytes BitmapLike(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes out(size);
    const size_t row = 240 * 3;
    for (size_t i = 0; i < size; ++i) {
        size_t x = i % row, y = i / row;
        bool flat = (y / 16 + seed) % 3 == 0;
        unsigned char value = flat ? static_cast<unsigned char>(seed * 40 + i % 3)
                                   : static_cast<unsigned char>(x / 3 + y * (i % 3 + 1));
        if (random() % 8 == 0) value = static_cast<unsigned char>(value + random() % 6);
        out[i] = value;
    }
    return out;
}

// Description-like text: elements and attributes drawn from a small vocabulary.
Bytes TextLike(size_t size, unsigned seed) {
    static const char* const kWords[] = {"<component id=\"",
                                         "button",
                                         "slider",
                                         "\" position=\"",
                                         "12,40,96,24",
                                         "\" visible=\"",
                                         "true",
                                         "false",
                                         "\"/>\n",
                                         "<attribute name=\"",
                                         "font_name",
                                         "Tahoma",
                                         "font_size",
                                         "image_filename",
                                         "play.bmp",
                                         "color",
                                         "0x00A0C0E0",
                                         "</section>\n",
                                         "<section name=\""};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += kWords[random() % (sizeof kWords / sizeof *kWords)];
    return Bytes(text.begin(), text.begin() + long(size));
}

struct Corpus {
    std::vector<Bytes> entries;
    std::vector<Bytes> packedPieces;
    std::string folder;
    CString archivePath;

    Corpus() {
        for (int i = 0; i < kEntries; ++i)
            entries.push_back(i % 2 ? TextLike(kEntrySize, unsigned(i))
                                    : BitmapLike(kEntrySize, unsigned(i)));
        for (const Bytes& entry : entries) {
            for (size_t at = 0; at < entry.size(); at += kPiece) {
                uLongf size = compressBound(kPiece);
                Bytes packed(size);
                compress2(packed.data(), &size, &entry[at],
                          uLong(std::min(kPiece, entry.size() - at)), 9);
                packed.resize(size);
                packedPieces.push_back(std::move(packed));
            }
        }
        std::string pattern =
            (std::filesystem::temp_directory_path() / "skinkit-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data()) ? pattern : std::string();
        archivePath = CString::FromUtf8(folder + "/bench.sdf");
    }
    ~Corpus() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static CString EntryName(int i) {
        CString name;
        name.Format(u"entry%.3u.bin", unsigned(i));
        return name;
    }
    // The entries as the package builder hands them over: one memory file each.
    std::vector<std::unique_ptr<CMemFile>> MemoryFiles() const {
        std::vector<std::unique_ptr<CMemFile>> files;
        for (const Bytes& entry : entries) {
            files.push_back(std::make_unique<CMemFile>(1024));
            files.back()->Write(entry.data(), UINT(entry.size()));
        }
        return files;
    }
    // Writes the package of the entries in `files` to `path`.
    static bool Write(const CString& path, std::vector<std::unique_ptr<CMemFile>>& files) {
        CZArchive archive;
        if (!archive.Open(path, CZArchive::modeCreate)) return false;
        for (int i = 0; i < kEntries; ++i)
            if (!archive.Add(EntryName(i), *files[size_t(i)])) return false;
        return archive.Close();
    }
};

Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

void BM_ArchiveCreate(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    CString path = CString::FromUtf8(corpus.folder + "/create.sdf");
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<CMemFile>> files = corpus.MemoryFiles();
        // A new package, as a build makes one: rewriting a truncated file would also measure
        // the file system's flush-on-close of replaced data (ext4's auto_da_alloc).
        DeleteFile(path);
        state.ResumeTiming();
        if (!Corpus::Write(path, files)) return state.SkipWithError("creating failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kEntries * int64_t(kEntrySize));
}

void BM_RawCompress(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    Bytes packed(compressBound(kPiece));
    for (auto _ : state) {
        for (const Bytes& entry : corpus.entries) {
            for (size_t at = 0; at < entry.size(); at += kPiece) {
                uLongf size = packed.size();
                compress2(packed.data(), &size, &entry[at],
                          uLong(std::min(kPiece, entry.size() - at)), 9);
                benchmark::DoNotOptimize(packed.data());
            }
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kEntries * int64_t(kEntrySize));
}

void BM_ArchiveExtract(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    std::vector<std::unique_ptr<CMemFile>> files = corpus.MemoryFiles();
    if (!Corpus::Write(corpus.archivePath, files)) return state.SkipWithError("no archive");
    for (auto _ : state) {
        CZArchive archive;
        if (!archive.Open(corpus.archivePath, CZArchive::modeExtract))
            return state.SkipWithError("opening the archive failed");
        for (int i = 0; i < kEntries; ++i) {
            CMemFile data(1024);
            if (!archive.Extract(Corpus::EntryName(i), data) || data.GetLength() != kEntrySize)
                return state.SkipWithError("extracting failed");
            benchmark::DoNotOptimize(data.GetData());
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kEntries * int64_t(kEntrySize));
}

void BM_RawUncompress(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    Bytes plain(kPiece);
    for (auto _ : state) {
        for (const Bytes& packed : corpus.packedPieces) {
            uLongf size = plain.size();
            if (uncompress(plain.data(), &size, packed.data(), uLong(packed.size())) != Z_OK)
                return state.SkipWithError("uncompress failed");
            benchmark::DoNotOptimize(plain.data());
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kEntries * int64_t(kEntrySize));
}

// Each figure is the median of several runs, interleaved at random with the other benchmarks'
// runs, so that a busy moment on a shared machine does not decide a ratio.
void Configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(9);
    b->ReportAggregatesOnly(true);
}

BENCHMARK(BM_ArchiveCreate)->Apply(Configure);
BENCHMARK(BM_RawCompress)->Apply(Configure);
BENCHMARK(BM_ArchiveExtract)->Apply(Configure);
BENCHMARK(BM_RawUncompress)->Apply(Configure);

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    return RunWithRatios(
        int(args.size()), args.data(),
        {{"archive extraction vs raw uncompress", "BM_ArchiveExtract", "BM_RawUncompress", 1.15},
         {"archive creation vs raw compress2 level 9", "BM_ArchiveCreate", "BM_RawCompress",
          1.05}});
}
