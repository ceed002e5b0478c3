// The entropy-coded scans of a JPEG, read as far as knowing that they are whole: every
// Huffman code of every block is decoded and no coefficient is computed.  Readers that meet
// a marker, or the end of the data, before a scan's last block fill the rest with zeros and
// warn that the data are corrupt; this walk refuses such data instead.
#include "pdf/images/jpeg_scans.h"

#include <algorithm>

#include "pdf/images/byte_reader.h"
#include "pdf/images/jpeg_prefetch.h"
#include "pdf/images/jpeg_standard_tables.h"

namespace pdf {

namespace {

// The scans may visit each block of the frame this many times in all, far more than
// encoders spend, and never more blocks than the largest frame holds several times over: a
// scan that codes nothing but end-of-band runs costs its blocks for almost no data.
constexpr std::int64_t kVisitsPerBlock = 64;
constexpr std::int64_t kMostVisits = std::int64_t{1} << 28;

Error CutScan()
{
    return FormatError("the JPEG data end inside their scan");
}

int CeilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

// The tables decoders take for tables 0 and 1 of a sequential frame that defines none.
const HuffmanTables& StandardTables()
{
    static const HuffmanTables tables = [] {
        HuffmanTables built;
        for (const auto& segment : jpeg_tables::kStandardHuffman) {
            const Bytes bytes(segment.begin(), segment.end());
            const std::size_t slot = 4u * (bytes[0] >> 4) + (bytes[0] & 15u);
            BuildHuffmanCodes(bytes, 0, bytes.size(), built[slot]);
        }
        return built;
    }();
    return tables;
}

}  // namespace

std::size_t BuildHuffmanCodes(const Bytes& data, std::size_t at, std::size_t end,
                              HuffmanCodes& codes)
{
    if (at + 17 > end || end > data.size())
        return 0;
    int values = 0;
    for (std::size_t length = 1; length <= 16; ++length)
        values += data[at + length];
    const std::size_t last = at + 17 + static_cast<std::size_t>(values);
    if (values > 256 || last > end)
        return 0;
    codes = HuffmanCodes{};
    codes.Defined = true;
    codes.Sound = true;
    codes.Values.assign(data.begin() + static_cast<std::ptrdiff_t>(at + 17),
                        data.begin() + static_cast<std::ptrdiff_t>(last));
    int code = 0;
    int index = 0;
    for (std::size_t length = 1; length <= 16; ++length) {
        const int count = data[at + length];
        codes.FirstCode[length] = code;
        codes.FirstValue[length] = index;
        codes.LastCode[length] = count > 0 ? code + count - 1 : -1;
        code += count;
        index += count;
        if (code >= 1 << length)
            codes.Sound = false;
        code <<= 1;
    }
    const bool dc = (data[at] >> 4) == 0;
    if (dc && std::any_of(codes.Values.begin(), codes.Values.end(),
                          [](std::uint8_t size) { return size > 15; }))
        codes.Sound = false;
    return last;
}

// The coded bits of a scan, with the stuffed zero after each 0xFF byte dropped; a marker
// or the end of the data ends them.  Beside them, how far readers have fetched.
class JpegScans::Bits {
public:
    Bits(const Bytes& data, std::size_t at) : mData(data), mAt(at), mPrefetch(data)
    {
        mPrefetch.Start(at);
    }

    int Get(int count)
    {
        mPrefetch.Need(count);
        mPrefetch.Use(count);
        int value = 0;
        while (count-- > 0)
            value = value << 1 | Bit();
        return value;
    }

    int Decode(const HuffmanCodes& codes)
    {
        int code = 0;
        for (std::size_t length = 1; length <= 16; ++length) {
            code = code << 1 | Bit();
            if (code <= codes.LastCode[length]) {
                Looked(static_cast<int>(length));
                return codes.Values[static_cast<std::size_t>(codes.FirstValue[length] + code -
                                                             codes.FirstCode[length])];
            }
        }
        throw FormatError("the JPEG scan data hold a code their tables lack");
    }

    // The bits left in the byte are dropped, and restart marker `number` (0 to 7) must follow.
    void Restart(int number)
    {
        mCount = 0;
        std::size_t k = mAt;
        while (k < mData.size() && mData[k] == 0xFF)
            ++k;
        if (k == mAt || k >= mData.size() || mData[k] != 0xD0 + number)
            throw FormatError("the JPEG scan lacks a restart marker");
        mAt = k + 1;
        mPrefetch.Start(mAt);
    }

    // Readers decode a unit of a sequential scan by a faster route, which fetches otherwise,
    // while their input holds at least 512 bytes for each of its blocks.
    void BeginSequentialUnit(int blocks)
    {
        if (mData.size() - mAt >= std::size_t{512} * static_cast<std::size_t>(blocks))
            mPrefetch.Lose();
        else if (mPrefetch.Lost())
            mPrefetch.Resume(mAt, mCount);
    }

    // Where the marker after the bits read begins (the data's size when none follows).
    // Readers warn of any byte they did not fetch before it but fill bytes (0xFF).
    std::size_t NextMarker() const
    {
        std::size_t k = mAt;
        while (k + 1 < mData.size() &&
               !(mData[k] == 0xFF && mData[k + 1] != 0 && mData[k + 1] != 0xFF))
            ++k;
        if (k + 1 >= mData.size())
            return mData.size();
        if (!mPrefetch.ReachesMarker(mAt, k))
            throw FormatError("the JPEG scan data run on past their last block");
        return k;
    }

private:
    int Bit()
    {
        if (mCount == 0)
            Fill();
        --mCount;
        return (mByte >> mCount) & 1;
    }

    // Readers look at 8 bits for a code, and take a longer one from 9 bits on, bit by bit.
    void Looked(int length)
    {
        mPrefetch.Need(8);
        if (length <= 8) {
            mPrefetch.Use(length);
            return;
        }
        mPrefetch.Need(9);
        mPrefetch.Use(9);
        for (int bit = 10; bit <= length; ++bit) {
            mPrefetch.Need(1);
            mPrefetch.Use(1);
        }
    }

    void Fill()
    {
        const std::size_t next = AfterDataByte(mData, mAt);
        if (next == kNoDataByte)
            throw CutScan();
        mByte = mData[mAt];
        mAt = next;
        mCount = 8;
    }

    const Bytes& mData;
    std::size_t mAt;
    std::uint8_t mByte = 0;
    int mCount = 0;
    JpegPrefetch mPrefetch;
};

// A component of the scan and the tables it is decoded with.
struct JpegScans::ScanPart {
    Component* Comp = nullptr;
    const HuffmanCodes* Dc = nullptr;
    const HuffmanCodes* Ac = nullptr;
};

JpegScans::JpegScans(const Bytes& data, std::size_t frame) : mData(data)
{
    const auto at = static_cast<std::int64_t>(frame);
    mProgressive = ByteAt(data, at) == 0xC2 || ByteAt(data, at) == 0xCA;
    mArithmetic = ByteAt(data, at) == 0xC9 || ByteAt(data, at) == 0xCA;
    const int height = ReadIntBE(data, at + 4, 2, true);
    const int width = ReadIntBE(data, at + 6, 2, true);
    const int count = ByteAt(data, at + 8);
    int widest = 1;
    int tallest = 1;
    for (int c = 0; c < count; ++c) {
        Component component;
        component.Id = ByteAt(data, at + 9 + 3 * c);
        const int factors = ByteAt(data, at + 10 + 3 * c);
        component.H = factors >> 4;
        component.V = factors & 15;
        component.CoefficientBits.fill(-1);
        widest = std::max(widest, component.H);
        tallest = std::max(tallest, component.V);
        mComponents.push_back(component);
    }
    mMcusAcross = CeilDiv(width, 8 * widest);
    mMcusDown = CeilDiv(height, 8 * tallest);
    std::int64_t blocks = 0;
    for (Component& component : mComponents) {
        component.BlocksAcross = CeilDiv(CeilDiv(width * component.H, widest), 8);
        component.BlocksDown = CeilDiv(CeilDiv(height * component.V, tallest), 8);
        blocks += std::int64_t{mMcusAcross} * component.H * mMcusDown * component.V;
    }
    mWorkLeft = std::min(kVisitsPerBlock * blocks, kMostVisits);
}

std::size_t JpegScans::Decode(std::size_t scan, const HuffmanTables& tables, int restartInterval)
{
    const auto at = static_cast<std::int64_t>(scan);
    const int length = ReadIntBE(mData, at + 1, 2, true);
    const int count = ByteAt(mData, at + 3);
    if (count < 1 || count > 4 || length != 6 + 2 * count)
        throw FormatError("the JPEG scan header is invalid");
    // Readers supply the standard tables 0 and 1 that a sequential frame leaves out.
    const auto table = [&](std::size_t slot) -> const HuffmanCodes* {
        if (!tables[slot].Defined && !mProgressive && slot % 4 < 2)
            return &StandardTables()[slot];
        return &tables[slot];
    };
    std::vector<ScanPart> parts;
    for (int s = 0; s < count; ++s) {
        const int id = ByteAt(mData, at + 4 + 2 * s);
        const auto found = std::find_if(mComponents.begin(), mComponents.end(),
                                        [&](const Component& c) { return c.Id == id; });
        if (found == mComponents.end() ||
            std::any_of(parts.begin(), parts.end(),
                        [&](const ScanPart& p) { return p.Comp == &*found; }))
            throw FormatError("the JPEG scan names a component its frame lacks, or one twice");
        const int selectors = ByteAt(mData, at + 5 + 2 * s);
        if ((selectors >> 4) > 3 || (selectors & 15) > 3)
            throw FormatError("the JPEG scan uses a table the data do not define");
        parts.push_back({&*found, table(static_cast<std::size_t>(selectors >> 4)),
                         table(4 + static_cast<std::size_t>(selectors & 15))});
    }
    const std::int64_t spectrum = at + 4 + 2 * count;
    int ss = 0;
    int se = 63;
    int ah = 0;
    if (mProgressive) {
        ss = ByteAt(mData, spectrum);
        se = ByteAt(mData, spectrum + 1);
        ah = ByteAt(mData, spectrum + 2) >> 4;
        CheckProgression(parts, ss, se, ah, ByteAt(mData, spectrum + 2) & 15);
    }
    const bool usesDc = !mProgressive || (ss == 0 && ah == 0);
    const bool usesAc = !mProgressive || ss > 0;
    for (const ScanPart& part : parts) {
        if (!mArithmetic && ((usesDc && !(part.Dc->Defined && part.Dc->Sound)) ||
                             (usesAc && !(part.Ac->Defined && part.Ac->Sound))))
            throw FormatError("the JPEG scan uses a table the data do not define");
    }

    // A scan of one component codes its blocks one by one, in the component's own size; an
    // interleaved one codes units of each component's sampling factors.
    const bool interleaved = count > 1;
    Component& only = *parts.front().Comp;
    const std::int64_t units = interleaved ? std::int64_t{mMcusAcross} * mMcusDown
                                           : std::int64_t{only.BlocksAcross} * only.BlocksDown;
    int blocksPerUnit = 0;
    for (const ScanPart& part : parts)
        blocksPerUnit += interleaved ? part.Comp->H * part.Comp->V : 1;
    if (interleaved && blocksPerUnit > 10)
        throw FormatError("the JPEG sampling factors are too large for an interleaved scan");
    mWorkLeft -= units * blocksPerUnit;
    if (mWorkLeft < 0)
        throw FormatError("the JPEG data hold more scans than readers decode");
    if (mArithmetic)
        return SkipArithmeticData(scan + 1 + static_cast<std::size_t>(length), units, restartInterval);
    if (mProgressive && ss > 0 && only.NonZero.empty())
        only.NonZero.assign(static_cast<std::size_t>(units), 0);

    Bits bits(mData, scan + 1 + static_cast<std::size_t>(length));
    int eobRun = 0;
    for (std::int64_t unit = 0; unit < units; ++unit) {
        if (restartInterval > 0 && unit > 0 && unit % restartInterval == 0) {
            bits.Restart(static_cast<int>((unit / restartInterval - 1) % 8));
            eobRun = 0;
        }
        if (!mProgressive)
            bits.BeginSequentialUnit(blocksPerUnit);
        for (ScanPart& part : parts) {
            const int blocks = interleaved ? part.Comp->H * part.Comp->V : 1;
            for (int b = 0; b < blocks; ++b)
                DecodeBlock(bits, part, static_cast<std::size_t>(unit), ss, se, ah, eobRun);
        }
    }
    return bits.NextMarker();
}

// Where the marker after the arithmetic-coded data from `at` begins (the data's size when
// none follows), once the restart markers an interval asks for stood among them in order.
std::size_t JpegScans::SkipArithmeticData(std::size_t at, std::int64_t units,
                                          int restartInterval) const
{
    const std::int64_t restarts =
        restartInterval > 0 ? (units + restartInterval - 1) / restartInterval - 1 : 0;
    std::int64_t met = 0;
    std::size_t k = at;
    while (true) {
        while (k + 1 < mData.size() && !(mData[k] == 0xFF && mData[k + 1] != 0 && mData[k + 1] != 0xFF))
            ++k;
        if (k + 1 >= mData.size())
            k = mData.size();
        const bool restart = k < mData.size() && mData[k + 1] >= 0xD0 && mData[k + 1] <= 0xD7;
        if (!restart)
            break;
        if (met == restarts || mData[k + 1] != 0xD0 + met % 8)
            throw FormatError("the JPEG scan lacks a restart marker");
        ++met;
        k += 2;
    }
    if (met != restarts)
        throw FormatError("the JPEG scan lacks a restart marker");
    return k;
}

// A progressive scan refines what earlier scans of its coefficients coded, one bit further
// each time, and codes an AC band only after the DC coefficient; readers warn of any other
// order.
void JpegScans::CheckProgression(const std::vector<ScanPart>& parts, int ss, int se, int ah,
                                 int al)
{
    const bool dcBand = ss == 0;
    const bool valid = (dcBand ? se == 0 : ss <= se && se <= 63 && parts.size() == 1) &&
                       (ah == 0 || al == ah - 1) && al <= 13;
    if (!valid)
        throw FormatError("the JPEG scan header is invalid");
    for (const ScanPart& part : parts) {
        std::array<int, 64>& coded = part.Comp->CoefficientBits;
        if (!dcBand && coded[0] < 0)
            throw FormatError("the JPEG scans refine what no scan coded");
        for (int k = ss; k <= se; ++k) {
            if (ah != std::max(coded[static_cast<std::size_t>(k)], 0))
                throw FormatError("the JPEG scans refine what no scan coded");
            coded[static_cast<std::size_t>(k)] = al;
        }
    }
}

void JpegScans::DecodeBlock(Bits& bits, ScanPart& part, std::size_t block, int ss, int se,
                            int ah, int& eobRun)
{
    if (!mProgressive) {
        bits.Get(bits.Decode(*part.Dc));
        for (int k = 1; k < 64; ++k) {
            const int rs = bits.Decode(*part.Ac);
            if ((rs & 15) == 0 && rs >> 4 != 15)
                break;
            k += rs >> 4;
            bits.Get(rs & 15);
        }
        return;
    }
    if (ss == 0) {
        if (ah == 0)
            bits.Get(bits.Decode(*part.Dc));
        else
            bits.Get(1);
        return;
    }
    std::uint64_t& nonZero = part.Comp->NonZero[block];
    int k = ss;
    if (eobRun == 0) {
        for (; k <= se; ++k) {
            const int rs = bits.Decode(*part.Ac);
            int run = rs >> 4;
            const int size = rs & 15;
            if (size == 0 && run != 15) {
                eobRun = (1 << run) + bits.Get(run);
                break;
            }
            if (ah == 0) {
                k += run;
                if (size != 0) {
                    bits.Get(size);
                    nonZero |= k < 64 ? std::uint64_t{1} << k : 0;
                }
                continue;
            }
            // A refinement codes a new coefficient of magnitude one after `run` zero ones,
            // the coefficients coded before taking a correction bit each on the way.
            if (size > 1)
                throw FormatError("the JPEG scan data hold a code their tables lack");
            if (size == 1)
                bits.Get(1);
            for (; k <= se; ++k) {
                if (nonZero & std::uint64_t{1} << k)
                    bits.Get(1);
                else if (--run < 0)
                    break;
            }
            if (size == 1 && k < 64)
                nonZero |= std::uint64_t{1} << k;
        }
        if (eobRun == 0)
            return;
    }
    // Inside an end-of-band run, a refinement still corrects the coefficients coded before,
    // a bit each.
    for (; ah != 0 && k <= se; ++k) {
        if (nonZero & std::uint64_t{1} << k)
            bits.Get(1);
    }
    --eobRun;
}

}  // namespace pdf
