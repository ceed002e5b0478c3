// The program's random numbers.
#pragma once

#include <random>

#include "forms/services.h"

namespace forms {

class SystemRandom final : public Random {
 public:
  explicit SystemRandom(const runtime::Clock& clock);
  double Next() override;
  void Randomize() override;

 private:
  const runtime::Clock& clock_;
  std::mt19937 engine_;
};

}  // namespace forms
