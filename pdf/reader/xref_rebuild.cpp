// The cross-reference table rebuilt from the objects the file holds, for a file whose
// table is missing or whose offsets do not point at their objects: every "N G obj" found,
// the last definition of a number winning as in an incremental update, the objects of
// every object stream found, and the document catalog named by the last trailer.
#include <algorithm>
#include <map>
#include <tuple>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

namespace {

constexpr std::int64_t kScanChunk = 1 << 20;
// Bytes kept from the chunk before, where an object header cut by the chunk's start begins.
constexpr std::int64_t kScanOverlap = 64;
// The longest keyword the scan looks for, "/Catalog", with the byte that ends it.
constexpr std::size_t kLongestKeyword = 9;
// What a trailer's dictionary takes at most, as when the table names it.
constexpr std::int64_t kTrailerBytes = 1024;

bool IsDelimiterOrWhite(char c)
{
    return IsWhite(c) || IsDelimiter(c);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What the scan met, by file offset.
struct ScannedFile {
    std::map<int, std::int64_t> objects;  // N: where its last "N G obj" begins
    std::vector<std::int64_t> trailers;   // where each "trailer" keyword begins, in order
    // Object streams, cross-reference streams and catalogs by number: where their type
    // stands.
    std::map<int, std::int64_t> objectStreams;
    std::map<int, std::int64_t> xrefStreams;
    std::map<int, std::int64_t> catalogs;
};

// The "N G obj" whose "obj" stands at `at`: where N begins and N, or -1.
std::pair<std::int64_t, int> HeaderBefore(std::string_view bytes, std::size_t at)
{
    std::size_t i = at;
    const auto back = [&](auto test) {
        const std::size_t end = i;
        while (i > 0 && test(bytes[i - 1]))
            --i;
        return end - i;
    };
    if (back(IsWhite) == 0 || back(IsDigit) == 0 || back(IsWhite) == 0)
        return {-1, 0};
    const std::size_t numberEnd = i;
    const std::size_t digits = back(IsDigit);
    if (digits == 0 || digits > 7 || (i > 0 && !IsDelimiterOrWhite(bytes[i - 1])))
        return {-1, 0};
    return {static_cast<std::int64_t>(i), std::stoi(std::string(bytes.substr(i, numberEnd - i)))};
}

bool KeywordAt(std::string_view bytes, std::size_t at, std::string_view keyword)
{
    return bytes.compare(at, keyword.size(), keyword) == 0 &&
           (at + keyword.size() >= bytes.size() || IsDelimiterOrWhite(bytes[at + keyword.size()]));
}

ScannedFile ScanObjects(SourceFile& file)
{
    file.Charge(file.Size());
    ScannedFile scanned;
    int current = 0;  // the object the scan is in
    // Each chunk's last few positions are left to the next chunk, where a keyword that
    // begins there is read whole.
    for (std::int64_t examined = 0; examined < file.Size();) {
        const std::int64_t base = std::max<std::int64_t>(0, examined - kScanOverlap);  // of bytes[0]
        const std::string bytes = file.ReadAt(base, examined - base + kScanChunk);
        const bool last = base + static_cast<std::int64_t>(bytes.size()) >= file.Size();
        const std::size_t end = last ? bytes.size() : bytes.size() - kLongestKeyword;
        for (std::size_t at = static_cast<std::size_t>(examined - base); at < end; ++at) {
            const char c = bytes[at];
            if (c == 'o' && KeywordAt(bytes, at, "obj")) {
                const auto [start, number] = HeaderBefore(bytes, at);
                if (start >= 0) {
                    current = number;
                    scanned.objects[number] = base + start;
                }
            } else if (c == 't' && KeywordAt(bytes, at, "trailer") && (at == 0 || IsDelimiterOrWhite(bytes[at - 1]))) {
                scanned.trailers.push_back(base + static_cast<std::int64_t>(at));
            } else if (c == '/' && current != 0) {
                const std::int64_t where = base + static_cast<std::int64_t>(at);
                if (KeywordAt(bytes, at, "/ObjStm"))
                    scanned.objectStreams[current] = where;
                else if (KeywordAt(bytes, at, "/XRef"))
                    scanned.xrefStreams[current] = where;
                else if (KeywordAt(bytes, at, "/Catalog"))
                    scanned.catalogs[current] = where;
            }
        }
        examined = base + static_cast<std::int64_t>(end);
    }
    return scanned;
}

}  // namespace

void Pagelith::RebuildXref(int& root, int& info)
{
    SourceDocRecord& record = CurrentSource();
    const ScannedFile scanned = ScanObjects(mSources.file);
    // Each number's last definition in the file, an object stream's objects defined where
    // the stream stands.
    std::map<int, std::pair<std::int64_t, XrefEntry>> defined;
    for (const auto& [number, offset] : scanned.objects) {
        XrefEntry entry;
        entry.kind = XrefEntry::kInFile;
        entry.offset = offset;
        defined[number] = {offset, entry};
    }
    // A table rebuilt while a page is imported keeps the copies made of its objects, so
    // that none is written twice.
    const auto install = [&] {
        std::unordered_map<int, XrefEntry> before;
        before.swap(record.xref);
        record.xrefSize = 1;
        for (const auto& [number, place] : defined) {
            XrefEntry& entry = record.xref[number] = place.second;
            if (const auto old = before.find(number); old != before.end())
                entry.copied = old->second.copied;
            record.xrefSize = std::max(record.xrefSize, number + 1);
        }
        record.objects.clear();
        record.cachedObjectBytes = 0;
    };
    record.xrefRebuilt = true;
    install();
    for (const auto& [stream, where] : scanned.objectStreams) {
        const auto found = defined.find(stream);
        if (found == defined.end())
            continue;
        try {
            const ObjectStreamCache& cache = ReadFromObjectStream(stream);
            for (std::size_t index = 0; index + 1 < cache.numbers.size(); ++index) {
                XrefEntry entry;
                entry.kind = XrefEntry::kInStream;
                entry.stream = stream;
                entry.index = static_cast<int>(index);
                auto& place = defined[cache.numbers[index]];
                if (place.second.kind == XrefEntry::kAbsent || place.first < found->second.first)
                    place = {found->second.first, entry};
            }
        } catch (const Error&) {
            // A damaged object stream gives none of its objects.
        }
    }
    install();

    // The newest trailer, or cross-reference stream, that names a catalog names the one.
    // Each trailer is read only when the newer ones did not name it, and no further than
    // the next: a file of many "trailer" keywords is read about once, not 1 KB each.
    std::vector<std::pair<std::int64_t, int>> trailers;  // where, and the stream's number or 0
    for (const std::int64_t at : scanned.trailers)
        trailers.emplace_back(at, 0);
    for (const auto& [stream, where] : scanned.xrefStreams)
        trailers.emplace_back(where, stream);
    std::sort(trailers.begin(), trailers.end());
    for (std::size_t i = trailers.size(); i-- > 0 && (root == 0 || info == 0);) {
        const auto [at, stream] = trailers[i];
        const std::int64_t next = i + 1 < trailers.size() ? trailers[i + 1].first : mSources.file.Size();
        Scanner trailer(stream != 0 ? ReadObjectText(stream)
                                    : mSources.file.ReadAt(at, std::min<std::int64_t>(kTrailerBytes, next - at)));
        if (root == 0 && trailer.GetDictValue("Root", 1)) {
            root = trailer.ReadRef();
            record.encrypted = trailer.GetDictValue("Encrypt", 1);
        }
        if (info == 0 && trailer.GetDictValue("Info", 1))
            info = trailer.ReadRef();
    }
    // Else the newest object whose type is /Catalog.
    std::int64_t newest = -1;
    int catalog = 0;
    for (const auto& [number, where] : scanned.catalogs) {
        if (where > newest)
            std::tie(catalog, newest) = std::pair(number, where);
    }
    if (root == 0)
        root = catalog;
}

}  // namespace pdf
