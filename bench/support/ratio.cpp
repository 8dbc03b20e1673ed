#include "support/ratio.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Keeps the per-iteration CPU time of every run (steadier than wall time on a shared machine)
// while printing as the console reporter does.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int RunWithRatios(int argc, char** argv, std::initializer_list<Ratio> ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int status = 0;
    std::printf("\n");
    for (const Ratio& r : ratios) {
        auto m = reporter.times.find(r.measured), ref = reporter.times.find(r.reference);
        if (m == reporter.times.end() || ref == reporter.times.end() || ref->second <= 0) {
            std::printf("%-58s   not measured (%s / %s)\n", r.label, r.measured, r.reference);
            status = 1;
            continue;
        }
        double ratio = m->second / ref->second;
        bool ok = ratio <= r.target;
        std::printf("%-58s %6.2fx  (target <= %.2fx)  %s\n", r.label, ratio, r.target,
                    ok ? "ok" : "MISSED");
        if (!ok) status = 1;
    }
    return status;
}
