// Timing shared by the benchmarks that compare us with a peer on a busy machine, and the
// verdict they exit with.
//
// Run them pinned to one core (taskset -c N): the figures that count are ratios of runs
// interleaved on the same core, so a moment of load elsewhere falls on both sides.
#pragma once

#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// One side of a comparison: a name for the report and the work it times.
struct Contender {
    std::string name;
    std::function<void()> run;
};

// The best time of one run of each contender.  The contenders take turns over the rounds
// (ours, the peer, ours, the peer, ...), each turn repeating its run until `turn` has
// passed, so a noisy moment spoils one turn of each side rather than decide the verdict.
inline std::vector<double> BestSeconds(const std::vector<Contender>& contenders, int rounds = 9,
                                       std::chrono::milliseconds turn = std::chrono::milliseconds(25))
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> best(contenders.size(), 1e300);
    for (int round = 0; round < rounds; ++round)
        for (std::size_t c = 0; c < contenders.size(); ++c) {
            int runs = 0;
            const auto start = Clock::now();
            do {
                contenders[c].run();
                ++runs;
            } while (Clock::now() - start < turn);
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            best[c] = std::min(best[c], seconds / runs);
        }
    return best;
}

// The best time of one run of a single piece of work, for figures without a peer.
inline double BestSeconds(const std::function<void()>& run)
{
    return BestSeconds({{"", run}})[0];
}

// What a benchmark exits with: 2 when two sides disagreed on their output, 1 when a goal
// was missed, 0 otherwise.
class Verdict {
public:
    Verdict()
    {
        cpu_set_t cpus;
        if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) > 1)
            std::printf("note: not pinned to one core (run under taskset -c N for figures that count)\n");
    }

    // Records a disagreement when `agree` is false; returns `agree`.
    bool Agree(bool agree, const std::string& what)
    {
        if (!agree) {
            std::printf("DISAGREE %s\n", what.c_str());
            mDisagreed = true;
        }
        return agree;
    }

    // Prints the goal and whether the measured ratio meets it (at most `limit`).
    bool Goal(const std::string& what, double ratio, double limit)
    {
        const bool met = ratio <= limit;
        std::printf("GOAL %s: %.3f (at most %.2f) %s\n", what.c_str(), ratio, limit,
                    met ? "met" : "MISSED");
        mMissed = mMissed || !met;
        return met;
    }

    int ExitCode() const
    {
        if (mDisagreed)
            std::printf("verdict: outputs disagree\n");
        else if (mMissed)
            std::printf("verdict: goal missed\n");
        return mDisagreed ? 2 : mMissed ? 1 : 0;
    }

private:
    bool mDisagreed = false;
    bool mMissed = false;
};

}  // namespace bench
