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

int RunWithRatios(int argc, char** argv, std::initializer_list<Ratio> ratios);
