// Object streams: decoded once per source file, their objects cut out of the cached text.
#include <algorithm>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

int CountValue(Scanner& dict, std::string_view key)
{
    if (!dict.GetDictValue(key, 1))
        return 0;
    const std::string value = dict.ReadValue(false);
    if (value.empty())
        throw Error(err::kTypeMismatch, "Type mismatch");
    return WholeNumber(LeadingNumber(value));
}

}  // namespace

const ObjectStreamCache& Pagelith::ReadFromObjectStream(int stream)
{
    static const ObjectStreamCache kNone;
    SourceDocRecord& record = CurrentSource();
    if (const auto found = record.objectStreams.find(stream); found != record.objectStreams.end())
        return found->second;
    if (SourceEntry(stream).kind != XrefEntry::kInFile)
        return kNone;
    // A stream whose /Length lives inside itself would come back here.
    if (!mSources.streamsDecoding.insert(stream).second)
        throw Error(err::kInvalidFileFormat, "Object stream " + std::to_string(stream) + " needs itself");
    struct Unmark {
        std::set<int>& set;
        int stream;
        ~Unmark() { set.erase(stream); }
    } unmark{mSources.streamsDecoding, stream};

    const SourceObject object = ReadObject(stream, true);
    Scanner dict(*object.text);
    const int count = CountValue(dict, "N");
    const int first = CountValue(dict, "First");
    const Bytes data = DecodeStored(object.data, object.filter, object.decodeParms, mSources.file,
                                    kMaxObjectStreamBytes - record.objectStreamBytes);
    // Each object takes at least two numbers of two characters in the header.
    if (first < 1 || static_cast<std::size_t>(first) > data.size() + 1 || count < 0 ||
        count > first / 4)
        throw Error(err::kInvalidFileFormat, "Object stream " + std::to_string(stream) + " has a bad header");

    ObjectStreamCache cache;
    cache.text.assign(data.begin() + (first - 1), data.end());
    Scanner header(std::string(data.begin(), data.begin() + (first - 1)));
    cache.numbers.resize(static_cast<std::size_t>(count) + 1);
    cache.offsets.resize(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        cache.numbers[static_cast<std::size_t>(i)] = WholeNumber(header.ReadNumber());
        cache.offsets[static_cast<std::size_t>(i)] = WholeNumber(header.ReadNumber());
    }
    cache.offsets[static_cast<std::size_t>(count)] = static_cast<std::int64_t>(cache.text.size());
    cache.places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        cache.places.emplace_back(cache.numbers[static_cast<std::size_t>(i)], i);
    std::sort(cache.places.begin(), cache.places.end());
    record.objectStreamBytes += cache.text.size();
    return record.objectStreams.emplace(stream, std::move(cache)).first->second;
}

}  // namespace pdf
