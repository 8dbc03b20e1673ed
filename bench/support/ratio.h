// Benchmarks report ratios: each figure is a measured benchmark's CPU time per iteration divided
// by a reference benchmark's from the same run, checked against a target. CPU time stays steady
// when other work shares the machine; the ratios still move with its load and cache state, so
// `make bench` repeats every benchmark in shuffled order and compares the medians.
//
//   BENCHMARK(BM_ArchiveExtract);  BENCHMARK(BM_RawUncompress);
//   int main(int argc, char** argv) {
//       return RunWithRatios(argc, argv, {{"extraction vs raw uncompress",
//                                          "BM_ArchiveExtract", "BM_RawUncompress", 1.15}});
//   }
//
// Memory figures are ratios too: a benchmark reports sizes as counters (bytes it measured with
// the counting allocator of heapcount.h, and the size it measured them against in the same
// run), and a MemoryRatio divides one counter by the other:
//
//   state.counters["peak"] = double(probe.Peak());
//   state.counters["size"] = double(document.size());
//   ... {"text form: peak heap vs file size", "BM_ReadTextHeap", "peak", "size", 2.5}
//
// The process exits non-zero when a ratio misses its target or a named benchmark did not run.
#pragma once

#include <benchmark/benchmark.h>

#include <initializer_list>

struct Ratio {
    const char* label;
    const char* measured; // benchmark name (as reported, e.g. "BM_Extract" or "BM_Blt/240")
    const char* reference;
    double target; // the ratio must not exceed this
};

struct MemoryRatio {
    const char* label;
    const char* benchmark; // the benchmark that reports both counters
    const char* measured;  // counter names
    const char* reference;
    double target;     // the ratio must not exceed this
    double floor = 0;  // nor fall below this (a figure that must stay put has both)
    bool bytes = true; // the counters are bytes (else counts, such as graphics objects)
};

int RunWithRatios(int argc, char** argv, std::initializer_list<Ratio> ratios,
                  std::initializer_list<MemoryRatio> memory = {});
