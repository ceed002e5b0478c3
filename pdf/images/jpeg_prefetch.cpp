// The readers' bit buffer over a JPEG scan, followed for every position it may stand at.
#include "pdf/images/jpeg_prefetch.h"

#include <algorithm>

namespace pdf {

namespace {

constexpr std::int64_t kFilledBits = 57;
constexpr std::int64_t kBufferBits = 64;

}  // namespace

std::size_t AfterDataByte(const Bytes& data, std::size_t at)
{
    if (at >= data.size())
        return kNoDataByte;
    if (data[at] != 0xFF)
        return at + 1;
    std::size_t next = at + 1;
    while (next < data.size() && data[next] == 0xFF)
        ++next;
    if (next >= data.size() || data[next] != 0)
        return kNoDataByte;
    return next + 1;
}

void JpegPrefetch::Start(std::size_t at)
{
    mCount = 0;
    mUsed = 0;
    Add({at, 0, false});
}

void JpegPrefetch::Lose()
{
    mCount = 0;
}

void JpegPrefetch::Resume(std::size_t at, int unused)
{
    mCount = 0;
    mUsed = 0;
    Reader reader{at, unused, false};
    while (true) {
        const std::size_t next = AfterDataByte(mData, reader.At);
        reader.AtMarker = next == kNoDataByte;
        Add(reader);
        if (reader.AtMarker || reader.Fetched + 8 > kBufferBits)
            return;
        reader.At = next;
        reader.Fetched += 8;
    }
}

void JpegPrefetch::Need(int count)
{
    bool filled = false;
    for (int r = 0; r < mCount; ++r) {
        Reader& reader = mReaders[static_cast<std::size_t>(r)];
        if (!reader.AtMarker && reader.Fetched - mUsed < count) {
            Fill(reader);
            filled = true;
        }
    }
    if (!filled)
        return;
    // Readers that fetched up to the same byte stand alike from then on.
    const int count0 = mCount;
    mCount = 0;
    for (int r = 0; r < count0; ++r)
        Add(mReaders[static_cast<std::size_t>(r)]);
}

bool JpegPrefetch::ReachesMarker(std::size_t from, std::size_t marker) const
{
    const auto onlyFill = [&](std::size_t at) {
        return std::all_of(mData.begin() + static_cast<std::ptrdiff_t>(std::max(at, from)),
                           mData.begin() + static_cast<std::ptrdiff_t>(std::max(marker, from)),
                           [](std::uint8_t byte) { return byte == 0xFF; });
    };
    if (Lost())
        return onlyFill(from);
    return std::all_of(mReaders.begin(), mReaders.begin() + mCount,
                       [&](const Reader& reader) { return onlyFill(reader.At); });
}

void JpegPrefetch::Fill(Reader& reader)
{
    while (reader.Fetched - mUsed < kFilledBits) {
        const std::size_t next = AfterDataByte(mData, reader.At);
        if (next == kNoDataByte) {
            reader.AtMarker = true;
            return;
        }
        reader.At = next;
        reader.Fetched += 8;
    }
}

// Adds `reader` unless one at the same byte is followed already.
void JpegPrefetch::Add(const Reader& reader)
{
    for (int r = 0; r < mCount; ++r) {
        Reader& known = mReaders[static_cast<std::size_t>(r)];
        if (known.At == reader.At) {
            known.AtMarker = known.AtMarker || reader.AtMarker;
            return;
        }
    }
    mReaders[static_cast<std::size_t>(mCount++)] = reader;
}

}  // namespace pdf
