// The median of repeated measurements, with the lowest and highest as their spread.
// Threading and ownership: a plain value.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;

    // `values` must not be empty.
    static Spread Of(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        const double median = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
        return Spread{median, values.front(), values.back()};
    }
};
