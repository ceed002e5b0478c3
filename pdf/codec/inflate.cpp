// Inflate: block after block until the final one, each stored, or coded with the fixed
// codes or with codes of its own.
#include "pdf/codec/inflate.h"

#include "pdf/codec/deflate_tables.h"
#include "pdf/codec/inflate_bitreader.h"
#include "pdf/codec/inflate_huffman.h"
#include "pdf/codec/inflate_output.h"

#include <array>
#include <cstring>

namespace pdf {

namespace {

using inflate::BitReader;
using inflate::CodeLookup;
using inflate::CodeShape;
using inflate::HuffmanTable;
using inflate::kEndOfBlock;
using inflate::kInvalid;
using inflate::kLiteral;
using inflate::kTwoLiterals;
using inflate::MakeEntry;
using inflate::OutputBuffer;
using inflate::ThrowCorrupt;
using inflate::ValueWithExtra;

constexpr int kLiteralPrimaryBits = 10;
constexpr int kDistancePrimaryBits = 8;
constexpr int kCodeLengthPrimaryBits = 7;

// The fast loop's margins: a step refills once (taking 7 bytes at most, reading 8), and
// writes a literal or a longest match, copied in whole 16-byte words.
constexpr std::size_t kFastInput = 16;
constexpr std::size_t kFastOutput = deflate::kMaxMatch + 16;

// Distance symbols 30 and 31 are decoded as distances beyond the usual window, which a
// stream can only use after as much output.
constexpr std::array<std::uint32_t, 2> kFarDistanceBase{32769, 49153};
constexpr int kFarDistanceExtra = 14;

constexpr std::array<std::uint32_t, deflate::kLiteralSymbols> LiteralEntries()
{
    std::array<std::uint32_t, deflate::kLiteralSymbols> entries{};
    for (int s = 0; s < deflate::kLiteralSymbols; ++s) {
        if (s < deflate::kEndOfBlock)
            entries[s] = MakeEntry(kLiteral, static_cast<std::uint32_t>(s));
        else if (s == deflate::kEndOfBlock)
            entries[s] = MakeEntry(kEndOfBlock, 0);
        else if (s - 257 < static_cast<int>(deflate::kLengthBase.size()))
            entries[s] = MakeEntry(0, static_cast<std::uint32_t>(deflate::kLengthBase[s - 257]),
                                   static_cast<std::uint32_t>(deflate::kLengthExtra[s - 257]));
        else
            entries[s] = MakeEntry(kInvalid, 0);
    }
    return entries;
}

constexpr std::array<std::uint32_t, deflate::kDistanceSymbols> DistanceEntries()
{
    std::array<std::uint32_t, deflate::kDistanceSymbols> entries{};
    for (int s = 0; s < deflate::kDistanceSymbols; ++s) {
        const bool far = s >= static_cast<int>(deflate::kDistanceBase.size());
        entries[s] = far ? MakeEntry(0, kFarDistanceBase[s - 30], kFarDistanceExtra)
                         : MakeEntry(0, static_cast<std::uint32_t>(deflate::kDistanceBase[s]),
                                     static_cast<std::uint32_t>(deflate::kDistanceExtra[s]));
    }
    return entries;
}

constexpr std::array<std::uint32_t, deflate::kCodeLengthSymbols> CodeLengthEntries()
{
    std::array<std::uint32_t, deflate::kCodeLengthSymbols> entries{};
    for (int s = 0; s < deflate::kCodeLengthSymbols; ++s)
        entries[s] = MakeEntry(0, static_cast<std::uint32_t>(s));
    return entries;
}

constexpr auto kLiteralEntries = LiteralEntries();
constexpr auto kDistanceEntries = DistanceEntries();
constexpr auto kCodeLengthEntries = CodeLengthEntries();

// The most symbols a strict dynamic block codes; the strict fixed distance code leaves the
// codes of symbols 30 and 31 unassigned, so that they fail when met.
constexpr int kStrictDistanceSymbols = static_cast<int>(deflate::kDistanceBase.size());
constexpr int kStrictLiteralSymbols = 286;

struct FixedTables {
    HuffmanTable literals{kLiteralPrimaryBits};
    HuffmanTable distances{kDistancePrimaryBits};
    HuffmanTable strictDistances{kDistancePrimaryBits};

    FixedTables()
    {
        std::array<std::uint8_t, deflate::kLiteralSymbols> lengths{};
        for (int s = 0; s < deflate::kLiteralSymbols; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        literals.Build(lengths.data(), deflate::kLiteralSymbols, kLiteralEntries.data());
        std::array<std::uint8_t, deflate::kDistanceSymbols> five;
        five.fill(5);
        distances.Build(five.data(), deflate::kDistanceSymbols, kDistanceEntries.data());
        strictDistances.Build(five.data(), kStrictDistanceSymbols, kDistanceEntries.data());
    }
};

const FixedTables& Fixed()
{
    static const FixedTables tables;
    return tables;
}

class Decoder {
public:
    // The output's first reservation is a generous guess: only what is written is
    // touched, and a guess too small costs a copy.
    Decoder(std::span<const std::uint8_t> data, std::size_t outputCap, InflateRules rules)
        : mStrict(rules == InflateRules::Strict), mInputSize(data.size()),
          mIn(data.data(), data.size()), mOut(outputCap, data.size() * 4 + 1024)
    {
    }

    InflatedStream Run()
    {
        bool final = false;
        while (!final) {
            final = mIn.Bits(1) != 0;
            switch (mIn.Bits(2)) {
            case 0: StoredBlock(); break;
            case 1:
                CodedBlock(Fixed().literals, mStrict ? Fixed().strictDistances : Fixed().distances);
                break;
            case 2:
                ReadDynamicTables();
                CodedBlock(mLiterals, mDistances);
                break;
            default:  // the reserved type, which holds nothing
                if (mStrict)
                    ThrowCorrupt();
                break;
            }
        }
        mIn.CheckNotOverrun();
        return {mOut.Take(), mInputSize - mIn.Unread()};
    }

private:
    // A stored block whose length check fails is copied all the same unless strict.
    void StoredBlock()
    {
        mIn.AlignToInput();
        const std::uint8_t* header = mIn.TakeBytes(4);
        const std::size_t length = header[0] | header[1] << 8;
        if (mStrict && (length ^ 0xFFFF) != static_cast<std::size_t>(header[2] | header[3] << 8))
            ThrowCorrupt();
        const std::uint8_t* bytes = mIn.TakeBytes(length);
        mOut.Reserve(length);
        std::memcpy(mOut.Data() + mOut.Size(), bytes, length);
        mOut.SetSize(mOut.Size() + length);
    }

    // A code-length code must be complete and the literal/length code too (unless it
    // has a single code); an incomplete distance code is accepted unless strict, where it
    // may have one code at most.  Codes unassigned in an incomplete code fail when met.
    void ReadDynamicTables()
    {
        const int literalCount = static_cast<int>(mIn.Bits(5)) + 257;
        const int distanceCount = static_cast<int>(mIn.Bits(5)) + 1;
        const int codeLengthCount = static_cast<int>(mIn.Bits(4)) + 4;
        if (mStrict &&
            (literalCount > kStrictLiteralSymbols || distanceCount > kStrictDistanceSymbols))
            ThrowCorrupt();

        std::array<std::uint8_t, deflate::kCodeLengthSymbols> codeLengthLengths{};
        for (int i = 0; i < codeLengthCount; ++i)
            codeLengthLengths[deflate::kCodeLengthOrder[i]] = static_cast<std::uint8_t>(mIn.Bits(3));
        if (mCodeLengths.Build(codeLengthLengths.data(), deflate::kCodeLengthSymbols,
                               kCodeLengthEntries.data()) != CodeShape::Complete)
            ThrowCorrupt();
        const CodeLookup codeLengths = mCodeLengths.Lookup();

        std::array<std::uint8_t, deflate::kLiteralSymbols + deflate::kDistanceSymbols> lengths{};
        const int total = literalCount + distanceCount;
        int n = 0;
        while (n < total) {
            mIn.Refill();
            std::uint64_t bitsBefore;
            const int symbol = static_cast<int>(inflate::ValueOf(codeLengths.Decode(mIn, bitsBefore)));
            if (symbol < 16) {
                lengths[n++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t value = 0;
            int repeat;
            if (symbol == 16) {
                if (n == 0)
                    ThrowCorrupt();
                value = lengths[n - 1];
                repeat = 3 + static_cast<int>(mIn.Take(2));
            } else if (symbol == 17) {
                repeat = 3 + static_cast<int>(mIn.Take(3));
            } else {
                repeat = 11 + static_cast<int>(mIn.Take(7));
            }
            if (n + repeat > total)
                ThrowCorrupt();
            std::memset(lengths.data() + n, value, static_cast<std::size_t>(repeat));
            n += repeat;
        }
        if (lengths[deflate::kEndOfBlock] == 0)
            ThrowCorrupt();

        const CodeShape literalShape =
            mLiterals.Build(lengths.data(), literalCount, kLiteralEntries.data());
        if (literalShape == CodeShape::OverSubscribed ||
            (literalShape == CodeShape::Incomplete && mLiterals.LongestLength() != 1))
            ThrowCorrupt();
        mLiterals.PairLiterals();
        const CodeShape distanceShape =
            mDistances.Build(lengths.data() + literalCount, distanceCount, kDistanceEntries.data());
        if (distanceShape == CodeShape::OverSubscribed ||
            (mStrict && distanceShape == CodeShape::Incomplete && mDistances.LongestLength() > 1))
            ThrowCorrupt();
    }

    void CodedBlock(const HuffmanTable& literals, const HuffmanTable& distances)
    {
        const CodeLookup lit = literals.Lookup();
        const CodeLookup dist = distances.Lookup();
        for (;;) {
            if (mIn.Available() >= kFastInput) {
                mOut.Grow(kFastOutput, ExpectedOutput());
                if (mOut.Room() - mOut.Size() >= kFastOutput) {
                    if (FastCodes(lit, dist))
                        return;
                    continue;
                }
            }
            if (SlowCode(lit, dist))
                return;
        }
    }

    // The output the whole input will give if the rest decodes as what came before it
    // did, with a sixteenth to spare.
    std::size_t ExpectedOutput() const
    {
        const double taken = static_cast<double>(mInputSize - mIn.Available());
        const double ratio = static_cast<double>(mOut.Size()) / std::max(taken, 1.0);
        return static_cast<std::size_t>(ratio * static_cast<double>(mInputSize) * (17.0 / 16));
    }

    // Decodes while the input holds kFastInput bytes more and the output has room for
    // kFastOutput: there a refill needs no bounds check and a step no room check.  Gives
    // true at the end of the block.
    bool FastCodes(const CodeLookup& lit, const CodeLookup& dist)
    {
        BitReader in = mIn;  // a copy the compiler keeps in registers
        std::uint8_t* const out = mOut.Data();
        std::size_t pos = mOut.Size();
        const std::size_t last = mOut.Room() - kFastOutput;
        bool end = false;
        // Each step starts with 56 bits or more and the first entry of its symbol looked
        // up; the next one is looked up before the refill so that the two overlap.
        in.RefillFast();
        std::uint32_t first = lit.First(in);
        while (pos <= last && in.Available() >= kFastInput) {
            std::uint64_t bitsBefore;
            std::uint32_t entry = lit.Consume(in, first, bitsBefore);
            if (entry & kLiteral) {
                WriteLiterals(out + pos, entry);
                pos += LiteralCount(entry);
                first = lit.First(in);
                in.RefillFast();
                continue;
            }
            if (entry & (kEndOfBlock | kInvalid)) {
                if (entry & kInvalid)
                    ThrowCorrupt();
                end = true;
                break;
            }
            const std::size_t length = ValueWithExtra(entry, bitsBefore);
            entry = dist.Decode(in, bitsBefore);
            const std::size_t distance = ValueWithExtra(entry, bitsBefore);
            if ((entry & kInvalid) || distance > pos)
                ThrowCorrupt();
            // The next symbol is looked up before the copy, whose branches are hard to
            // predict, so that a mispredicted one does not delay the lookup; and before the
            // refill when the bits left hold its first-table index, as they mostly do, so
            // that the lookup need not wait for the refill.
            first = lit.First(in);
            const bool heldIndex = in.Count() >= kLiteralPrimaryBits;
            in.RefillFast();
            if (!heldIndex) [[unlikely]]
                first = lit.First(in);
            CopyMatch(out + pos, distance, length);
            pos += length;
        }
        mIn = in;
        mOut.SetSize(pos);
        return end;
    }

    // One literal, or one length and its distance, with every check: the input may end
    // within it, the output may have to grow.  Gives true at the end of the block.
    bool SlowCode(const CodeLookup& lit, const CodeLookup& dist)
    {
        mIn.Refill();
        std::uint64_t bitsBefore;
        std::uint32_t entry = lit.Decode(mIn, bitsBefore);
        if (entry & kLiteral) {
            mOut.Reserve(LiteralCount(entry));
            WriteLiterals(mOut.Data() + mOut.Size(), entry);
            mOut.SetSize(mOut.Size() + LiteralCount(entry));
            return false;
        }
        if (entry & kInvalid)
            ThrowCorrupt();
        if (entry & kEndOfBlock)
            return true;
        const std::size_t length = ValueWithExtra(entry, bitsBefore);
        mIn.Refill();
        entry = dist.Decode(mIn, bitsBefore);
        const std::size_t distance = ValueWithExtra(entry, bitsBefore);
        if ((entry & kInvalid) || distance > mOut.Size())
            ThrowCorrupt();
        mOut.Reserve(length);
        CopyMatch(mOut.Data() + mOut.Size(), distance, length);
        mOut.SetSize(mOut.Size() + length);
        return false;
    }

    // Writes the literal or two of a literal entry: two bytes in any case, the second
    // into the slack past the output when the entry holds one.
    static void WriteLiterals(std::uint8_t* to, std::uint32_t entry)
    {
        const auto both = static_cast<std::uint16_t>(entry >> 16);
        std::memcpy(to, &both, 2);
    }

    static std::size_t LiteralCount(std::uint32_t entry) { return 1 + ((entry & kTwoLiterals) != 0); }

    // Copies length bytes from distance back; the copy may overlap what it writes, and
    // may write up to 31 bytes of the buffer's slack past the end.
    static void CopyMatch(std::uint8_t* to, std::size_t distance, std::size_t length)
    {
        const std::uint8_t* from = to - distance;
        const std::uint8_t* const end = to + length;
        if (distance >= 16) {
            // Most matches are short: two words without a loop.
            std::memcpy(to, from, 16);
            std::memcpy(to + 16, from + 16, 16);
            to += 32;
            from += 32;
            while (to < end) {
                std::memcpy(to, from, 16);
                to += 16;
                from += 16;
            }
        } else if (distance >= 8) {
            do {
                std::memcpy(to, from, 8);
                to += 8;
                from += 8;
            } while (to < end);
        } else if (distance == 1) {
            const std::uint64_t word = *from * std::uint64_t{0x0101010101010101};
            do {
                std::memcpy(to, &word, 8);
                to += 8;
            } while (to < end);
        } else {
            // Each word is right in its first `distance` bytes, which the next one follows.
            do {
                std::uint64_t word;
                std::memcpy(&word, from, 8);
                std::memcpy(to, &word, 8);
                to += distance;
                from += distance;
            } while (to < end);
        }
    }

    bool mStrict;
    std::size_t mInputSize;
    BitReader mIn;
    OutputBuffer mOut;
    HuffmanTable mCodeLengths{kCodeLengthPrimaryBits};
    HuffmanTable mLiterals{kLiteralPrimaryBits};
    HuffmanTable mDistances{kDistancePrimaryBits};
};

}  // namespace

Bytes Inflate(std::span<const std::uint8_t> data, std::size_t outputCap, InflateRules rules)
{
    return Decoder(data, outputCap, rules).Run().Data;
}

InflatedStream InflateStream(std::span<const std::uint8_t> data, std::size_t outputCap,
                             InflateRules rules)
{
    return Decoder(data, outputCap, rules).Run();
}

}  // namespace pdf
