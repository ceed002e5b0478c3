// The content of a source page: its streams, decoded and joined.

#include "pdf/reader/source_reader.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

Bytes SourceReader::ReadPageContent(const std::string& fileName, int page)
{
    const SourcePageEntry& entry = Current().pages[static_cast<std::size_t>(page)];
    SourceFileSession session(mFile, fileName);
    Bytes joined;
    WithSoundTable([&] { joined = JoinedContent(ReferenceList(PageObject(entry).Get("Contents"))); });
    return joined;
}

// An array of references, or a reference to such an array or to the one object listed.
std::vector<int> SourceReader::ReferenceList(const Value& value)
{
    Value listed = value;
    if (value.Is(Value::kReference)) {
        if (Value named = Resolved(value); named.Is(Value::kArray))
            listed = std::move(named);
    }
    std::vector<int> refs;
    const auto take = [&refs](const Value& item) {
        if (item.ReferenceNumber() > 0)
            refs.push_back(item.ReferenceNumber());
    };
    if (!listed.Is(Value::kArray))
        take(listed);
    for (const Value& item : listed.Items())
        take(item);
    return refs;
}

// A stream the table names no stream for proves the table wrong; once it is rebuilt, the
// stream cannot be read.
SourceObject SourceReader::ReadStream(int number)
{
    SourceObject stream = ReadObject(number);
    if (!stream.hasStream) {
        if (Current().xrefComplete && !Current().xrefRebuilt)
            throw TableProvedWrong{};
        throw Error(err::kInvalidFileFormat, "Stream " + std::to_string(number) + " cannot be read");
    }
    ReadData(stream);
    return stream;
}

// A content stream may end right after its last token: a line feed keeps it apart from
// the next.
Bytes SourceReader::JoinedContent(const std::vector<int>& refs)
{
    Bytes content;
    for (const int ref : refs) {
        const SourceObject stream = ReadStream(ref);
        if (!content.empty())
            content.push_back('\n');
        if (content.size() > kMaxPageContentBytes)
            ThrowLimitReached(kMaxPageContentBytes);
        const Bytes data =
            DecodeStored(stream.data, stream.filter, stream.decodeParms, mFile,
                         kMaxPageContentBytes - content.size());
        content.insert(content.end(), data.begin(), data.end());
    }
    return content;
}

}  // namespace pdf
