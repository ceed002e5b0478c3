// Object streams: decoded once per source file, their objects cut out of the cached text.
#include <algorithm>

#include "pdf/reader/source_reader.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

// A count of the stream's dictionary, or of the object its reference names.
int CountValue(const Value& value)
{
    if (value.Is(Value::kNull))
        return 0;
    if (!value.IsNumber())
        throw Error(err::kTypeMismatch, "Type mismatch");
    return WholeNumber(value.Number());
}

}  // namespace

const ObjectStreamCache& SourceReader::ReadFromObjectStream(int stream)
{
    static const ObjectStreamCache kNone;
    SourceDocRecord& record = Current();
    if (const auto found = record.objectStreams.find(stream); found != record.objectStreams.end())
        return found->second;
    if (SourceEntry(stream).kind != XrefEntry::kInFile)
        return kNone;
    // A stream whose /Length lives inside itself would come back here.
    if (!mStreamsDecoding.insert(stream).second)
        throw Error(err::kInvalidFileFormat, "Object stream " + std::to_string(stream) + " needs itself");
    struct Unmark {
        std::set<int>& set;
        int stream;
        ~Unmark() { set.erase(stream); }
    } unmark{mStreamsDecoding, stream};

    SourceObject object = ReadObject(stream);
    ReadData(object);
    const int count = CountValue(Resolved(object.value.Get("N")));
    const int first = CountValue(Resolved(object.value.Get("First")));
    const Bytes data = DecodeStored(object.data, object.filter, object.decodeParms, mFile,
                                    kMaxObjectStreamBytes - record.objectStreamBytes);
    // Each object takes at least two numbers of two characters in the header.
    if (first < 1 || static_cast<std::size_t>(first) > data.size() + 1 || count < 0 ||
        count > first / 4)
        throw Error(err::kInvalidFileFormat, "Object stream " + std::to_string(stream) + " has a bad header");

    ObjectStreamCache cache;
    cache.text.assign(data.begin() + (first - 1), data.end());
    const std::string_view header(reinterpret_cast<const char*>(data.data()), static_cast<std::size_t>(first - 1));
    std::size_t at = 0;
    const auto headerNumber = [&] {
        const Value number = ParseValue(header, at);
        return number.IsNumber() ? WholeNumber(number.Number()) : 0;
    };
    cache.numbers.resize(static_cast<std::size_t>(count) + 1);
    cache.offsets.resize(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        cache.numbers[static_cast<std::size_t>(i)] = headerNumber();
        cache.offsets[static_cast<std::size_t>(i)] = headerNumber();
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
