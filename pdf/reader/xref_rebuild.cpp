// The cross-reference table rebuilt from the objects the file holds, for a file whose
// table is missing or whose offsets do not point at their objects: every "N G obj" found,
// the last definition of a number winning as in an incremental update, the objects of
// every object stream found, and the document catalog named by the last trailer.
#include <algorithm>
#include <unordered_map>

#include "pdf/reader/source_reader.h"
#include "pdf/reader/lexer.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

constexpr std::int64_t kScanChunk = 1 << 20;
// Bytes kept from the chunk before, where an object header cut by the chunk's start begins.
constexpr std::int64_t kScanOverlap = kObjectHeaderReach;
// The longest keyword the scan looks for, "/Catalog", with the byte that ends it.
constexpr std::size_t kLongestKeyword = 9;
// Of a file that no trailer describes, this many Flate streams are looked at for the sign of
// enciphered data.
constexpr int kFlateStreamsChecked = 4;
// The newest trailers that name a catalog are tried this far.
constexpr std::size_t kMaxTrailersTried = 64;

// What the scan met, by file offset.
struct ScannedFile {
    std::vector<std::pair<int, std::int64_t>> objects;  // N and where "N G obj" begins, in order
    std::vector<std::int64_t> trailers;   // where each "trailer" keyword begins, in order
    // Object streams, cross-reference streams that name a catalog, and catalogs: their
    // number and where they begin.
    std::vector<std::pair<int, std::int64_t>> objectStreams;
    std::vector<std::pair<int, std::int64_t>> xrefStreams;
    std::vector<std::pair<int, std::int64_t>> catalogs;
    // An encryption dictionary, or a cross-reference stream naming one, was found.
    bool encrypted = false;
    // Of the first Flate streams of a direct length, how many were looked at and how many
    // of them hold data that looks enciphered.
    int flateStreams = 0;
    int encipheredStreams = 0;

    // A file whose encryption dictionary and trailer were cut off still has its strings and
    // streams enciphered: two thirds of the Flate streams looked at, two at least, say so.
    // Not all: one enciphered stream in about 500 begins with bytes that pass for a zlib
    // header.
    bool LooksEnciphered() const
    {
        return encipheredStreams >= 2 && encipheredStreams * 3 >= flateStreams * 2;
    }
};

// The "N G obj" whose "obj" stands at `at`: where N begins and N, or -1.
std::pair<std::int64_t, int> HeaderBefore(std::string_view bytes, std::size_t at)
{
    const ObjectHeader header = ObjectHeaderBefore(bytes, at);
    if (header.number <= 0 || header.number > kMaxObjectNumber)
        return {-1, 0};
    return {static_cast<std::int64_t>(header.start), static_cast<int>(header.number)};
}

// Whether the name that begins at `at` is /Catalog.
bool CatalogNameAt(std::string_view bytes, std::size_t at)
{
    const SyntaxToken name = NextToken(bytes, at);
    return name.kind == SyntaxToken::kName && name.start == at && DecodedName(name.In(bytes)) == "Catalog";
}

// An object's text as the tokenizer reads it from just past its "obj": where its "endobj",
// "stream" or the next header's "obj" stands (npos when the bytes end first).
struct ObjectBody {
    std::size_t end = std::string_view::npos;
    std::string_view keyword;
};

ObjectBody BodyOf(std::string_view bytes, std::size_t from)
{
    for (SyntaxToken token = NextToken(bytes, from); token.kind != SyntaxToken::kNone && token.end < bytes.size();
         token = NextToken(bytes, token.end)) {
        const std::string_view word = token.In(bytes);
        if (token.kind == SyntaxToken::kWord && (word == "endobj" || word == "stream" || word == "obj"))
            return {token.start, word};
    }
    return {};
}

// Where the stream data that begins at `data` of the bytes (read from `base`) ends: at the
// offset its direct /Length gives when "endstream" follows there, else as DataEndIn finds
// it (the file's end when it finds nothing).
std::int64_t StreamEnd(SourceFile& file, std::string_view bytes, std::int64_t base, std::size_t data,
                       const Value& dictionary)
{
    const Value& length = dictionary.Get("Length");
    const double count = length.Number();
    const std::int64_t start = base + static_cast<std::int64_t>(data);
    if (length.IsNumber() && count >= 0 && count < static_cast<double>(file.Size() - start)) {
        const std::int64_t end = start + static_cast<std::int64_t>(count);
        if (EndstreamFollows(file, end))
            return end;
    }
    if (const std::size_t end = DataEndIn(bytes, data); end != std::string_view::npos)
        return base + static_cast<std::int64_t>(end);
    return DataEndInFile(file, start, std::max(start, base + static_cast<std::int64_t>(bytes.size())));
}

// Notes what the object whose text the bytes hold is: an object stream, a cross-reference
// stream that names a catalog, a catalog, an encryption dictionary.
void NoteObject(ScannedFile& scanned, int number, std::int64_t where, const Value& dictionary, bool stream)
{
    const Value& type = dictionary.Get("Type");
    if (type.IsName("ObjStm") && stream)
        scanned.objectStreams.emplace_back(number, where);
    else if (type.IsName("XRef") && dictionary.Has("Root"))
        scanned.xrefStreams.emplace_back(number, where);
    else if (type.IsName("Catalog"))
        scanned.catalogs.emplace_back(number, where);
    if ((type.IsName("XRef") && dictionary.Has("Encrypt")) ||
        (dictionary.Get("Filter").Is(Value::kName) && dictionary.Has("O") && dictionary.Has("U")))
        scanned.encrypted = true;
}

// Notes whether the data of a Flate stream, which begins with `head`, looks enciphered: RC4
// and AES data begin with no zlib header, as every Flate stream's data does.
void NoteStreamData(ScannedFile& scanned, std::string_view head, const Value& dictionary)
{
    const Value& filter = dictionary.Get("Filter");
    const Value& first = filter.Items().empty() ? filter : filter.Items().front();
    if (scanned.flateStreams == kFlateStreamsChecked || !first.IsName("FlateDecode") || head.size() < 2)
        return;
    ++scanned.flateStreams;
    const unsigned byte0 = static_cast<unsigned char>(head[0]);
    const unsigned byte1 = static_cast<unsigned char>(head[1]);
    const bool zlibHeader = (byte0 & 0x0F) == 8 && ((byte0 << 8) | byte1) % 31 == 0;
    if (!zlibHeader)
        ++scanned.encipheredStreams;
}

// Every "N G obj" and "trailer" of the file.  Each object's text is read by the tokenizer
// to its end, so that a header inside one of its strings is none, and its stream data is
// passed over; where the tokenizer finds no end in the chunk (a string that never closes),
// the rest of the chunk is looked at byte by byte, each byte once.
ScannedFile ScanObjects(SourceFile& file)
{
    file.Charge(file.Size());
    ScannedFile scanned;
    int current = 0;                  // the object the byte-by-byte look is in
    for (std::int64_t examined = 0; examined < file.Size();) {
        const std::int64_t base = std::max<std::int64_t>(0, examined - kScanOverlap);  // of bytes[0]
        const std::string bytes = file.ReadAt(base, examined - base + kScanChunk);
        const bool last = base + static_cast<std::int64_t>(bytes.size()) >= file.Size();
        const std::size_t end = last ? bytes.size() : bytes.size() - kLongestKeyword;
        std::int64_t next = base + static_cast<std::int64_t>(end);
        bool byBytes = false;
        for (std::size_t at = static_cast<std::size_t>(examined - base); at < end; ++at) {
            const char c = bytes[at];
            if (c == 'o' && WordAt(bytes, at, "obj")) {
                const auto [start, number] = HeaderBefore(bytes, at);
                if (start < 0)
                    continue;
                const ObjectBody body = byBytes ? ObjectBody{} : BodyOf(bytes, at + 3);
                // An object the chunk's end cuts is read again from the next chunk, which
                // begins at its header, unless it is longer than a chunk.
                if (body.end == std::string_view::npos && !byBytes && !last && base + start > examined) {
                    next = base + start;
                    break;
                }
                file.Charge(kObjectReadOverhead);
                current = number;
                scanned.objects.emplace_back(number, base + start);
                // The last object of a file cut right after its dictionary (a cross-reference
                // stream's, naming the catalog) runs to the file's end; one cut inside its
                // dictionary names nothing.
                if (body.end == std::string_view::npos && last && !byBytes) {
                    bool whole = true;
                    const Value dictionary = ParseValue(std::string_view(bytes).substr(at + 3), &whole);
                    if (whole)
                        NoteObject(scanned, number, base + start, dictionary, false);
                }
                if (body.end == std::string_view::npos) {
                    byBytes = true;
                    continue;
                }
                const Value dictionary = ParseValue(std::string_view(bytes).substr(at + 3, body.end - at - 3));
                NoteObject(scanned, number, base + start, dictionary, body.keyword == "stream");
                std::size_t after = body.end;  // a next header's "obj" is looked at again
                if (body.keyword == "stream") {
                    const std::size_t data = StreamDataStart(bytes, body.end + 6);
                    const std::int64_t dataEnd = StreamEnd(file, bytes, base, data, dictionary);
                    const std::int64_t length = dictionary.Get("Length").Integer();
                    if (length > 0 && base + static_cast<std::int64_t>(data) + length == dataEnd)
                        NoteStreamData(scanned, std::string_view(bytes).substr(std::min(data, bytes.size()), 2),
                                       dictionary);
                    if (dataEnd >= base + static_cast<std::int64_t>(end)) {
                        next = dataEnd;
                        break;
                    }
                    after = static_cast<std::size_t>(dataEnd - base);
                }
                at = after - 1;
            } else if (c == 't' && WordAt(bytes, at, "trailer")) {
                scanned.trailers.push_back(base + static_cast<std::int64_t>(at));
            } else if (c == '/' && byBytes && current != 0) {
                const std::int64_t where = base + static_cast<std::int64_t>(at);
                if (CatalogNameAt(bytes, at))
                    scanned.catalogs.emplace_back(current, where);
            }
        }
        examined = std::max(next, examined + 1);
    }
    return scanned;
}

}  // namespace

void SourceReader::RebuildXref(int& root, int& info)
{
    SourceDocRecord& record = Current();
    const ScannedFile scanned = ScanObjects(mFile);
    // Each number's last definition in the file.  An object the table listed in use and the
    // scan did not find is lost; a table rebuilt while a page is imported keeps the copies
    // made of its objects, so that none is written twice.
    std::unordered_map<int, XrefEntry> before;
    before.swap(record.xref);
    record.xrefSize = 1;
    record.xrefRebuilt = true;
    record.encrypted = record.encrypted || scanned.encrypted;
    record.objects.clear();
    record.cachedObjectBytes = 0;
    record.objectStreams.clear();
    record.objectStreamBytes = 0;
    for (const auto& [number, offset] : scanned.objects) {
        XrefEntry& entry = record.xref[number];
        entry.kind = XrefEntry::kInFile;
        entry.offset = offset;
        record.xrefSize = std::max(record.xrefSize, number + 1);
    }
    for (const auto& [number, old] : before) {
        if (old.kind != XrefEntry::kAbsent && record.xref.count(number) == 0) {
            record.xref[number].kind = XrefEntry::kLost;
            record.xrefSize = std::max(record.xrefSize, number + 1);
        }
    }
    // An object stream's objects are defined where the stream stands, unless the file
    // defines them again after it.
    for (const auto& [stream, where] : scanned.objectStreams) {
        const XrefEntry streamEntry = SourceEntry(stream);
        if (streamEntry.kind != XrefEntry::kInFile || streamEntry.offset > where)
            continue;
        try {
            const ObjectStreamCache& cache = ReadFromObjectStream(stream);
            for (std::size_t index = 0; index + 1 < cache.numbers.size(); ++index) {
                const int number = cache.numbers[index];
                if (number <= 0)
                    continue;
                XrefEntry& entry = record.xref[number];
                const std::int64_t definedAt = entry.kind == XrefEntry::kInFile ? entry.offset
                                               : entry.kind == XrefEntry::kInStream ? SourceEntry(entry.stream).offset
                                                                                   : -1;
                if (definedAt >= streamEntry.offset)
                    continue;
                entry = XrefEntry{XrefEntry::kInStream, stream, static_cast<int>(index), 0};
                record.xrefSize = std::max(record.xrefSize, number + 1);
            }
        } catch (const Error&) {
            // A damaged object stream gives none of its objects: a page that needs one is
            // then refused.  A spent budget ends the rebuild.
            if (mFile.Remaining() == 0)
                throw;
        }
    }
    record.objects.clear();
    record.cachedObjectBytes = 0;

    // The newest trailer, or cross-reference stream, that names a catalog names it, and the
    // newest from there on that names the information names that, as the peers take them
    // from the trailers they find.  Each trailer is read no further than the next.
    std::vector<std::pair<std::int64_t, int>> trailers;  // where, and the stream's number or 0
    for (const std::int64_t at : scanned.trailers)
        trailers.emplace_back(at, 0);
    for (const auto& [stream, where] : scanned.xrefStreams)
        trailers.emplace_back(where, stream);
    std::sort(trailers.begin(), trailers.end());
    const bool trailersRead = root == 0;
    for (std::size_t i = trailers.size(), tried = 0; i-- > 0 && (root == 0 || info == 0) && tried < kMaxTrailersTried;
         ++tried) {
        const auto [at, stream] = trailers[i];
        const std::int64_t next = i + 1 < trailers.size() ? trailers[i + 1].first : mFile.Size();
        const Value trailer = stream != 0 ? ObjectValue(stream) : ReadTrailer(at, next - at);
        if (root == 0 && !trailer.Has("Root"))
            continue;
        TakeTrailerNames(trailer, root, info);
    }
    if (trailersRead && root == 0 && scanned.LooksEnciphered())
        record.encrypted = true;
    // Else the newest object whose type is /Catalog.
    if (root == 0 && !scanned.catalogs.empty())
        root = std::max_element(scanned.catalogs.begin(), scanned.catalogs.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

int SourceReader::CatalogInObjectStreams()
{
    std::vector<int> held;
    for (const auto& [number, entry] : Current().xref) {
        if (entry.kind == XrefEntry::kInStream)
            held.push_back(number);
    }
    std::sort(held.begin(), held.end());
    for (const int number : held) {
        if (ObjectValue(number).Get("Type").IsName("Catalog"))
            return number;
    }
    return 0;
}

}  // namespace pdf
