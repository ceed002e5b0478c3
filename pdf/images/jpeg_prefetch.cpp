// The readers' bit buffer over a JPEG scan, followed for every position it may stand at.
#include "pdf/images/jpeg_prefetch.h"

#include <algorithm>

namespace pdf {

namespace {

constexpr std::int64_t kFilledBits = 57;
constexpr std::int64_t kBufferBits = 64;

}  // namespace

void JpegPrefetch::Start(std::size_t at)
{
    Lose();
    mUsed = 0;
    Add({at, 0, false});
    CountLeastFetched();
}

void JpegPrefetch::Lose()
{
    mCount = 0;
    mLeastFetched = INT64_MAX;
}

void JpegPrefetch::Resume(std::size_t at, int unused)
{
    Lose();
    mUsed = 0;
    Reader reader{at, unused, false};
    while (true) {
        const std::size_t next = AfterDataByte(mData, reader.At);
        reader.AtMarker = next == kNoDataByte;
        Add(reader);
        if (reader.AtMarker || reader.Fetched + 8 > kBufferBits)
            break;
        reader.At = next;
        reader.Fetched += 8;
    }
    CountLeastFetched();
}

void JpegPrefetch::Fill(int count)
{
    for (int r = 0; r < mCount; ++r) {
        Reader& reader = mReaders[static_cast<std::size_t>(r)];
        if (!reader.AtMarker && reader.Fetched - mUsed < count)
            Fill(reader);
    }
    // Readers that fetched up to the same byte stand alike from then on.
    const int followed = mCount;
    mCount = 0;
    for (int r = 0; r < followed; ++r)
        Add(mReaders[static_cast<std::size_t>(r)]);
    CountLeastFetched();
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

void JpegPrefetch::CountLeastFetched()
{
    mLeastFetched = INT64_MAX;
    for (int r = 0; r < mCount; ++r) {
        const Reader& reader = mReaders[static_cast<std::size_t>(r)];
        if (!reader.AtMarker)
            mLeastFetched = std::min(mLeastFetched, reader.Fetched);
    }
}

}  // namespace pdf
