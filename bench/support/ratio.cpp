#include "support/ratio.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Keeps the per-iteration CPU time of every benchmark (steadier than wall time on a shared
// machine) while printing as the console reporter does. When the benchmarks run repeated, the
// median of the repetitions is kept: one slow or fast stretch of the machine moves a single
// run's figure, not the median.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            // The benchmark's own name and arguments ("BM_Blt/240"), without the settings
            // that the run names also carry.
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name != "median") continue;
                medians[name] = run.GetAdjustedCPUTime();
                medianCounters[name] = run.counters;
            } else if (run.iterations > 0) {
                singles[name] = run.GetAdjustedCPUTime();
                singleCounters[name] = run.counters;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const double* Time(const std::string& name) const {
        auto m = medians.find(name);
        if (m != medians.end()) return &m->second;
        auto s = singles.find(name);
        return s != singles.end() ? &s->second : nullptr;
    }

    const double* Counter(const std::string& name, const std::string& counter) const {
        auto m = medianCounters.find(name);
        const auto* counters = m != medianCounters.end() ? &m->second : nullptr;
        if (!counters) {
            auto s = singleCounters.find(name);
            if (s == singleCounters.end()) return nullptr;
            counters = &s->second;
        }
        auto c = counters->find(counter);
        return c != counters->end() ? &c->second.value : nullptr;
    }

private:
    std::map<std::string, double> medians, singles;
    std::map<std::string, benchmark::UserCounters> medianCounters, singleCounters;
};

// "18.4 MiB", "812 B": sizes as people read them.
std::string Size(double bytes) {
    const char* units[] = {"B", "KiB", "MiB", "GiB"};
    int unit = 0;
    while (bytes >= 1024 && unit < 3)
        bytes /= 1024, ++unit;
    char text[32];
    std::snprintf(text, sizeof text, unit ? "%.1f %s" : "%.0f %s", bytes, units[unit]);
    return text;
}

bool ReportMemory(const CollectingReporter& reporter, const MemoryRatio& r) {
    const double* m = reporter.Counter(r.benchmark, r.measured);
    const double* ref = reporter.Counter(r.benchmark, r.reference);
    if (!m || !ref || *ref <= 0) {
        std::printf("%-58s   not measured (%s: %s / %s)\n", r.label, r.benchmark, r.measured,
                    r.reference);
        return false;
    }
    double ratio = *m / *ref;
    bool ok = ratio <= r.target && ratio >= r.floor;
    std::string sizes = r.bytes ? Size(*m) + " of " + Size(*ref)
                                : std::to_string(long(*m)) + " of " + std::to_string(long(*ref));
    if (r.floor > 0)
        std::printf("%-58s %6.3fx  (target %.2fx to %.2fx)  %s  [%s]\n", r.label, ratio, r.floor,
                    r.target, ok ? "ok" : "MISSED", sizes.c_str());
    else
        std::printf("%-58s %6.2fx  (target <= %.2fx)  %s  [%s]\n", r.label, ratio, r.target,
                    ok ? "ok" : "MISSED", sizes.c_str());
    return ok;
}

} // namespace

int RunWithRatios(int argc, char** argv, std::initializer_list<Ratio> ratios,
                  std::initializer_list<MemoryRatio> memory) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int status = 0;
    std::printf("\n");
    for (const Ratio& r : ratios) {
        const double* m = reporter.Time(r.measured);
        const double* ref = reporter.Time(r.reference);
        if (!m || !ref || *ref <= 0) {
            std::printf("%-58s   not measured (%s / %s)\n", r.label, r.measured, r.reference);
            status = 1;
            continue;
        }
        double ratio = *m / *ref;
        bool ok = ratio <= r.target;
        std::printf("%-58s %6.2fx  (target <= %.2fx)  %s\n", r.label, ratio, r.target,
                    ok ? "ok" : "MISSED");
        if (!ok) status = 1;
    }
    for (const MemoryRatio& r : memory)
        if (!ReportMemory(reporter, r)) status = 1;
    return status;
}
