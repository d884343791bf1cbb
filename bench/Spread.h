// Repeated measurements of one figure, summed up as BenchFigure reports them: the median as
// the value, the smallest and the largest as the spread.
// Threading and ownership: a plain value.
#pragma once

#include <algorithm>
#include <vector>

struct Spread {
    double median;
    double low;
    double high;

    // `runs` must not be empty.
    static Spread Of(std::vector<double> runs)
    {
        std::sort(runs.begin(), runs.end());
        return {runs[runs.size() / 2], runs.front(), runs.back()};
    }
};
