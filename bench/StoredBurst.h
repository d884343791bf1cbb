// A burst of messages timed from the command that starts it until every message of it is
// stored: the figure the burst benchmarks compare. The store is looked at between pauses (a
// short sleep, or a turn of the user-interface thread's pump), never waited on per message.
// Threading: the benchmark's main thread. Ownership: holds copies of the callables it is
// given.
#pragma once

#include "BenchFigure.h"

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

class StoredBurst {
public:
    // `stored` counts the burst's messages stored so far; `pause` lets a little time pass.
    StoredBurst(int size, std::function<int()> stored, std::function<void()> pause = Sleep)
        : size_(size), stored_(std::move(stored)), pause_(std::move(pause))
    {
    }

    // Starts the burst with `send` and answers messages per second once all are stored;
    // throws, naming `side` and how many were stored, when `limit` passes first.
    double MessagesPerSecond(const std::string& side, const std::function<void()>& send,
        std::chrono::seconds limit = std::chrono::seconds(300)) const
    {
        const auto start = std::chrono::steady_clock::now();
        send();
        while (stored_() < size_) {
            if (std::chrono::steady_clock::now() - start > limit) {
                throw std::runtime_error(side + ": " + std::to_string(stored_()) + " of " + std::to_string(size_) +
                                         " messages stored in time");
            }
            pause_();
        }
        return size_ / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    static void Sleep() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

    // The figure of a burst's rate beside the yardstick's, measured in the same run.
    static BenchFigure Figure(const std::string& name, double rate, const std::string& yardstick, double yardstickRate)
    {
        BenchFigure figure;
        figure.name = name;
        figure.value = rate;
        figure.unit = "msg/s";
        figure.yardstick = yardstick;
        figure.yardstickValue = yardstickRate;
        return figure;
    }

private:
    int size_;
    std::function<int()> stored_;
    std::function<void()> pause_;
};
