// The one failure type of the library: a number and a readable text.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace pdf {

// Numbers of the failures the writer raises.
namespace err {
constexpr int kInvalidArgument = 5;
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
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

// The failure of an operation that needs an open document.
Error NoFileOpen();

// Refuses a NaN or infinite argument (error 5) before anything is written: readers reject
// such numbers, or the page silently loses what follows.
void RequireFinite(std::initializer_list<float> values);
void RequireFinite(const std::vector<float>& values);

}  // namespace pdf
