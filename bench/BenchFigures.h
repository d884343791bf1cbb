// The two measurements the store benches share: the wall time of a piece of work, and the
// median of a run's figures.
// Threading and ownership: plain functions over values.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double MillisecondsOf(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
