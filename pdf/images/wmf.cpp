// Windows metafiles: the window, pens and brushes, the fill mode, polylines, polygons and
// polypolygons.  Everything else in the file is passed over.
#include <algorithm>

#include "pdf/images/byte_reader.h"
#include "pdf/images/vector_import.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::uint8_t kPlaceableKey[4] = {0xD7, 0xCD, 0xC6, 0x9A};
// Logical units per inch: the placeable header's own, else twips.
constexpr int kPlaceableUnitsPerInch = 14;
constexpr int kTwipsPerInch = 1440;

namespace record {
constexpr int kEndOfFile = 0x0000;
constexpr int kSetFillMode = 0x0106;
constexpr int kSetWindowOrigin = 0x020B;
constexpr int kSetWindowExtent = 0x020C;
constexpr int kCreatePen = 0x02FA;
constexpr int kCreateBrush = 0x02FC;
constexpr int kDeleteObject = 0x01F0;
constexpr int kSelectObject = 0x012D;
constexpr int kPolyline = 0x0325;
constexpr int kPolygon = 0x0324;
constexpr int kPolyPolygon = 0x0538;
}  // namespace record

// Creations of objects we do not use, which still take their place in the table.
bool CreatesOtherObject(int function)
{
    for (const int f : {0x00F7, 0x00F8, 0x0142, 0x01F9, 0x02FB, 0x02FD, 0x06FE, 0x06FF})
        if (function == f)
            return true;
    return false;
}

constexpr int kAlternate = 1;
constexpr int kNullBrush = 1;
constexpr int kNullPen = 5;

struct WmfObject {
    bool Free = false;
    int Style = 0;
    char Kind = 'D';  // 'P' pen, 'B' brush, 'D' any other object
    float Width = 0;
    std::uint8_t Red = 0, Green = 0, Blue = 0;
};

class WmfWalk {
public:
    WmfWalk(const Bytes& data, float x, float y, float w, float h, const ContentNumbers& n)
        : mData(data), mX(x), mY(y), mW(w), mH(h), mNumbers(n)
    {
    }

    // False when no record drew anything.
    bool Run(std::vector<std::string>& out)
    {
        mOut = &out;
        const bool placeable = mData.size() >= 4 &&
                               std::equal(kPlaceableKey, kPlaceableKey + 4, mData.begin());
        if (placeable && Word(kPlaceableUnitsPerInch) > 0)
            mUnitsPerInch = static_cast<float>(Word(kPlaceableUnitsPerInch));
        std::int64_t at = placeable ? 40 : 18;
        const std::int64_t size = static_cast<std::int64_t>(mData.size());
        // A record of size 0 and the end of the data end the walk like the end record.
        while (at + 6 <= size) {
            const std::int64_t words = ReadIntLE(mData, at, 4);
            const int function = ReadIntLE(mData, at + 4, 2);
            if (words == 0 || function == record::kEndOfFile)
                break;
            Handle(function, at + 6);
            at += words * 2;
        }
        return mDrew;
    }

private:
    std::int32_t Word(std::int64_t at) const { return ReadIntLE(mData, at, 2); }
    std::int32_t Signed(std::int64_t at) const
    {
        const std::int32_t v = Word(at);
        return v > 32767 ? v - 65536 : v;
    }
    std::uint8_t Byte(std::int64_t at) const { return ByteAt(mData, at); }

    void Handle(int function, std::int64_t p)
    {
        const bool draws = function == record::kSelectObject || function == record::kPolyline ||
                           function == record::kPolygon || function == record::kPolyPolygon;
        if (draws && !mTransformWritten)
            WriteTransform();
        switch (function) {
        case record::kSetFillMode:
            mFillMode = Word(p);
            break;
        case record::kSetWindowOrigin:
            if (!mTransformWritten) {
                mOy = static_cast<float>(Signed(p));
                mOx = static_cast<float>(Signed(p + 2));
                mOriginSeen = true;
            }
            break;
        case record::kSetWindowExtent:
            if (!mTransformWritten) {
                mEy = static_cast<float>(Signed(p));
                mEx = static_cast<float>(Signed(p + 2));
                mExtentSeen = true;
            }
            break;
        case record::kCreatePen: {
            WmfObject& pen = NewObject('P');
            pen.Style = Word(p);
            // In logical units, which the window's transformation scales like the points.
            pen.Width = static_cast<float>(Word(p + 2));
            pen.Red = Byte(p + 6);
            pen.Green = Byte(p + 7);
            pen.Blue = Byte(p + 8);
            break;
        }
        case record::kCreateBrush: {
            WmfObject& brush = NewObject('B');
            brush.Style = Word(p);
            brush.Red = Byte(p + 2);
            brush.Green = Byte(p + 3);
            brush.Blue = Byte(p + 4);
            break;
        }
        case record::kDeleteObject: {
            const std::size_t index = static_cast<std::size_t>(Word(p));
            if (index < mObjects.size())
                mObjects[index].Free = true;
            break;
        }
        case record::kSelectObject:
            Select(static_cast<std::size_t>(Word(p)));
            break;
        case record::kPolyline:
            if (Path(Word(p), p + 2))
                mOut->push_back("S");
            break;
        case record::kPolygon:
            if (Path(Word(p), p + 2))
                mOut->push_back(ClosedShapeOperator());
            break;
        case record::kPolyPolygon:
            PolyPolygon(p);
            break;
        default:
            if (CreatesOtherObject(function))
                NewObject('D');
        }
    }

    // The window mapped onto the box; the metafile's y axis already points down.
    void WriteTransform()
    {
        mTransformWritten = true;
        if (!mOriginSeen || !mExtentSeen)
            return;
        if (mEx == 0 || mEy == 0)
            throw FormatError("the metafile's window has no extent");
        float w = mW, h = mH;
        if (w == 0 && h == 0) {
            w = mEx * 72 / (mUnitsPerInch * mNumbers.Scale);
            h = mEy * 72 / (mUnitsPerInch * mNumbers.Scale);
        } else if (w == 0) {
            w = mEx * h / mEy;
        } else if (h == 0) {
            h = mEy * w / mEx;
        }
        const float sx = w * mNumbers.Scale / mEx;
        const float sy = h * mNumbers.Scale / mEy;
        mOut->push_back(mNumbers.Real(sx) + " 0 0 " + mNumbers.Real(sy) + " " +
                        mNumbers.Coord(mX) + " " + mNumbers.Coord(mY) + " cm");
        mOut->push_back("1 0 0 1 " + mNumbers.Real(-mOx) + " " + mNumbers.Real(-mOy) + " cm");
    }

    WmfObject& NewObject(char kind)
    {
        std::size_t index = 0;
        while (index < mObjects.size() && !mObjects[index].Free)
            ++index;
        if (index == mObjects.size())
            mObjects.emplace_back();
        mObjects[index] = WmfObject{};
        mObjects[index].Kind = kind;
        return mObjects[index];
    }

    void Select(std::size_t index)
    {
        if (index >= mObjects.size())
            return;
        const WmfObject& o = mObjects[index];
        const std::string rgb = mNumbers.Component(o.Red) + " " + mNumbers.Component(o.Green) +
                                " " + mNumbers.Component(o.Blue);
        if (o.Kind == 'B') {
            mNullBrush = o.Style == kNullBrush;
            if (!mNullBrush)
                mOut->push_back(rgb + " rg");
        } else if (o.Kind == 'P') {
            static const char* const kDashes[] = {"[ ] 0 d", "[3 1] 0 d", "[0.5 0.5] 0 d",
                                                  "[2 1 0.5 1] 0 d", "[2 1 0.5 1 0.5 1] 0 d"};
            mNullPen = o.Style == kNullPen;
            if (mNullPen)
                return;
            if (o.Style >= 0 && o.Style < 5)
                mOut->push_back(kDashes[o.Style]);
            mOut->push_back(rgb + " RG");
            mOut->push_back(mNumbers.Real(o.Width) + " w");
        }
    }

    // One path, from its last point to its first; false when it has no point.
    bool Path(int count, std::int64_t points)
    {
        RequireBytes(mData, points, std::int64_t{count} * 4);
        for (int i = count - 1; i >= 0; --i) {
            const std::int64_t at = points + std::int64_t{i} * 4;
            mOut->push_back(mNumbers.Real(static_cast<float>(Signed(at))) + " " +
                            mNumbers.Real(static_cast<float>(Signed(at + 2))) +
                            (i == count - 1 ? " m" : " l"));
        }
        mDrew = mDrew || count > 0;
        return count > 0;
    }

    void PolyPolygon(std::int64_t p)
    {
        const int polygons = Word(p);
        std::int64_t points = p + 2 + std::int64_t{polygons} * 2;
        bool any = false;
        for (int k = 0; k < polygons; ++k) {
            const int count = Word(p + 2 + std::int64_t{k} * 2);
            any = Path(count, points) || any;
            points += std::int64_t{count} * 4;
        }
        if (any)
            mOut->push_back(ClosedShapeOperator());
    }

    std::string ClosedShapeOperator() const
    {
        const std::string op = mNullPen ? (mNullBrush ? "n" : "f") : (mNullBrush ? "s" : "b");
        return (op == "f" || op == "b") && mFillMode == kAlternate ? op + "*" : op;
    }

    const Bytes& mData;
    float mX, mY, mW, mH;
    const ContentNumbers& mNumbers;
    std::vector<std::string>* mOut = nullptr;
    std::vector<WmfObject> mObjects;
    float mOx = 0, mOy = 0, mEx = 0, mEy = 0;
    float mUnitsPerInch = kTwipsPerInch;
    bool mDrew = false;
    bool mOriginSeen = false;
    bool mExtentSeen = false;
    bool mTransformWritten = false;
    bool mNullPen = false;
    bool mNullBrush = false;
    int mFillMode = 0;
};

}  // namespace

ImportedDrawing TranslateWmf(const Bytes& data, float x, float y, float w, float h,
                             const ContentNumbers& numbers)
{
    ImportedDrawing drawing;
    drawing.Lines.push_back("q");
    try {
        if (!WmfWalk(data, x, y, w, h, numbers).Run(drawing.Lines)) {
            drawing.Lines.clear();
            drawing.Failure = FormatError("the metafile holds nothing we can draw");
            return drawing;
        }
    } catch (const Error& e) {
        drawing.Failure = e;
    }
    drawing.Lines.push_back("Q");
    return drawing;
}

void Pagelith::ImportWmf(const std::string& fileName, float x, float y, float w, float h)
{
    ImportDrawing(fileName, [&](const Bytes& data, const ContentNumbers& numbers) {
        return TranslateWmf(data, x, y, w, h, numbers);
    });
}

}  // namespace pdf
