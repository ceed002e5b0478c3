// How far the readers' Huffman decoders have fetched a JPEG scan ahead of the bits they
// used.  Their bit buffer holds up to 64 bits.  It is filled when a code is to be decoded
// with fewer than 8 bits held, or n bits are to be read with fewer than n held, and then
// byte by byte until it holds 57 bits or the next byte begins a marker.  At the end of a
// scan, bytes fetched and never used are dropped without a word, while bytes left between
// the last one fetched and the marker are reported as corrupt data.
#pragma once

#include <array>
#include <cstdint>

#include "pdf/codec/filters.h"

namespace pdf {

// The offset after the data byte of a scan at `at`, a 0xFF with its stuffed zero counting as
// one, or kNoDataByte where a marker (or the data's end) stands there.
constexpr std::size_t kNoDataByte = SIZE_MAX;
inline std::size_t AfterDataByte(const Bytes& data, std::size_t at)
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

class JpegPrefetch {
public:
    explicit JpegPrefetch(const Bytes& data) : mData(data) {}

    // Readers start with an empty buffer at `at`: a scan's data, or those after a restart.
    void Start(std::size_t at);
    // Readers may have taken a route that fetches otherwise: where they stand is unknown.
    void Lose();
    bool Lost() const { return mCount == 0; }
    // Readers fetch as modelled again, the next byte to be used being at `at` and `unused`
    // bits of the one before it still to be used: every position their buffer can have
    // reached is followed.
    void Resume(std::size_t at, int unused);

    // A code (8 bits looked at) or `count` bits are about to be used.
    void Need(int count)
    {
        if (mLeastFetched - mUsed < count)
            Fill(count);
    }
    void Use(int count) { mUsed += count; }

    // Whether every reader followed, or one standing at `from` when none is, meets the
    // marker whose last 0xFF is at `marker` with nothing but fill bytes (0xFF) unfetched
    // before it.
    bool ReachesMarker(std::size_t from, std::size_t marker) const;

private:
    struct Reader {
        std::size_t At = 0;         // the next byte it fetches
        std::int64_t Fetched = 0;   // bits, counted like mUsed
        bool AtMarker = false;
    };

    void Fill(int count);
    void Fill(Reader& reader);
    void Add(const Reader& reader);
    void CountLeastFetched();

    const Bytes& mData;
    std::array<Reader, 9> mReaders{};  // one for each byte the buffer can hold ahead
    int mCount = 0;
    std::int64_t mUsed = 0;
    std::int64_t mLeastFetched = INT64_MAX;  // of the readers followed that may fetch more
};

}  // namespace pdf
