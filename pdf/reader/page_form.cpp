// What a page of a source file becomes a form from, read before the import writes anything.
#include <set>

#include "pdf/reader/pdfa_allowed.h"
#include "pdf/reader/source_reader.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

PageFormSource SourceReader::ReadPageForm(const std::string& fileName, int page, const CopiedTest& copied)
{
    SourceFileSession session(mFile, fileName);
    const SourcePageEntry entry = Current().pages[static_cast<std::size_t>(page)];
    PageFormSource form;
    WithSoundTable([&] {
        form = PageFormSource{};
        const Value pageValue = PageObject(entry);
        // An indirect resource dictionary is copied as an object.
        form.resources = HeldEntry(entry.resourcesHolder, "Resources");
        if (!form.resources.Is(Value::kDictionary) && !form.resources.Is(Value::kReference))
            form.resources = Value::Dictionary({});
        form.geometry = {PageBox(entry), PageTurn(entry)};
        // One stream is kept as stored, with its filter and parameters; several are decoded
        // and joined, and stored without a filter.
        const std::vector<int> refs = ReferenceList(pageValue.Get("Contents"));
        form.hasStream = !refs.empty();
        if (refs.size() == 1) {
            SourceObject stream = ReadStream(refs[0]);
            form.data = std::move(stream.data);
            form.filter = std::move(stream.filter);
            form.decodeParms = std::move(stream.decodeParms);
            // Written into the form, a reference would name one of our objects instead.
            bool refers = false;
            ForEachReference(form.filter, [&](int) { refers = true; });
            ForEachReference(form.decodeParms, [&](int) { refers = true; });
            if (refers)
                throw Error(err::kInvalidFileFormat, "The filter of content stream " + std::to_string(refs[0]) +
                                                         " names more objects than can be read");
        } else if (form.hasStream) {
            form.data = JoinedContent(refs);
        }
        form.copies = ReadObjectTree(form.resources, copied);
        form.breaksPdfa = !UsesOnlyPdfaAllowed(pageValue, form.resources, PdfaContent(form, refs),
                                               {[this](int number) { return ObjectValue(number); },
                                                [this](int number) { return PdfaStreamData(number); }});
    });
    return form;
}

// What PDF/A judges of a page: its content decoded; none when it cannot be.
std::optional<Bytes> SourceReader::PdfaContent(const PageFormSource& form, const std::vector<int>& refs)
{
    if (refs.size() != 1)
        return form.data;
    return PdfaStreamData(refs[0]);
}

// A stream the PDF/A walk reads, decoded; none when it cannot be, which ends the claim.
std::optional<Bytes> SourceReader::PdfaStreamData(int number)
{
    try {
        const SourceObject stream = ReadStream(number);
        return DecodeStored(stream.data, stream.filter, stream.decodeParms, mFile);
    } catch (const Error&) {
        return std::nullopt;
    }
}

// Every object the value refers to, and what those refer to, not copied before, each read
// once, a stream's /Length that of its data (an object that held its length is not copied).
// An object whose syntax is not sound cannot be copied.
std::vector<std::pair<int, SourceObject>> SourceReader::ReadObjectTree(const Value& value, const CopiedTest& copied)
{
    std::vector<std::pair<int, SourceObject>> objects;
    std::set<int> met;
    std::vector<int> pending;
    const auto collect = [&](int source) {
        if (source > 0 && source < Current().xrefSize && !copied(source) && met.insert(source).second)
            pending.push_back(source);
    };
    ForEachReference(value, collect);
    while (!pending.empty()) {
        const int source = pending.back();
        pending.pop_back();
        SourceObject object = ReadObject(source);
        if (!object.sound)
            throw Error(err::kInvalidFileFormat, "Object " + std::to_string(source) + " holds a value that cannot be read");
        ReadData(object);
        if (object.hasStream) {
            std::vector<Value::Entry> entries = object.value.Entries();
            entries.emplace_back("Length", Value::Integer(static_cast<std::int64_t>(object.data.size())));
            object.value = Value::Dictionary(std::move(entries));
        }
        ForEachReference(object.value, collect);
        objects.emplace_back(source, std::move(object));
    }
    return objects;
}

}  // namespace pdf
