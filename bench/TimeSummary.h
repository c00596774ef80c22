// How the benchmarks report a run of times: one line with the best, median, mean, 99th
// percentile and worst, in milliseconds.
#pragma once

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

inline void reportTimes(const std::string& what, std::vector<double> milliseconds) {
    if (milliseconds.empty()) return;
    std::sort(milliseconds.begin(), milliseconds.end());
    const double mean = std::accumulate(milliseconds.begin(), milliseconds.end(), 0.0) /
                        static_cast<double>(milliseconds.size());
    std::printf("%s: %zu runs, best %.3f ms, median %.3f ms, mean %.3f ms, 99%% %.3f ms, "
                "worst %.3f ms\n",
                what.c_str(), milliseconds.size(), milliseconds.front(),
                milliseconds[milliseconds.size() / 2], mean,
                milliseconds[milliseconds.size() * 99 / 100], milliseconds.back());
}
