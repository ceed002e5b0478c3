// Objects of a source file: found by their cross-reference entry, cut out of the file at
// their "obj" and "stream" or "endobj" keywords, with their stream bytes as stored.
#include <algorithm>
#include <array>

#include "pdf/reader/source_reader.h"
#include "pdf/reader/lexer.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

constexpr std::int64_t kChunk = 4096;
// Object reads nested deeper than this come from a file whose objects need one another
// in a circle.
constexpr int kMaxReadDepth = 32;
// A value given in pieces takes at most this many objects.
constexpr int kMaxDirectObjects = 64;
// No object's text is longer.
constexpr std::size_t kMaxObjectTextBytes = 16u << 20;

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : mDepth(depth)
    {
        if (++mDepth > kMaxReadDepth) {
            --mDepth;
            throw Error(err::kOutOfStackSpace, "Out of stack space");
        }
    }
    ~DepthGuard() { --mDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& mDepth;
};

// The object's value, parsed once from its text.
void ParseText(std::string_view text, SourceObject& object)
{
    object.textBytes = text.size();
    object.value = ParseValue(text, &object.sound);
}

void TakeType(SourceObject& object)
{
    if (const Value& type = object.value.Get("Type"); type.Is(Value::kName))
        object.type = type.Bytes();
}

// Where an object's text ends: its "endobj" or "stream" keyword, outside strings and
// comments.
struct TextEnd {
    std::size_t at = std::string::npos;
    bool stream = false;
    // Where to look again once more bytes are read: a token the bytes' end may cut.
    std::size_t resume = 0;
};

TextEnd FindTextEnd(std::string_view bytes, std::size_t from, bool atEnd)
{
    // The two tokens before the current one: the "N G" of a next object's header.
    std::array<SyntaxToken, 2> before{};
    SyntaxToken token = NextToken(bytes, from);
    for (; token.kind != SyntaxToken::kNone; token = NextToken(bytes, token.end)) {
        if (token.end == bytes.size() && !atEnd)
            return {std::string::npos, false, before[0].end > from ? before[0].start : token.start};
        const std::string_view word = token.kind == SyntaxToken::kWord ? token.In(bytes) : std::string_view();
        if (word == "endobj" || word == "stream")
            return {token.start, word == "stream", token.start};
        // An object that ends with no "endobj" ends where the next one begins.
        if (word == "obj" && before[0].end > from && ObjectHeaderAt(bytes, before[0].start).end == token.end)
            return {before[0].start, false, before[0].start};
        before = {before[1], token};
    }
    return {std::string::npos, false, bytes.size()};
}

}  // namespace

XrefEntry SourceReader::SourceEntry(int number)
{
    // A number the table does not reach names no object: the reference reads as null.
    SourceDocRecord& record = Current();
    if (number < 0 || number >= record.xrefSize)
        return {};
    const auto found = record.xref.find(number);
    return found == record.xref.end() ? XrefEntry{} : found->second;
}

Value SourceReader::Resolved(const Value& value)
{
    return Resolve(value, [this](int number) { return ReadObject(number).value; });
}

Value SourceReader::ObjectValue(int number)
{
    const Value& value = ReadObject(number).value;
    return value.Is(Value::kReference) ? Resolved(value) : value;
}

Value SourceReader::DirectValue(const Value& value)
{
    int objects = kMaxDirectObjects;
    return Direct(value, [this](int number) { return ReadObject(number).value; }, objects);
}

const SourceObject& SourceReader::ReadObject(int number)
{
    SourceDocRecord& record = Current();
    if (const auto found = record.objects.find(number); found != record.objects.end()) {
        mFile.Charge(static_cast<std::int64_t>(found->second.textBytes));
        return found->second;
    }
    DepthGuard depth(mReadDepth);
    SourceObject object;
    const XrefEntry entry = SourceEntry(number);
    if (entry.kind == XrefEntry::kInStream) {
        const ObjectStreamCache& cache = ReadFromObjectStream(entry.stream);
        std::size_t index = static_cast<std::size_t>(entry.index);
        // A table whose index names another object of the stream: the stream's own header
        // says where the object is, and an object it does not list is none (null).
        if (index + 1 >= cache.numbers.size() || cache.numbers[index] != number) {
            const auto listed = std::lower_bound(cache.places.begin(), cache.places.end(), std::pair(number, 0));
            index = listed != cache.places.end() && listed->first == number ? static_cast<std::size_t>(listed->second)
                                                                             : cache.offsets.size();
        }
        if (index + 1 < cache.offsets.size()) {
            const std::int64_t from = std::clamp<std::int64_t>(cache.offsets[index] + 1, 0,
                                                                static_cast<std::int64_t>(cache.text.size()));
            const std::int64_t length = std::max<std::int64_t>(0, cache.offsets[index + 1] - cache.offsets[index]);
            ParseText(std::string_view(cache.text).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length)),
                      object);
            mFile.Charge(static_cast<std::int64_t>(object.textBytes));
        }
    } else if (entry.kind == XrefEntry::kInFile && !ReadObjectFromFile(entry.offset, number, object)) {
        // The table's offset holds another object or none: the table is wrong, and the
        // operation starts again once the objects are found where they stand.
        if (record.xrefComplete && !record.xrefRebuilt)
            throw TableProvedWrong{};
    }
    TakeType(object);
    const std::size_t bytes = object.textBytes;
    if (bytes > kMaxCachedObjectBytes - record.cachedObjectBytes)
        return mUncached = std::move(object);
    record.cachedObjectBytes += bytes;
    return record.objects.emplace(number, std::move(object)).first->second;
}

SourceObject SourceReader::ReadObjectAt(std::int64_t offset)
{
    DepthGuard depth(mReadDepth);
    SourceObject object;
    ReadObjectFromFile(std::max<std::int64_t>(0, offset), 0, object);
    TakeType(object);
    return object;
}

void SourceReader::ReadData(SourceObject& object)
{
    if (!object.hasStream)
        return;
    SourceFile& file = mFile;
    object.filter = DirectValue(object.value.Get("Filter"));
    object.decodeParms = DirectValue(object.value.Get("DecodeParms"));
    const double length = Resolved(object.value.Get("Length")).Number();
    // The file's size bounds what a /Length can ask for.
    const std::int64_t at = object.dataAt;
    const double wanted = std::min(length, static_cast<double>(file.Size() - at));
    const std::int64_t count = wanted >= 1 ? static_cast<std::int64_t>(wanted) : 0;
    std::string data = file.ReadAt(at, count);
    // Each read of the data is charged, however often the cached object is asked for it.
    std::int64_t work = kObjectReadOverhead + static_cast<std::int64_t>(data.size());
    // A stream whose /Length disagrees with its data ends where the rebuild ends it: at its
    // "endstream" (the line end before it kept, as the peers keep it), or at the next
    // object's header when its "endstream" is lost, never inside a later object.  A header
    // at the very start of the data is taken for data, as every peer takes it.
    if (!EndstreamFollows(file, at + static_cast<std::int64_t>(data.size()))) {
        data = file.ReadAt(at, DataEndInFile(file, at, at) - at);
        work += static_cast<std::int64_t>(data.size());
    }
    file.Charge(work);
    object.data.assign(data.begin(), data.end());
}

bool SourceReader::ReadObjectFromFile(std::int64_t start, int number, SourceObject& object)
{
    SourceFile& file = mFile;
    file.Charge(kObjectReadOverhead);
    std::string bytes = file.ReadAt(start, kChunk);
    // The header must name the object asked for (any object for 0).
    const ObjectHeader header = ObjectHeaderAt(bytes, 0);
    if (header.number < 0 || (number != 0 && header.number != number))
        return false;
    std::size_t textStart = header.end;
    if (bytes.compare(textStart, 2, "\r\n") == 0)
        textStart += 2;
    else if (textStart < bytes.size() && (bytes[textStart] == '\r' || bytes[textStart] == '\n'))
        textStart += 1;

    // Chunk by chunk until an end keyword shows, each chunk as large as what was read
    // before, so that a long string is walked again only as often as the chunks double.
    // Each chunk is charged before it is read: a string that never closes cannot read a
    // large file whole.
    std::int64_t charged = 0;
    TextEnd end = FindTextEnd(bytes, textStart, start + static_cast<std::int64_t>(bytes.size()) >= file.Size());
    while (end.at == std::string::npos && start + static_cast<std::int64_t>(bytes.size()) < file.Size() &&
           bytes.size() < kMaxObjectTextBytes) {
        const std::int64_t at = start + static_cast<std::int64_t>(bytes.size());
        const std::int64_t count = std::min(std::max<std::int64_t>(kChunk, static_cast<std::int64_t>(bytes.size())),
                                            file.Size() - at);
        file.Charge(count);
        charged += count;
        const std::string more = file.ReadAt(at, count);
        if (more.empty())
            break;
        bytes += more;
        end = FindTextEnd(bytes, end.resume, start + static_cast<std::int64_t>(bytes.size()) >= file.Size());
    }
    // A text longer than any object's is no object, never one cut short; one that the file's
    // end cuts short (a string that never closes) runs to it.
    if (end.at == std::string::npos && bytes.size() >= kMaxObjectTextBytes)
        throw Error(err::kInvalidFileFormat, "Object " + std::to_string(number) + " is longer than " +
                                                 std::to_string(kMaxObjectTextBytes >> 20) + " MB");
    const bool unclosed = end.at == std::string::npos;
    std::size_t textEnd = std::min(end.at, bytes.size());
    if (textEnd >= textStart + 2 && bytes.compare(textEnd - 2, 2, "\r\n") == 0)
        textEnd -= 2;
    if (textEnd > textStart && bytes[textEnd - 1] == '\r')
        textEnd -= 1;
    ParseText(std::string_view(bytes).substr(textStart, textEnd > textStart ? textEnd - textStart : 0), object);
    file.Charge(std::max<std::int64_t>(0, static_cast<std::int64_t>(unclosed ? bytes.size() : textEnd) - charged));
    if (!end.stream)
        return true;

    object.hasStream = true;
    object.dataAt = start + static_cast<std::int64_t>(StreamDataStart(bytes, end.at + 6));
    return true;
}

}  // namespace pdf
