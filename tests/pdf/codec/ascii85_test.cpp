#include "pdf/codec/filters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Encoded(pdf::Bytes data)
{
    pdf::EncodeASCII85(data);
    return std::string(data.begin(), data.end());
}

// The reader's side of /ASCII85Decode for what our encoder writes.
pdf::Bytes Decoded(const std::string& text)
{
    pdf::Bytes out;
    std::uint32_t value = 0;
    int count = 0;
    std::size_t end = text.find("~>");
    EXPECT_EQ(end, text.size() - 2);
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == 'z' && count == 0) {
            out.insert(out.end(), 4, 0);
            continue;
        }
        value = value * 85 + static_cast<std::uint32_t>(text[i] - '!');
        if (++count == 5) {
            for (int s = 24; s >= 0; s -= 8)
                out.push_back(static_cast<std::uint8_t>(value >> s));
            value = 0;
            count = 0;
        }
    }
    if (count > 0) {
        for (int pad = count; pad < 5; ++pad)
            value = value * 85 + 84;
        for (int i = 0; i < count - 1; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> (24 - 8 * i)));
    }
    return out;
}

TEST(ASCII85, ZeroGroupsAndShortLastGroup)
{
    EXPECT_EQ(Encoded({0, 0, 0, 0, 0x61, 0x62, 0x63}), "z@:E^~>");
    EXPECT_EQ(Encoded({0, 0, 0, 0}), "z~>");
    EXPECT_EQ(Encoded({0}), "!!~>");
    EXPECT_EQ(Encoded({0, 0, 0}), "!!!!~>");
    EXPECT_EQ(Encoded({}), "~>");
    EXPECT_EQ(Encoded({0xFF, 0xFF, 0xFF, 0xFF}), "s8W-!~>");
}

TEST(ASCII85, EveryTailLengthDecodesBack)
{
    pdf::Bytes data;
    for (int i = 0; i < 1000; ++i)
        data.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? 0 : i * 37 + (i >> 3)));
    for (std::size_t length : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 999u, 1000u}) {
        pdf::Bytes part(data.begin(), data.begin() + length);
        std::string text = Encoded(part);
        EXPECT_EQ(text.find_first_of(" \r\n"), std::string::npos);
        EXPECT_EQ(Decoded(text), part) << "length " << length;
    }
}

}  // namespace
