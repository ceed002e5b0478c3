// Where the writer takes the time and chance from.  Tests inject fixed ones so that every
// byte of a document is known in advance.
#pragma once

#include <cstdint>
#include <random>

namespace pdf {

struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetMinutes = 60;  // east of UTC, at that moment
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;  // the workstation's wall-clock time
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double NextFraction() = 0;  // uniform in [0, 1)
};

class SystemClock final : public Clock {
public:
    LocalTime Now() override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalTime now) : mNow(now) {}
    LocalTime Now() override { return mNow; }

private:
    LocalTime mNow;
};

// The same sequence for the same seed on every platform.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : mEngine(seed) {}
    double NextFraction() override;

private:
    std::mt19937 mEngine;
};

// Seeded from the system's entropy source.
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    double NextFraction() override;

private:
    std::mt19937 mEngine;
};

}  // namespace pdf
