// The one failure type of the library: a number and a readable text.
#pragma once

#include <stdexcept>
#include <string>

namespace pdf {

// Numbers of the failures the writer raises.
namespace err {
constexpr int kInvalidArgument = 5;
constexpr int kOverflow = 6;
constexpr int kSubscriptOutOfRange = 9;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kOutOfStackSpace = 28;
constexpr int kBadFileHandle = 52;
constexpr int kFileNotFound = 53;
constexpr int kDiskFull = 61;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kInvalidFileFormat = 321;
}  // namespace err

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& description)
        : std::runtime_error(description), mNumber(number)
    {
    }
    int Number() const { return mNumber; }

private:
    int mNumber;
};

// The failure that a file operation reports through errno.
Error FileError(int errnoValue);

}  // namespace pdf
