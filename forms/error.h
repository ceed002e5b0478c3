// A run-time error of the forms, with the number the original runtime gave it, so that
// callers that pass over such errors can tell them apart.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

inline constexpr int kErrInvalidArgument = 5;
inline constexpr int kErrNoSuchElement = 340;
inline constexpr int kErrAlreadyLoaded = 360;
inline constexpr int kErrCannotUnloadDesigned = 362;
inline constexpr int kErrInvalidPropertyValue = 380;
inline constexpr int kErrInvalidRowValue = 381;

}  // namespace forms
