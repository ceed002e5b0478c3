#include "pdf/core/environment.h"

#include <ctime>

namespace pdf {

namespace {

// 24 random bits as a fraction: exact in a double and the same on every library.
double FractionOf(std::mt19937& engine)
{
    return static_cast<double>(engine() >> 8) / 16777216.0;
}

}  // namespace

LocalTime SystemClock::Now()
{
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour, parts.tm_min, parts.tm_sec, static_cast<int>(parts.tm_gmtoff / 60)};
}

double SeededRandom::NextFraction()
{
    return FractionOf(mEngine);
}

SystemRandom::SystemRandom()
{
    std::random_device device;
    mEngine.seed(device() ^ static_cast<std::uint32_t>(std::time(nullptr)));
}

double SystemRandom::NextFraction()
{
    return FractionOf(mEngine);
}

}  // namespace pdf
