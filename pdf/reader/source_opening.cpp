// A source file read for the first time: its header, its table (rebuilt when it proves wrong),
// its information, its page tree, its PDF/A claim and its layers, into its record.
#include <array>
#include <tuple>

#include "pdf/reader/source_reader.h"

namespace pdf {

// Header, cross-reference sections, information dictionary, page tree and PDF/A claim of
// the file just opened.  Each step that fails is recorded and the next one goes on with
// what there is.  When no document catalog or page tree can be read, the first failure
// says why.
std::string SourceReader::ReadSourceFile(std::vector<Error>& failures)
{
    std::string failure;
    const auto step = [&](auto&& work) {
        try {
            work();
        } catch (const Error& e) {
            failures.push_back(e);
            if (failure.empty())
                failure = e.what();
        }
    };
    SourceDocRecord& record = Current();
    step([&] { ReadHeader(); });

    int root = 0;
    int info = 0;
    // A table that cannot be read, or names no catalog, is rebuilt from the objects the
    // file holds; only when that finds no catalog either does its failure stand.
    bool ended = false;  // the file ends with its "startxref"
    try {
        const std::int64_t start = StartXref();
        ended = true;
        ReadXref(start + record.headerOffset, root, info);
        if (root == 0)
            throw Error(err::kInvalidFileFormat, "No document catalog in the trailer");
        record.tableSize = record.xrefSize;
    } catch (const Error& e) {
        record.xref.clear();
        record.xrefSize = 1;
        record.encrypted = false;
        root = 0;
        info = 0;
        step([&] { RebuildXref(root, info); });
        // A file whose table cannot be read, not one cut short, may keep its catalog only in
        // an object stream, where the peers find it.
        if (root == 0 && ended)
            step([&] { root = CatalogInObjectStreams(); });
        if (root == 0)
            step([&] { throw e; });
    }
    record.xrefComplete = true;
    // Objects read while the sections were still coming in may have been looked up in an
    // unfinished table.
    record.objects.clear();
    record.cachedObjectBytes = 0;
    const std::size_t failuresBefore = failures.size();
    const std::string failureBefore = failure;
    try {
        return record.encrypted ? std::string() : ReadDocument(root, info, failure, step);
    } catch (const TableProvedWrong&) {
        // Read again from the start on the rebuilt table: what the first reading took from
        // the wrong one, the errors it recorded among it, counts for nothing.
        failures.erase(failures.begin() + static_cast<std::ptrdiff_t>(failuresBefore), failures.end());
        failure = failureBefore;
        record.pages.clear();
        record.pageCount = 0;
        record.title = record.author = record.creator = record.producer = record.subject = {};
        int rebuiltRoot = 0;
        int rebuiltInfo = 0;
        RebuildXref(rebuiltRoot, rebuiltInfo);
        if (root == 0)
            std::tie(root, info) = std::pair(rebuiltRoot, rebuiltInfo);
        return record.encrypted ? std::string() : ReadDocument(root, info, failure, step);
    }
}

// Information, page tree, PDF/A claim and layers of the catalog.  A page tree that cannot be
// found proves the table wrong.
std::string SourceReader::ReadDocument(int root, int info, std::string& failure, const ReadStep& step)
{
    SourceDocRecord& record = Current();
    step([&] {
        if (info == 0)
            return;
        const Value dict = ObjectValue(info);
        const std::array<std::pair<const char*, std::string*>, 5> keys{{
            {"Title", &record.title}, {"Author", &record.author}, {"Creator", &record.creator},
            {"Producer", &record.producer}, {"Subject", &record.subject}}};
        for (const auto& [name, value] : keys) {
            if (const Value string = Resolved(dict.Get(name)); string.Is(Value::kString))
                *value = string.Bytes();
        }
    });
    Value catalog;
    int pages = 0;
    step([&] {
        catalog = root == 0 ? Value() : ObjectValue(root);
        // A page tree whose root is no dictionary (a free or missing object) cannot be read.
        const Value& tree = catalog.Get("Pages");
        if (tree.Is(Value::kReference) && Resolved(tree).Is(Value::kDictionary))
            pages = tree.ReferenceNumber();
    });
    // A table that lists the catalog or the page tree as free or absent is wrong too.
    if (pages == 0 && !record.xrefRebuilt)
        throw TableProvedWrong{};
    if (pages == 0)
        return failure.empty() ? "no page tree" : failure;
    const std::string walked = failure;
    step([&] { WalkPageTree(pages); });
    // A page that cannot be read refuses the file: never fewer pages, never none.
    if (failure != walked)
        return failure;
    if (record.pageCount == 0)
        return "the page tree holds no page";
    step([&] { record.pdfa = ClaimsPdfA(catalog); });
    step([&] { record.layers = DefaultLayerView(catalog); });
    return {};
}

void SourceReader::WithSoundTable(const std::function<void()>& work)
{
    try {
        work();
    } catch (const TableProvedWrong&) {
        int known = -1;
        RebuildXref(known, known);
        // The objects found where they stand may show what the table hid.
        if (Current().encrypted)
            throw Error(err::kInvalidFileFormat, "The file is encrypted");
        work();
    }
}

}  // namespace pdf
