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
using inflate::CodeShape;
using inflate::HuffmanTable;
using inflate::MakeEntry;
using inflate::OutputBuffer;
using inflate::SymbolKind;
using inflate::ThrowCorrupt;

constexpr int kLiteralPrimaryBits = 10;
constexpr int kDistancePrimaryBits = 8;
constexpr int kCodeLengthPrimaryBits = 7;

// Distance symbols 30 and 31 are decoded as distances beyond the usual window, which a
// stream can only use after as much output.
constexpr std::array<std::uint32_t, 2> kFarDistanceBase{32769, 49153};
constexpr int kFarDistanceExtra = 14;

constexpr std::array<std::uint32_t, deflate::kLiteralSymbols> LiteralEntries()
{
    std::array<std::uint32_t, deflate::kLiteralSymbols> entries{};
    for (int s = 0; s < deflate::kLiteralSymbols; ++s) {
        if (s < deflate::kEndOfBlock)
            entries[s] = MakeEntry(SymbolKind::Literal, static_cast<std::uint32_t>(s));
        else if (s == deflate::kEndOfBlock)
            entries[s] = MakeEntry(SymbolKind::EndOfBlock, 0);
        else if (s - 257 < static_cast<int>(deflate::kLengthBase.size()))
            entries[s] = MakeEntry(SymbolKind::Base,
                                   static_cast<std::uint32_t>(deflate::kLengthBase[s - 257]),
                                   static_cast<std::uint32_t>(deflate::kLengthExtra[s - 257]));
        else
            entries[s] = MakeEntry(SymbolKind::Invalid, 0);
    }
    return entries;
}

constexpr std::array<std::uint32_t, deflate::kDistanceSymbols> DistanceEntries()
{
    std::array<std::uint32_t, deflate::kDistanceSymbols> entries{};
    for (int s = 0; s < deflate::kDistanceSymbols; ++s) {
        const bool far = s >= static_cast<int>(deflate::kDistanceBase.size());
        entries[s] = far ? MakeEntry(SymbolKind::Base, kFarDistanceBase[s - 30], kFarDistanceExtra)
                         : MakeEntry(SymbolKind::Base,
                                     static_cast<std::uint32_t>(deflate::kDistanceBase[s]),
                                     static_cast<std::uint32_t>(deflate::kDistanceExtra[s]));
    }
    return entries;
}

constexpr std::array<std::uint32_t, deflate::kCodeLengthSymbols> CodeLengthEntries()
{
    std::array<std::uint32_t, deflate::kCodeLengthSymbols> entries{};
    for (int s = 0; s < deflate::kCodeLengthSymbols; ++s)
        entries[s] = MakeEntry(SymbolKind::Literal, static_cast<std::uint32_t>(s));
    return entries;
}

constexpr auto kLiteralEntries = LiteralEntries();
constexpr auto kDistanceEntries = DistanceEntries();
constexpr auto kCodeLengthEntries = CodeLengthEntries();

struct FixedTables {
    HuffmanTable literals{kLiteralPrimaryBits};
    HuffmanTable distances{kDistancePrimaryBits};

    FixedTables()
    {
        std::array<std::uint8_t, deflate::kLiteralSymbols> lengths{};
        for (int s = 0; s < deflate::kLiteralSymbols; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        literals.Build(lengths.data(), deflate::kLiteralSymbols, kLiteralEntries.data());
        std::array<std::uint8_t, deflate::kDistanceSymbols> five;
        five.fill(5);
        distances.Build(five.data(), deflate::kDistanceSymbols, kDistanceEntries.data());
    }
};

const FixedTables& Fixed()
{
    static const FixedTables tables;
    return tables;
}

class Decoder {
public:
    Decoder(std::span<const std::uint8_t> data, std::size_t outputCap)
        : mIn(data.data(), data.size()), mOut(outputCap, data.size() * 4 + 1024)
    {
    }

    Bytes Run()
    {
        bool final = false;
        while (!final) {
            final = mIn.Bits(1) != 0;
            switch (mIn.Bits(2)) {
            case 0: StoredBlock(); break;
            case 1: CodedBlock(Fixed().literals, Fixed().distances); break;
            case 2:
                ReadDynamicTables();
                CodedBlock(mLiterals, mDistances);
                break;
            default: break;  // the reserved type holds nothing
            }
        }
        mIn.CheckNotOverrun();
        return mOut.Take();
    }

private:
    // A stored block whose length check fails is copied all the same.
    void StoredBlock()
    {
        mIn.AlignToInput();
        const std::uint8_t* header = mIn.TakeBytes(4);
        const std::size_t length = header[0] | header[1] << 8;
        const std::uint8_t* bytes = mIn.TakeBytes(length);
        mOut.Reserve(length);
        std::memcpy(mOut.Data() + mOut.Size(), bytes, length);
        mOut.SetSize(mOut.Size() + length);
    }

    // A code-length code must be complete and the literal/length code too (unless it
    // has a single code); an incomplete distance code is accepted.  Codes unassigned
    // in an incomplete code fail when met.
    void ReadDynamicTables()
    {
        const int literalCount = static_cast<int>(mIn.Bits(5)) + 257;
        const int distanceCount = static_cast<int>(mIn.Bits(5)) + 1;
        const int codeLengthCount = static_cast<int>(mIn.Bits(4)) + 4;

        std::array<std::uint8_t, deflate::kCodeLengthSymbols> codeLengthLengths{};
        for (int i = 0; i < codeLengthCount; ++i)
            codeLengthLengths[deflate::kCodeLengthOrder[i]] = static_cast<std::uint8_t>(mIn.Bits(3));
        if (mCodeLengths.Build(codeLengthLengths.data(), deflate::kCodeLengthSymbols,
                               kCodeLengthEntries.data()) != CodeShape::Complete)
            ThrowCorrupt();

        std::array<std::uint8_t, deflate::kLiteralSymbols + deflate::kDistanceSymbols> lengths{};
        const int total = literalCount + distanceCount;
        int n = 0;
        while (n < total) {
            mIn.Refill();
            const int symbol = static_cast<int>(inflate::ValueOf(mCodeLengths.Decode(mIn)));
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
        if (mDistances.Build(lengths.data() + literalCount, distanceCount,
                             kDistanceEntries.data()) == CodeShape::OverSubscribed)
            ThrowCorrupt();
    }

    void CodedBlock(const HuffmanTable& literals, const HuffmanTable& distances)
    {
        std::uint8_t* out = mOut.Data();
        std::size_t pos = mOut.Size();
        std::size_t room = mOut.Room();
        for (;;) {
            // A refill holds bits for three literals, or for a length and its distance.
            mIn.Refill();
            std::uint32_t entry = literals.Decode(mIn);
            int moreLiterals = 2;
            while (inflate::KindOf(entry) == SymbolKind::Literal) {
                if (pos >= room) {
                    mOut.SetSize(pos);
                    mOut.Reserve(1);
                    out = mOut.Data();
                    room = mOut.Room();
                }
                out[pos++] = static_cast<std::uint8_t>(inflate::ValueOf(entry));
                if (moreLiterals-- == 0)
                    break;
                entry = literals.Decode(mIn);
            }
            const SymbolKind kind = inflate::KindOf(entry);
            if (kind == SymbolKind::Literal)
                continue;
            if (moreLiterals < 2)
                mIn.Refill();
            if (kind == SymbolKind::EndOfBlock)
                break;
            if (kind != SymbolKind::Base)
                ThrowCorrupt();
            const std::size_t length = inflate::ValueOf(entry) + mIn.Take(inflate::ExtraBitsOf(entry));

            entry = distances.Decode(mIn);
            if (inflate::KindOf(entry) != SymbolKind::Base)
                ThrowCorrupt();
            const std::size_t distance = inflate::ValueOf(entry) + mIn.Take(inflate::ExtraBitsOf(entry));
            if (distance > pos)
                ThrowCorrupt();
            if (pos + length > room) {
                mOut.SetSize(pos);
                mOut.Reserve(length);
                out = mOut.Data();
                room = mOut.Room();
            }
            CopyMatch(out + pos, distance, length);
            pos += length;
        }
        mOut.SetSize(pos);
    }

    // Copies length bytes from distance back; the copy may overlap what it writes, and
    // may write up to 7 bytes of the buffer's slack past the end.
    static void CopyMatch(std::uint8_t* to, std::size_t distance, std::size_t length)
    {
        const std::uint8_t* from = to - distance;
        if (distance >= 8) {
            for (std::size_t i = 0; i < length; i += 8)
                std::memcpy(to + i, from + i, 8);
        } else if (distance == 1) {
            std::memset(to, *from, length);
        } else {
            for (std::size_t i = 0; i < length; ++i)
                to[i] = from[i];
        }
    }

    BitReader mIn;
    OutputBuffer mOut;
    HuffmanTable mCodeLengths{kCodeLengthPrimaryBits};
    HuffmanTable mLiterals{kLiteralPrimaryBits};
    HuffmanTable mDistances{kDistancePrimaryBits};
};

}  // namespace

Bytes Inflate(std::span<const std::uint8_t> data, std::size_t outputCap)
{
    return Decoder(data, outputCap).Run();
}

}  // namespace pdf
