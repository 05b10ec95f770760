#pragma once
// Timing shared by the benchmarks that report a first run apart from the others.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

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
