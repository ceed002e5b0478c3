// Length and distance codes of the Deflate format and the order of the code-length
// code lengths in a dynamic block header.
#pragma once

#include <array>
#include <cstdint>

namespace pdf::deflate {

inline constexpr int kLiteralSymbols = 288;
inline constexpr int kDistanceSymbols = 32;
inline constexpr int kCodeLengthSymbols = 19;
inline constexpr int kEndOfBlock = 256;
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 258;
inline constexpr std::uint32_t kMaxDistance = 32767;

inline constexpr std::array<int, kCodeLengthSymbols> kCodeLengthOrder{
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

inline constexpr std::array<int, 29> kLengthBase{
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr std::array<int, 29> kLengthExtra{
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

inline constexpr std::array<int, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr std::array<int, 30> kDistanceExtra{
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

namespace detail {

constexpr std::array<std::uint8_t, kMaxMatch + 1> MakeLengthCodes()
{
    std::array<std::uint8_t, kMaxMatch + 1> codes{};
    for (int length = kMinMatch, code = 0; length <= kMaxMatch; ++length) {
        while (code + 1 < 29 && kLengthBase[code + 1] <= length)
            ++code;
        codes[length] = static_cast<std::uint8_t>(code);
    }
    return codes;
}

// Distances up to 256 directly, longer ones by (distance - 1) / 128.
constexpr std::array<std::uint8_t, 512> MakeDistanceCodes()
{
    std::array<std::uint8_t, 512> codes{};
    auto codeOf = [](int distance) {
        int code = 0;
        while (code + 1 < 30 && kDistanceBase[code + 1] <= distance)
            ++code;
        return static_cast<std::uint8_t>(code);
    };
    for (int distance = 1; distance <= 256; ++distance)
        codes[distance - 1] = codeOf(distance);
    for (int i = 2; i < 256; ++i)
        codes[256 + i] = codeOf(i * 128 + 1);
    return codes;
}

inline constexpr auto kLengthCodes = MakeLengthCodes();
inline constexpr auto kDistanceCodes = MakeDistanceCodes();

}  // namespace detail

// The highest length code (0 for symbol 257) whose base does not exceed length.
inline int LengthCode(int length)
{
    return detail::kLengthCodes[length];
}

// The highest distance code whose base does not exceed distance (1 to 32767).
inline int DistanceCode(std::uint32_t distance)
{
    return distance <= 256 ? detail::kDistanceCodes[distance - 1]
                           : detail::kDistanceCodes[256 + ((distance - 1) >> 7)];
}

}  // namespace pdf::deflate
