#include "forms/system_random.h"

#include <chrono>

namespace forms {

SystemRandom::SystemRandom(const runtime::Clock& clock) : clock_(clock) { Randomize(); }

double SystemRandom::Next() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

void SystemRandom::Randomize() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  engine_.seed(static_cast<std::mt19937::result_type>(clock_.UtcNow() ^ ticks));
}

}  // namespace forms
