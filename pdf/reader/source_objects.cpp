// Objects of a source file: found by their cross-reference entry, cut out of the file at
// their "obj" and "stream" or "endobj" keywords, with their stream bytes as stored.
#include <algorithm>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"

namespace pdf {

namespace {

constexpr std::int64_t kChunk = 4096;
// Object reads nested deeper than this come from a file whose objects need one another
// in a circle.
constexpr int kMaxReadDepth = 32;

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

// Where a keyword starts that is followed by one of `after` (or ends the file when
// `atEnd` allows it); npos when there is none from `from` on.
std::size_t FindKeyword(const std::string& bytes, std::string_view keyword, std::string_view after,
                        std::size_t from, bool atEnd)
{
    for (std::size_t at = bytes.find(keyword, from); at != std::string::npos;
         at = bytes.find(keyword, at + 1)) {
        std::size_t next = at + keyword.size();
        // "stream" with blanks before its line end still counts.
        while (after == "\r\n" && next < bytes.size() && bytes[next] == ' ')
            ++next;
        if (next < bytes.size() ? after.find(bytes[next]) != std::string_view::npos : atEnd)
            return at;
    }
    return std::string::npos;
}

// The text the scanner reads: no NUL, line ends and runs of blanks as single spaces.
std::string ObjectText(std::string_view raw)
{
    std::string text(raw);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return NormaliseText(text);
}

// "endstream" stands at the offset, after blanks and line ends.
bool EndstreamFollows(SourceFile& file, std::int64_t offset)
{
    const std::string after = file.ReadAt(offset, 32);
    const std::size_t keyword = after.find_first_not_of("\r\n \t");
    return keyword != std::string::npos && after.compare(keyword, 9, "endstream") == 0;
}

// A stream whose /Length disagrees with its data runs to its "endstream", without the
// line end before it (to the end of the file when there is none).
std::string DataToEndstream(SourceFile& file, std::int64_t start)
{
    std::string data;
    std::size_t end = std::string::npos;
    while (end == std::string::npos) {
        const std::string more = file.ReadAt(start + static_cast<std::int64_t>(data.size()), kChunk);
        if (more.empty())
            return data;
        const std::size_t from = data.size() < 8 ? 0 : data.size() - 8;
        data += more;
        end = data.find("endstream", from);
    }
    data.resize(end);
    if (!data.empty() && data.back() == '\n')
        data.pop_back();
    if (!data.empty() && data.back() == '\r')
        data.pop_back();
    return data;
}

}  // namespace

Scanner Pagelith::ScanText(std::string text)
{
    return Scanner(std::move(text), [this](int number) { return ReadObjectText(number); });
}

SourceDocRecord& Pagelith::CurrentSource()
{
    if (mSources.index < 1 || mSources.index > mSources.count)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return mSources.records[static_cast<std::size_t>(mSources.index)];
}

XrefEntry Pagelith::SourceEntry(int number)
{
    SourceDocRecord& record = CurrentSource();
    if (number < 0 || number >= record.xrefSize)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    const auto found = record.xref.find(number);
    return found == record.xref.end() ? XrefEntry{} : found->second;
}

std::string Pagelith::ReadObjectText(int number)
{
    return ReadObject(number, false).text;
}

SourceObject Pagelith::ReadObject(int number, bool wantStream, std::int64_t offset)
{
    const bool cached = number != 0 && !wantStream;
    if (cached) {
        if (const auto found = CurrentSource().objects.find(number); found != CurrentSource().objects.end()) {
            mSources.file.Charge(static_cast<std::int64_t>(found->second.raw.size()));
            return found->second;
        }
    }
    DepthGuard depth(mSources.readDepth);
    SourceObject object;
    const XrefEntry entry = number == 0 ? XrefEntry{XrefEntry::kInFile} : SourceEntry(number);
    if (entry.kind == XrefEntry::kInStream) {
        const ObjectStreamCache& cache = ReadFromObjectStream(entry.stream);
        const std::size_t index = cache.offsets.size() == 2 ? 0 : static_cast<std::size_t>(entry.index);
        if (index + 1 < cache.offsets.size()) {
            const std::int64_t from = std::clamp<std::int64_t>(cache.offsets[index] + 1, 0,
                                                                static_cast<std::int64_t>(cache.text.size()));
            const std::int64_t length = std::max<std::int64_t>(0, cache.offsets[index + 1] - cache.offsets[index]);
            object.raw = cache.text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
            mSources.file.Charge(static_cast<std::int64_t>(object.raw.size()));
        }
    } else if (entry.kind == XrefEntry::kInFile) {
        ReadObjectFromFile(number == 0 ? std::max<std::int64_t>(0, offset - 1) : entry.offset,
                           wantStream, object);
    }
    object.text = ObjectText(object.raw);
    Scanner scanner(object.text);
    if (scanner.GetDictValue("Type", 1)) {
        const std::string type = scanner.ReadValue(false);
        object.type = type.empty() ? type : type.substr(1);
    }
    SourceDocRecord& record = CurrentSource();
    const std::size_t bytes = object.raw.size() + object.text.size();
    if (cached && bytes <= kMaxCachedObjectBytes - record.cachedObjectBytes) {
        record.objects.emplace(number, object);
        record.cachedObjectBytes += bytes;
    }
    return object;
}

void Pagelith::ReadObjectFromFile(std::int64_t start, bool wantStream, SourceObject& object)
{
    SourceFile& file = mSources.file;
    std::string bytes = file.ReadAt(start, kChunk);
    const std::size_t obj = bytes.find("obj");
    if (obj == std::string::npos)
        return;
    std::size_t textStart = obj + 3;
    if (bytes.compare(textStart, 2, "\r\n") == 0)
        textStart += 2;
    else if (textStart < bytes.size() && (bytes[textStart] == '\r' || bytes[textStart] == '\n'))
        textStart += 1;

    // Chunk by chunk until an end keyword shows, looking again at the last bytes of the
    // chunk before so that a keyword cut in two by a chunk's end is found.
    std::size_t from = textStart;
    std::size_t end = std::string::npos;
    std::size_t streamMark = std::string::npos;
    for (;;) {
        const bool atEnd = start + static_cast<std::int64_t>(bytes.size()) >= file.Size();
        end = FindKeyword(bytes, "endobj", "\r\n ", from, atEnd);
        streamMark = FindKeyword(bytes, "stream", "\r\n", from, false);
        if (end != std::string::npos || streamMark != std::string::npos || atEnd)
            break;
        from = std::max(textStart, bytes.size() - 8);
        const std::string more = file.ReadAt(start + static_cast<std::int64_t>(bytes.size()), kChunk);
        if (more.empty())
            break;
        bytes += more;
    }
    const bool streamFirst = streamMark != std::string::npos && streamMark < end;
    std::size_t textEnd = streamFirst ? streamMark : std::min(end, bytes.size());
    if (!streamFirst)
        wantStream = false;
    if (textEnd >= textStart + 2 && bytes.compare(textEnd - 2, 2, "\r\n") == 0)
        textEnd -= 2;
    if (textEnd > textStart && bytes[textEnd - 1] == '\r')
        textEnd -= 1;
    object.raw = bytes.substr(textStart, textEnd > textStart ? textEnd - textStart : 0);
    file.Charge(static_cast<std::int64_t>(textEnd));
    if (!wantStream)
        return;

    Scanner dict = ScanText(ObjectText(object.raw));
    if (dict.GetDictValue("Filter", 1))
        object.filter = dict.ReadValue(false);
    if (dict.GetDictValue("DecodeParms", 1))
        object.decodeParms = dict.ReadValue(true);
    object.hasStream = true;
    const double length = dict.GetDictValue("Length ", 1) ? LeadingNumber(TrimSpaces(dict.ReadResolved())) : 0;
    std::size_t dataStart = streamMark + 6;
    while (dataStart < bytes.size() && bytes[dataStart] == ' ')
        ++dataStart;
    dataStart += bytes.compare(dataStart, 2, "\r\n") == 0 ? 2 : 1;
    // The file's size bounds what a /Length can ask for.
    const std::int64_t at = start + static_cast<std::int64_t>(dataStart);
    const double wanted = std::min(length, static_cast<double>(file.Size() - at));
    const std::int64_t count = wanted >= 1 ? static_cast<std::int64_t>(wanted) : 0;
    std::string data = file.ReadAt(at, count);
    if (!EndstreamFollows(file, at + static_cast<std::int64_t>(data.size())))
        data = DataToEndstream(file, at);
    file.Charge(static_cast<std::int64_t>(data.size()));
    object.data.assign(data.begin(), data.end());
}

}  // namespace pdf
