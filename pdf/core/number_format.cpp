#include "pdf/core/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace pdf {

namespace {

using Wide = unsigned __int128;

constexpr std::uint32_t kSmallestDigits = 1000000;  // seven digits
constexpr std::uint32_t kDigitsLimit = 10000000;

constexpr int kMaxScale = 31;

Wide PowerOfTen(int n)
{
    static constexpr auto kPowers = [] {
        std::array<Wide, kMaxScale + 1> powers{};
        Wide p = 1;
        for (Wide& power : powers) {
            power = p;
            p *= 10;
        }
        return powers;
    }();
    return kPowers[static_cast<std::size_t>(n)];
}

// Seven significant digits of |value| as the integer 1000000-9999999 and the decimal
// exponent of the first, rounded on the exact binary value with ties to even (as
// std::to_chars rounds).  Works in 128-bit integers, so it gives up (returns false) on
// values too small or too large for them.
bool SevenDigits(float value, std::uint32_t& digits, int& exponent)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    if (biased == 0 || biased == 0xFF)
        return false;
    const std::uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
    const int binaryExponent = biased - 150;  // |value| = mantissa * 2^binaryExponent
    if (binaryExponent > 100 || binaryExponent < -120)
        return false;

    // First guess from the binary exponent of the leading bit, then corrected by one.
    int decimal = ((binaryExponent + 23) * 78913) >> 18;
    for (;;) {
        const int scale = 6 - decimal;  // digits = |value| * 10^scale
        if (scale > kMaxScale)
            return false;
        Wide quotient;
        bool roundUp;
        if (scale >= 0) {
            Wide scaled = mantissa * PowerOfTen(scale);
            if (binaryExponent >= 0) {
                quotient = scaled << binaryExponent;
                roundUp = false;
            } else {
                const int shift = -binaryExponent;
                quotient = scaled >> shift;
                const Wide remainder = scaled & ((Wide(1) << shift) - 1);
                const Wide half = Wide(1) << (shift - 1);
                roundUp = remainder > half || (remainder == half && (quotient & 1));
            }
        } else {
            if (binaryExponent < 0)
                return false;
            const Wide scaled = Wide(mantissa) << binaryExponent;
            const Wide divisor = PowerOfTen(-scale);
            quotient = scaled / divisor;
            const Wide twice = (scaled % divisor) * 2;
            roundUp = twice > divisor || (twice == divisor && (quotient & 1));
        }
        if (quotient < kSmallestDigits) {
            --decimal;
            continue;
        }
        if (quotient >= kDigitsLimit) {
            ++decimal;
            continue;
        }
        digits = static_cast<std::uint32_t>(quotient) + (roundUp ? 1 : 0);
        if (digits == kDigitsLimit) {
            digits = kSmallestDigits;
            ++decimal;
        }
        exponent = decimal;
        return true;
    }
}

// The same digits from std::to_chars, for the values SevenDigits leaves.
void SevenDigitsByText(float value, std::uint32_t& digits, int& exponent)
{
    char scientific[32];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific,
                                      std::fabs(static_cast<double>(value)),
                                      std::chars_format::scientific, 6);
    digits = 0;
    const char* p = scientific;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits = digits * 10 + static_cast<std::uint32_t>(*p - '0');
    ++p;
    std::from_chars(p + (*p == '+'), result.ptr, exponent);
}

}  // namespace

float RoundToPrecision(float value, int decimals)
{
    static constexpr double kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double factor = decimals >= 0 && decimals <= 6 ? kPowers[decimals]
                                                         : std::pow(10.0, decimals);
    const double exact = static_cast<double>(value);
    double rounded;
    if (exact < 0)
        rounded = -std::floor(-exact * factor + 0.5) / factor;
    else
        rounded = std::floor(exact * factor + 0.5) / factor;
    return static_cast<float>(rounded);
}

std::string FormatNumber(float value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";

    // Seven significant digits d.dddddd and a power of ten, then laid out without it.
    std::uint32_t digits;
    int exponent;
    if (!SevenDigits(value, digits, exponent))
        SevenDigitsByText(value, digits, exponent);
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char significant[7];
    for (int i = 5; i >= 1; i -= 2, digits /= 100) {
        significant[i] = kPairs[digits % 100 * 2];
        significant[i + 1] = kPairs[digits % 100 * 2 + 1];
    }
    significant[0] = static_cast<char>('0' + digits);
    int count = 7;
    while (count > 1 && significant[count - 1] == '0')
        --count;

    char out[64];
    char* p = out;
    if (value < 0)
        *p++ = '-';
    if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            *p++ = '0';
        for (int i = 0; i < count; ++i)
            *p++ = significant[i];
    } else if (exponent + 1 >= count) {
        for (int i = 0; i < count; ++i)
            *p++ = significant[i];
        for (int i = count; i < exponent + 1; ++i)
            *p++ = '0';
    } else {
        for (int i = 0; i < count; ++i) {
            if (i == exponent + 1)
                *p++ = '.';
            *p++ = significant[i];
        }
    }
    return std::string(out, p);
}

std::string FormatRounded(float value, int decimals)
{
    if (std::isfinite(value))
        value = std::clamp(value, -kLargestNumber, kLargestNumber);
    return FormatNumber(RoundToPrecision(value, decimals));
}

}  // namespace pdf
