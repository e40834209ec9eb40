// The main of every benchmark program: runs the benchmarks the command line
// names and ends with status 1 when any of them stopped with an error, so
// that a failed benchmark stops `make bench` instead of passing unseen.
#pragma once

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <vector>

namespace bench {

// The console report, counting the runs that ended with an error.
class InformeConFallos : public benchmark::ConsoleReporter {
  public:
    // Tabular counters; colours only on a terminal.
    InformeConFallos() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.error_occurred) ++fallos;
        ConsoleReporter::ReportRuns(runs);
    }
    int fallos = 0;
};

inline int correr_benchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    InformeConFallos informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    benchmark::Shutdown();
    return informe.fallos > 0 ? 1 : 0;
}

}  // namespace bench
