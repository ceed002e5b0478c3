// Timing shared by the benchmarks that compare us with a peer on a busy machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace bench {

// The best time per run of several rounds, each round repeating until 20 ms have passed,
// so that other work on the machine disturbs the figure as little as it can.
inline double BestSeconds(const std::function<void()>& run)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e9;
    for (int round = 0; round < 15; ++round) {
        int runs = 0;
        const auto start = Clock::now();
        do {
            run();
            ++runs;
        } while (Clock::now() - start < std::chrono::milliseconds(20));
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count() / runs);
    }
    return best;
}

}  // namespace bench
