#pragma once
// Timing shared by the benchmarks that report a first run apart from the others, and the quick run
// CTest makes of every benchmark.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

/// A quick run (QUILLORA_BENCH_QUICK set, as CTest runs every benchmark): small sizes and few runs, and
/// no timing goal decides how the benchmark ends, so that the suite learns only whether it still runs.
inline bool quickRun() {
    return std::getenv("QUILLORA_BENCH_QUICK") != nullptr;
}

/// full, or quick in a quick run.
inline int sized(int full, int quick) {
    return quickRun() ? quick : full;
}

/// Whether a timing goal lets the benchmark end well: it was met, or the run is a quick one.
inline bool goalPasses(bool met) {
    return met || quickRun();
}

inline double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

/// Prints the first run and the median, minimum and maximum of the others; returns that median.
inline double report(const char* what, const std::vector<double>& ms) {
    std::vector<double> rest(ms.begin() + 1, ms.end());
    std::sort(rest.begin(), rest.end());
    const double median = (rest[rest.size() / 2] + rest[(rest.size() - 1) / 2]) / 2;
    std::printf("%s first %.2f ms; others median %.2f ms, min %.2f ms, max %.2f ms\n", what, ms.front(),
                median, rest.front(), rest.back());
    return median;
}
