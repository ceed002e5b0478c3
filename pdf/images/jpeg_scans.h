// The Huffman tables of a JPEG and the walk of its entropy-coded scans, far enough to know
// that their data cover the frame as readers decode it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pdf/codec/filters.h"

namespace pdf {

// One Huffman table as decoders build it from its 16 code counts and its values.
struct HuffmanCodes {
    bool Defined = false;
    bool Sound = false;  // readers build it: a code of every length left unused, DC sizes to 15
    std::array<int, 17> FirstCode{};  // by length: the first code, and the index of its value
    std::array<int, 17> FirstValue{};
    std::array<int, 17> LastCode{};  // -1 for a length without codes
    std::vector<std::uint8_t> Values;
};

// Tables 0 to 3 of the DC class, then 0 to 3 of the AC class.
using HuffmanTables = std::array<HuffmanCodes, 8>;

// Builds the table whose class-and-slot byte is at `at`, its counts and values lying
// before `end`; returns where the table ends, or 0 when it does not fit.
std::size_t BuildHuffmanCodes(const Bytes& data, std::size_t at, std::size_t end,
                              HuffmanCodes& codes);

// The scans of the frame whose marker code is at `frame`, decoded one after the other as
// readers do, coefficient values aside: a scan whose data end, or reach a marker, before
// its last block, a code its tables lack, a restart marker missing, scans that refine
// what no scan coded, or more scans than readers' work allows raise FormatError.  Of an
// arithmetic-coded frame, whose data readers decode to the end whatever they hold, the
// scan headers, their order and the restart markers are checked.
class JpegScans {
public:
    JpegScans(const Bytes& data, std::size_t frame);
    // The scan whose marker code is at `scan`, with the tables and the restart interval in
    // force; returns where the marker after its coded data begins (the data's size when
    // none follows).
    std::size_t Decode(std::size_t scan, const HuffmanTables& tables, int restartInterval);

private:
    struct Component {
        int Id = 0;
        int H = 1;
        int V = 1;
        int BlocksAcross = 0;  // of the component's own size, as a scan of it alone codes
        int BlocksDown = 0;
        std::array<int, 64> CoefficientBits{};  // the point transform each was coded to; -1
        std::vector<std::uint64_t> NonZero;      // by block, a bit per coefficient coded
    };
    struct ScanPart;
    class Bits;

    std::size_t SkipArithmeticData(std::size_t at, std::int64_t units, int restartInterval) const;
    void CheckProgression(const std::vector<ScanPart>& parts, int ss, int se, int ah, int al);
    void DecodeBlock(Bits& bits, ScanPart& part, std::size_t block, int ss, int se, int ah,
                     int& eobRun);

    const Bytes& mData;
    bool mProgressive = false;
    bool mArithmetic = false;
    int mMcusAcross = 0;
    int mMcusDown = 0;
    std::vector<Component> mComponents;
    std::int64_t mWorkLeft = 0;  // blocks that further scans may still visit
};

}  // namespace pdf
