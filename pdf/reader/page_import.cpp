// A page of a source file drawn on the page being written: made once into a form whose
// stream is the page's content and whose resources are copies of the source's objects.
#include <algorithm>
#include <cmath>
#include <set>

#include "pdf/core/placed_size.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

// The graphics and text state a reader starts a page in, as far as operators set it: a
// source page's content relies on it, whatever the page it is drawn on holds.  The
// clipping path and the transformation stay the page's: they place the form.
constexpr const char* kInitialState = "0 g 0 G 1 w 0 J 0 j 10 M [] 0 d 0 Tc 0 Tw 100 Tz 0 TL 0 Tr 0 Ts";

std::string StreamLine(const Bytes& data)
{
    return "stream\r\n" + std::string(data.begin(), data.end()) + "\rendstream";
}

// Maps the page's box, turned clockwise by `rotation` degrees, onto a box from (0, 0).
std::array<double, 6> FormMatrix(const std::array<double, 4>& box, int rotation)
{
    const double x1 = box[0], y1 = box[1], x2 = box[2], y2 = box[3];
    std::array<double, 6> m{1, 0, 0, 1, -x1, -y1};
    if (rotation == 90)
        m = {0, -1, 1, 0, -y1, x2};
    else if (rotation == 180)
        m = {-1, 0, 0, -1, x2, y2};
    else if (rotation == 270)
        m = {0, 1, -1, 0, y2, -x1};
    return m;
}

}  // namespace

void Pagelith::ImportPage(std::string fileName, int page, float x, float y, float width, float height)
{
    if (!CanDraw("ImportPage"))
        return;
    WithMemoryErrors([&] { PlaceSourcePage(fileName, page, x, y, width, height); });
}

void Pagelith::PlaceSourcePage(const std::string& fileName, int page, float x, float y, float width,
                               float height)
{
    RequireFinite({x, y, width, height});
    if (!SourcePageReadable(fileName, page))
        return;
    const int docIndex = mReader.Index();
    const std::string name = mInfo.resPrefix + "PDF_" + std::to_string(docIndex) + "." + std::to_string(page);
    if (mReader.Current().pages[static_cast<std::size_t>(page)].object > 0)
        WritePageForm(fileName, page, name);

    const SourceDocRecord& record = mReader.Current();
    const SourcePageEntry& entry = record.pages[static_cast<std::size_t>(page)];
    SetXY(x, y);
    // Placed as viewers show the page: turned by its /Rotate.
    const bool quarterTurn = entry.rotation == 90 || entry.rotation == 270;
    const float w = quarterTurn ? entry.height : entry.width;
    const float h = quarterTurn ? entry.width : entry.height;
    if (w == 0 || h == 0)
        throw Error(err::kDivisionByZero, "Division by zero");
    const PlacedSize size = SizeInBox(w, h, mGeometry.scale, width, height, false);
    width = size.width;
    height = size.height;
    const float sx = width * mGeometry.scale / w;
    const float sy = height * mGeometry.scale / h;
    PutLine("q");
    PutLine(kInitialState);
    // Opacity and blend mode are reset only in a document that changed them.
    const auto used = [](const auto& flags) { return std::find(flags.begin(), flags.end(), true) != flags.end(); };
    if (used(mGs.alpha) || used(mGs.alphaFill) || used(mGs.alphaLine) || used(mGs.blend))
        UseExtGState("GS_", 100, mGs.alpha[100], "/ca 1 /CA 1 /BM /Normal");
    PutLine(FormatReal(sx) + " 0 0 " + FormatReal(-sy) + " " + FormatCoord(x) + " " +
            FormatCoord(y + height) + " cm");
    PutLine("/" + name + " Do");
    PutLine("Q");
    SetLastBox(mText.x, mGeometry.height - mText.y, mText.x + width * mGeometry.scale, mGeometry.height - mText.y - height * mGeometry.scale);
    // Our output is 1.x: a 2.0 page cannot raise it to its own version.
    if (record.majorVersion == 1)
        RequireVersion(record.minorVersion - 3);
}

// The page's form object, its copied resources, and its entry in the shared resources.
void Pagelith::WritePageForm(const std::string& fileName, int page, const std::string& name)
{
    PageFormSource form =
        mReader.ReadPageForm(fileName, page, [this](int source) { return CopyOf(source) != 0; });
    if (form.breaksPdfa)
        mPdfa.broken = true;
    WriteObjectTree(form.copies);
    const std::array<double, 4>& box = form.geometry.box;
    SourcePageEntry& entry = mReader.Current().pages[static_cast<std::size_t>(page)];
    entry.width = static_cast<float>(box[2] - box[0]);
    entry.height = static_cast<float>(box[3] - box[1]);
    entry.rotation = form.geometry.rotation;
    const int number = BeginObj(0);
    WriteLine("<< /Type /XObject /Subtype /Form /FormType 1");
    WriteLine("   /BBox [" + FormatReal(static_cast<float>(box[0])) + " " +
              FormatReal(static_cast<float>(box[1])) + " " + FormatReal(static_cast<float>(box[2])) +
              " " + FormatReal(static_cast<float>(box[3])) + " ]");
    WriteLine("   /Resources " + CopiedSyntax(form.resources, number));
    if (entry.rotation != 0 || box[0] != 0 || box[1] != 0) {
        std::string matrix = "   /Matrix [";
        for (const double value : FormMatrix(box, entry.rotation))
            matrix += FormatReal(static_cast<float>(value)) + " ";
        WriteLine(matrix + "]");
    }
    if (form.hasStream) {
        EncipherCopiedStream(form.data, number);
        WriteLine("   /Length " + std::to_string(form.data.size()));
        if (!form.filter.Is(Value::kNull))
            WriteLine("   /Filter " + CopiedSyntax(form.filter, number));
        if (!form.decodeParms.Is(Value::kNull))
            WriteLine("   /DecodeParms " + CopiedSyntax(form.decodeParms, number));
        WriteLine(">>");
        WriteLine(StreamLine(form.data));
    } else {
        WriteLine("   /Length 0");
        WriteLine(">>");
        WriteLine("stream\r\nendstream");
    }
    EndObj();
    mResources.xObjects += "/" + name + " " + std::to_string(number) + " 0 R \r";
    entry.object = -entry.object;
}

int Pagelith::CopyOf(int source)
{
    if (source <= 0 || source >= mReader.Current().xrefSize)
        return 0;
    const auto found = mImports.copies.find({mReader.Index(), source});
    return found == mImports.copies.end() ? 0 : found->second;
}

// The value as the copy numbered `number` writes it: references to the copies of their
// objects (null for an object not copied), strings enciphered with the copy's key under
// protection.
std::string Pagelith::CopiedSyntax(const Value& value, int number)
{
    ValueWriters writers;
    writers.reference = [this](int source, int) {
        const int copy = CopyOf(source);
        return copy == 0 ? std::string("null") : std::to_string(copy) + " 0 R";
    };
    if (mProtection.Encrypt) {
        const std::string key = ObjectKey(number);
        writers.string = [this, key](const std::string& bytes) { return mProtection.Cipher.Crypt(key, bytes); };
    }
    return Serialise(value, writers);
}

void Pagelith::EncipherCopiedStream(Bytes& data, int number)
{
    if (mProtection.Encrypt && !data.empty())
        mProtection.Cipher.Crypt(ObjectKey(number), data.data(), data.size());
}

// Numbers the copies and writes them.
void Pagelith::WriteObjectTree(std::vector<std::pair<int, SourceObject>>& objects)
{
    for (const auto& [source, object] : objects)
        mImports.copies[{mReader.Index(), source}] = ++mOutput.objCount;
    for (auto& [source, object] : objects) {
        const int copy = CopyOf(source);
        if (object.type == "OCG")
            AddImportedLayer(copy, mReader.Current().layers.Hides(source));
        BeginObj(copy);
        WriteLine(CopiedSyntax(object.value, copy));
        if (object.hasStream) {
            EncipherCopiedStream(object.data, copy);
            WriteLine(StreamLine(object.data));
        }
        EndObj();
    }
}

}  // namespace pdf
