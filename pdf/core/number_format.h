// Number operands: rounded half away from zero to a number of decimals, then written with
// at most seven significant digits, "." as separator, never an exponent and never "-0".
#pragma once

#include <string>

namespace pdf {

// Rounds on the float's exact value; a small negative value may round to -0.
float RoundToPrecision(float value, int decimals);

// The largest magnitude written: readers keep to it (beyond it some overflow, and nothing
// drawn there could be seen on a page of at most 14,400 points).
constexpr float kLargestNumber = 32767;

// The plain decimal text of a float, seven significant digits at most.
std::string FormatNumber(float value);

// RoundToPrecision, then FormatNumber, of the value brought within +-kLargestNumber.
std::string FormatRounded(float value, int decimals);

}  // namespace pdf
