// One measured figure of a benchmark, printed as a machine-readable line beside the benchmark's
// own text, so that scripts/bench can gather every figure of a run into one table and one JSON
// file. A figure names its yardstick (a comparable program or a floor measured in the same run)
// and its goal; the goal applies to the value itself, or to the ratio value / yardstick.
// Threading and ownership: a plain value, printed from the benchmark's main thread.
#pragma once

#include "Spread.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

struct BenchFigure {
    enum class Better { HIGHER, LOWER };
    enum class GoalOn { VALUE, RATIO };
    static constexpr double None = std::numeric_limits<double>::quiet_NaN();

    std::string name;
    double value = None;
    std::string unit;
    Better better = Better::HIGHER;
    std::string yardstick;
    double yardstickValue = None;
    double goal = None;
    GoalOn goalOn = GoalOn::VALUE;
    // The spread of repeated measurements, when there were several (for example min and max).
    double low = None;
    double high = None;

    // A figure of repeated measurements: their median, with the lowest and highest as spread.
    static BenchFigure Of(const std::string& name, const Spread& spread, const std::string& unit, Better better)
    {
        BenchFigure figure;
        figure.name = name;
        figure.value = spread.median;
        figure.unit = unit;
        figure.better = better;
        figure.low = spread.low;
        figure.high = spread.high;
        return figure;
    }

    // Prints "@figure {json}" on stdout and flushes, so the line survives a later crash.
    void Print() const
    {
        std::string line = "@figure {\"name\":" + Quoted(name) + ",\"value\":" + Number(value) +
                           ",\"unit\":" + Quoted(unit) + ",\"better\":\"" +
                           (better == Better::HIGHER ? "higher" : "lower") + "\",\"yardstick\":" +
                           Quoted(yardstick) + ",\"yardstick_value\":" + Number(yardstickValue) +
                           ",\"goal\":" + Number(goal) + ",\"goal_on\":\"" +
                           (goalOn == GoalOn::VALUE ? "value" : "ratio") + "\",\"low\":" + Number(low) +
                           ",\"high\":" + Number(high) + "}\n";
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
    }

private:
    static std::string Number(double number)
    {
        if (std::isnan(number) || std::isinf(number)) {
            return "null";
        }
        char text[64];
        std::snprintf(text, sizeof text, "%.6g", number);
        return text;
    }

    static std::string Quoted(const std::string& text)
    {
        std::string quoted = "\"";
        for (char c : text) {
            if (c == '"' || c == '\\') {
                quoted += '\\';
            }
            quoted += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
        return quoted + "\"";
    }
};
