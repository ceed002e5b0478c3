// A page of a source file drawn on the page being written: made once into a form whose
// stream is the page's content and whose resources are copies of the source's objects.
#include <algorithm>
#include <cmath>
#include <set>

#include "pdf/core/placed_size.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/object_copy.h"
#include "pdf/reader/scanner.h"
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

bool HoldsReference(std::string_view text)
{
    bool found = false;
    RenumberReferences(text, [&](int number) {
        found = true;
        return std::to_string(number) + " 0 R";
    });
    return found;
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
    const int docIndex = mSources.index;
    const std::string name = mResPrefix + "PDF_" + std::to_string(docIndex) + "." + std::to_string(page);
    if (CurrentSource().pages[static_cast<std::size_t>(page)].object > 0)
        WritePageForm(fileName, page, name);

    const SourceDocRecord& record = CurrentSource();
    const SourcePageEntry& entry = record.pages[static_cast<std::size_t>(page)];
    SetXY(x, y);
    // Placed as viewers show the page: turned by its /Rotate.
    const bool quarterTurn = entry.rotation == 90 || entry.rotation == 270;
    const float w = quarterTurn ? entry.height : entry.width;
    const float h = quarterTurn ? entry.width : entry.height;
    if (w == 0 || h == 0)
        throw Error(err::kDivisionByZero, "Division by zero");
    const PlacedSize size = SizeInBox(w, h, mScale, width, height, false);
    width = size.width;
    height = size.height;
    const float sx = width * mScale / w;
    const float sy = height * mScale / h;
    PutLine("q");
    PutLine(kInitialState);
    // Opacity and blend mode are reset only in a document that changed them.
    const auto used = [](const auto& flags) { return std::find(flags.begin(), flags.end(), true) != flags.end(); };
    if (used(mGsAlpha) || used(mGsAlphaFill) || used(mGsAlphaLine) || used(mGsBlend))
        UseExtGState("GS_", 100, mGsAlpha[100], "/ca 1 /CA 1 /BM /Normal");
    PutLine(FormatReal(sx) + " 0 0 " + FormatReal(-sy) + " " + FormatCoord(x) + " " +
            FormatCoord(y + height) + " cm");
    PutLine("/" + name + " Do");
    PutLine("Q");
    SetLastBox(mX, mPageHeight - mY, mX + width * mScale, mPageHeight - mY - height * mScale);
    // Our output is 1.x: a 2.0 page cannot raise it to its own version.
    if (record.majorVersion == 1)
        RequireVersion(record.minorVersion - 3);
}

// The page's form object, its copied resources, and its entry in the shared resources.
// Everything is read before anything is written: an import that starts again on a rebuilt
// table has written nothing, and one whose values cannot be read writes nothing.
void Pagelith::WritePageForm(const std::string& fileName, int page, const std::string& name)
{
    SourceFileSession session(mSources.file, fileName);
    SourcePageEntry& entry = CurrentSource().pages[static_cast<std::size_t>(page)];
    std::string resources;
    std::array<double, 4> box{};
    int rotation = 0;
    Bytes data;
    std::string filter;
    std::string decodeParms;
    bool hasStream = false;
    std::vector<std::pair<int, SourceObject>> copies;
    WithSoundTable([&] {
        const std::string pageText = ReadObjectText(entry.object);
        // An indirect resource dictionary is copied as an object.
        resources = SoundSyntax(HeldValue(entry.resourcesHolder, "Resources", false));
        box = PageBox(entry);
        rotation = PageTurn(entry);
        // One stream is kept as stored, with its filter and parameters; several are decoded
        // and joined, and stored without a filter.
        const std::vector<int> refs = ContentRefs(pageText);
        hasStream = !refs.empty();
        filter.clear();
        decodeParms.clear();
        if (refs.size() == 1) {
            SourceObject stream = ReadObject(refs[0], true);
            hasStream = stream.hasStream;
            data = std::move(stream.data);
            filter = SoundSyntax(stream.filter);
            decodeParms = SoundSyntax(stream.decodeParms);
            // Written into the form, a reference would name one of our objects instead.
            if (HoldsReference(filter) || HoldsReference(decodeParms))
                throw Error(err::kInvalidFileFormat, "The filter of content stream " + std::to_string(refs[0]) +
                                                         " names more objects than can be read");
        } else if (hasStream) {
            data = JoinedContent(refs);
        }
        if (resources.empty())
            resources = "<< >>";
        copies = ReadObjectTree(resources);
    });
    WriteObjectTree(resources, copies);

    entry.width = static_cast<float>(box[2] - box[0]);
    entry.height = static_cast<float>(box[3] - box[1]);
    entry.rotation = rotation;
    const int number = BeginObj(0);
    resources = EncipherCopiedStrings(resources, number);
    decodeParms = EncipherCopiedStrings(decodeParms, number);
    WriteLine("<< /Type /XObject /Subtype /Form /FormType 1");
    WriteLine("   /BBox [" + FormatReal(static_cast<float>(box[0])) + " " +
              FormatReal(static_cast<float>(box[1])) + " " + FormatReal(static_cast<float>(box[2])) +
              " " + FormatReal(static_cast<float>(box[3])) + " ]");
    WriteLine("   /Resources " + resources);
    if (entry.rotation != 0 || box[0] != 0 || box[1] != 0) {
        std::string matrix = "   /Matrix [";
        for (const double value : FormMatrix(box, entry.rotation))
            matrix += FormatReal(static_cast<float>(value)) + " ";
        WriteLine(matrix + "]");
    }
    if (hasStream) {
        EncipherCopiedStream(data, number);
        WriteLine("   /Length " + std::to_string(data.size()));
        if (!filter.empty())
            WriteLine("   /Filter " + filter);
        if (!decodeParms.empty())
            WriteLine("   /DecodeParms " + decodeParms);
        WriteLine(">>");
        WriteLine(StreamLine(data));
    } else {
        WriteLine("   /Length 0");
        WriteLine(">>");
        WriteLine("stream\r\nendstream");
    }
    EndObj();
    mXObjectRes += "/" + name + " " + std::to_string(number) + " 0 R \r";
    entry.object = -entry.object;
}

std::string Pagelith::EncipherCopiedStrings(const std::string& text, int number)
{
    if (!mProtection.Encrypt)
        return text;
    const std::string key = ObjectKey(number);
    return EncipherStrings(text, [&](std::string bytes) { return mProtection.Cipher.Crypt(key, std::move(bytes)); });
}

void Pagelith::EncipherCopiedStream(Bytes& data, int number)
{
    if (mProtection.Encrypt && !data.empty())
        mProtection.Cipher.Crypt(ObjectKey(number), data.data(), data.size());
}

void Pagelith::ForgetImports()
{
    for (SourceDocRecord& record : mSources.records) {
        for (SourcePageEntry& page : record.pages)
            page.object = std::abs(page.object);
        for (auto& [number, entry] : record.xref)
            entry.copied = 0;
    }
}

// Every object the text refers to, and what those refer to, not copied before, each read
// once and its dictionary rewritten as sound syntax.
std::vector<std::pair<int, SourceObject>> Pagelith::ReadObjectTree(const std::string& text)
{
    SourceDocRecord& record = CurrentSource();
    std::vector<std::pair<int, SourceObject>> objects;
    std::set<int> met;
    std::vector<int> pending;
    const auto collect = [&](int source) {
        if (source > 0 && source < record.xrefSize && SourceEntry(source).copied == 0 && met.insert(source).second)
            pending.push_back(source);
        return std::string();
    };
    RenumberReferences(text, collect);
    while (!pending.empty()) {
        const int source = pending.back();
        pending.pop_back();
        SourceObject object = ReadObject(source, true);
        object.raw = SoundSyntax(object.raw);
        RenumberReferences(object.raw, collect);
        objects.emplace_back(source, std::move(object));
    }
    return objects;
}

// Numbers the copies, renumbers the references of the text and of every copy, and writes the
// copies.
void Pagelith::WriteObjectTree(std::string& text, std::vector<std::pair<int, SourceObject>>& objects)
{
    SourceDocRecord& record = CurrentSource();
    for (const auto& [source, object] : objects)
        record.xref[source].copied = ++mObjCount;
    const auto renumber = [&](int source) -> std::string {
        const int copy = source > 0 && source < record.xrefSize ? SourceEntry(source).copied : 0;
        return copy == 0 ? "null" : std::to_string(copy) + " 0 R";
    };
    text = RenumberReferences(text, renumber);
    for (auto& [source, object] : objects) {
        const int copy = record.xref[source].copied;
        if (object.type == "OCG")
            AddImportedLayer(copy, record.layers.Hides(source));
        // The data runs to its "endstream" whatever the source's /Length said.
        const std::string dictionary = object.hasStream ? WithLength(object.raw, object.data.size()) : object.raw;
        const std::string body = EncipherCopiedStrings(RenumberReferences(dictionary, renumber), copy);
        BeginObj(copy);
        WriteLine(TrimSpaces(body).empty() ? "null" : body);
        if (object.hasStream) {
            EncipherCopiedStream(object.data, copy);
            WriteLine(StreamLine(object.data));
        }
        EndObj();
    }
}

}  // namespace pdf
