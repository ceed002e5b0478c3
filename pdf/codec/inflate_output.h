// The decoded bytes of an Inflate call: room reserved geometrically up to the caller's cap,
// with a few bytes of slack past the end so that matches may be copied in whole words.
#pragma once

#include "pdf/codec/filters.h"
#include "pdf/codec/inflate_error.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace pdf::inflate {

class OutputBuffer {
public:
    static constexpr std::size_t kSlack = 32;

    // A cap beyond any real size is taken as no cap.
    OutputBuffer(std::size_t cap, std::size_t sizeHint)
        : mCap(std::min(cap, std::numeric_limits<std::size_t>::max() / 4))
    {
        mBytes.reserve(std::min(sizeHint, mCap) + kSlack);
        mBytes.resize(kSlack);
    }

    std::uint8_t* Data() { return mBytes.data(); }
    std::size_t Size() const { return mSize; }
    void SetSize(std::size_t size) { mSize = size; }
    // How many bytes may be written in all before Reserve is needed again.
    std::size_t Room() const { return mBytes.size() - kSlack; }

    // Makes room for count bytes after the decoded ones, plus the slack; fails when they
    // would pass the cap.
    void Reserve(std::size_t count)
    {
        if (mSize + count + kSlack <= mBytes.size())
            return;
        if (count > mCap || mSize > mCap - count)
            ThrowPastCap(mCap);
        Grow(count);
    }

    // Makes room for count bytes as far as the cap allows, without failing.  The memory
    // reserved grows to the expected total size when that is known, by a quarter at least
    // and by four times at most, so that a wrong guess costs few copies.  Only a step
    // past what is needed is made writable at a time: the bytes are zeroed when they
    // become writable, and zeroing memory never written would cost its pages for nothing.
    void Grow(std::size_t count, std::size_t expected = 0)
    {
        const std::size_t needed = mSize + count + kSlack;
        if (needed <= mBytes.size())
            return;
        const std::size_t most = mCap + kSlack;
        if (needed > mBytes.capacity() && mBytes.capacity() < most) {
            const std::size_t capacity = mBytes.capacity();
            const std::size_t wanted = std::max(
                std::clamp(expected + kSlack, capacity + capacity / 4, capacity * 4), needed);
            mBytes.reserve(std::min(wanted, most));
        }
        mBytes.resize(std::min({std::max(needed, mBytes.size() + kStep), mBytes.capacity(), most}));
    }

    Bytes Take()
    {
        mBytes.resize(mSize);
        return std::move(mBytes);
    }

private:
    static constexpr std::size_t kStep = std::size_t{1} << 16;

    std::size_t mCap;
    std::size_t mSize = 0;
    Bytes mBytes;
};

}  // namespace pdf::inflate
