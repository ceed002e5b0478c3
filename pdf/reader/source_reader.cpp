// Source files read once into records: the header, the table, the information, the page
// tree and the PDF/A claim; page attributes and content read from the record's objects.
#include <array>
#include <cmath>
#include <tuple>

#include "pdf/reader/source_reader.h"
#include "pdf/reader/stream_data.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

namespace {

// No page box corner lies further from the origin (points).
constexpr double kMaxBoxCoordinate = 1e7;

constexpr std::size_t kMaxBytesBeforeHeader = 1024;
constexpr std::int64_t kMaxTailSearched = 1 << 20;

// The version "M.m" after "%PDF-"; a header of another form counts as 1.7.
std::pair<int, int> HeaderVersion(const std::string& afterPercent)
{
    const bool wellFormed = afterPercent.size() >= 7 && afterPercent.rfind("PDF-", 0) == 0 &&
                            afterPercent[4] >= '1' && afterPercent[4] <= '9' && afterPercent[5] == '.' &&
                            afterPercent[6] >= '0' && afterPercent[6] <= '9';
    if (!wellFormed)
        return {1, 7};
    return {afterPercent[4] - '0', afterPercent[6] - '0'};
}

// Whether an object's header "N G obj" stands in the text from `at` on.
bool HoldsObjectHeader(std::string_view text, std::size_t at)
{
    for (SyntaxToken token = NextToken(text, at); token.kind != SyntaxToken::kNone;
         token = NextToken(text, token.end)) {
        if (token.kind == SyntaxToken::kWord && ObjectHeaderAt(text, token.start).number >= 0)
            return true;
    }
    return false;
}

// The offset after the last "startxref", which text appended after "%%EOF" may put far
// from the end.  One found before objects that follow it belongs to an older revision
// whose update lost its own: the table is then rebuilt, for the newest revision, as the
// peers rebuild it when the last kilobyte names no table.
std::int64_t StartXref(SourceFile& file)
{
    constexpr std::int64_t kTailReadFirst = 1024;
    for (std::int64_t span = kTailReadFirst;; span *= 16) {
        const std::int64_t tailStart = std::max<std::int64_t>(0, file.Size() - span);
        const std::string tail = file.ReadAt(tailStart, span);
        const std::size_t keyword = tail.rfind("startxref");
        if (keyword != std::string::npos) {
            if (span > kTailReadFirst && HoldsObjectHeader(tail, keyword + 9))
                throw Error(err::kInvalidFileFormat, "No startxref at the end of the file");
            const Value offset = ParseValue(std::string_view(tail).substr(keyword + 9, 32));
            return WholeNumber(offset.Number());
        }
        if (tailStart == 0 || span >= kMaxTailSearched)
            throw Error(err::kInvalidFileFormat, "No startxref at the end of the file");
    }
}

}  // namespace

void SourceReader::Reset()
{
    mFile.Close();
    mCount = 0;
    mIndex = 0;
    mReadDepth = 0;
    mStreamsDecoding.clear();
}

SourceDocRecord& SourceReader::Current()
{
    if (mIndex < 1 || mIndex > mCount)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return mRecords[static_cast<std::size_t>(mIndex)];
}

// An unreadable or encrypted file keeps no record: the next file takes its place.
SourceReader::Opening SourceReader::Select(const std::string& fileName)
{
    Opening opening;
    mIndex = 0;
    for (int i = 1; i <= mCount; ++i) {
        if (mRecords[static_cast<std::size_t>(i)].fileName == fileName)
            mIndex = i;
    }
    if (mIndex != 0)
        return opening;
    ++mCount;
    if (static_cast<int>(mRecords.size()) <= mCount)
        mRecords.resize(static_cast<std::size_t>(mCount) + 1);
    mIndex = mCount;
    SourceDocRecord& record = mRecords[static_cast<std::size_t>(mIndex)];
    record = SourceDocRecord{};
    record.fileName = fileName;
    std::string reason = fileName;
    bool refused = false;
    try {
        SourceFileSession session(mFile, fileName);
        const std::string unreadable = ReadSourceFile(opening.failures);
        refused = record.encrypted || !unreadable.empty();
        if (record.encrypted)
            reason += ": the file is encrypted";
        else if (!unreadable.empty())
            reason += ": no document catalog or page tree can be read (" + unreadable + ")";
    } catch (const Error& e) {
        opening.failures.push_back(e);
        refused = true;
    } catch (const std::bad_alloc&) {
        opening.failures.emplace_back(err::kOutOfMemory, "Out of memory");
        refused = true;
    }
    if (refused) {
        --mCount;
        mIndex = 0;
        opening.refusal = reason;
    }
    return opening;
}

bool SourceReader::PageReadable(int page)
{
    if (mIndex == 0)
        return false;
    const SourceDocRecord& record = Current();
    return !record.encrypted && page >= 1 && page <= record.pageCount;
}

PageGeometry SourceReader::ReadPageGeometry(const std::string& fileName, int page)
{
    const SourcePageEntry& entry = Current().pages[static_cast<std::size_t>(page)];
    PageGeometry geometry;
    if (entry.object < 0) {
        geometry.box = {0, 0, entry.width, entry.height};
        geometry.rotation = entry.rotation;
        return geometry;
    }
    SourceFileSession session(mFile, fileName);
    WithSoundTable([&] {
        PageObject(entry);
        geometry.box = PageBox(entry);
        geometry.rotation = PageTurn(entry);
    });
    return geometry;
}

Bytes SourceReader::ReadPageContent(const std::string& fileName, int page)
{
    const SourcePageEntry& entry = Current().pages[static_cast<std::size_t>(page)];
    SourceFileSession session(mFile, fileName);
    Bytes joined;
    WithSoundTable([&] { joined = JoinedContent(ReferenceList(PageObject(entry).Get("Contents"))); });
    return joined;
}

int SourceReader::CopyOf(int source)
{
    return source > 0 && source < Current().xrefSize ? SourceEntry(source).copied : 0;
}

void SourceReader::MarkCopied(int source, int copy)
{
    Current().xref[source].copied = copy;
}

void SourceReader::ForgetImports()
{
    for (SourceDocRecord& record : mRecords) {
        for (SourcePageEntry& page : record.pages)
            page.object = std::abs(page.object);
        for (auto& [number, entry] : record.xref)
            entry.copied = 0;
    }
}

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
    SourceFile& file = mFile;
    step([&] {
        // Mail or web headers may stand before the header; offsets count from it.
        const std::string head = file.ReadAt(0, kMaxBytesBeforeHeader + 16);
        const std::size_t header = head.find("%PDF-");
        if (header != std::string::npos && header <= kMaxBytesBeforeHeader)
            record.headerOffset = static_cast<std::int64_t>(header);
        else
            record.headerOffset = static_cast<std::int64_t>(std::min(head.find_first_not_of("\r\n"), head.size()));
        const std::size_t versionAt = static_cast<std::size_t>(record.headerOffset) + 1;
        std::tie(record.majorVersion, record.minorVersion) =
            HeaderVersion(versionAt < head.size() ? head.substr(versionAt, 8) : "");
    });

    int root = 0;
    int info = 0;
    // A table that cannot be read, or names no catalog, is rebuilt from the objects the
    // file holds; only when that finds no catalog either does its failure stand.
    bool ended = false;  // the file ends with its "startxref"
    try {
        const std::int64_t start = StartXref(file);
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
        const int tree = catalog.Get("Pages").ReferenceNumber();
        if (tree != 0 && ObjectValue(tree).Is(Value::kDictionary))
            pages = tree;
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

// The catalog's XMP names a PDF/A part, or, without XMP, one of its output intents is PDF/A's.
bool SourceReader::ClaimsPdfA(const Value& catalog)
{
    if (catalog.Has("Metadata")) {
        const int metadata = catalog.Get("Metadata").ReferenceNumber();
        if (metadata == 0)
            return false;
        const Bytes data = ReadObject(metadata, true).data;
        return std::string(data.begin(), data.end()).find("xmlns:pdfaid=") != std::string::npos;
    }
    const Value intents = Resolved(catalog.Get("OutputIntents"));
    for (const Value& intent : intents.Items()) {
        if (Resolved(intent).Get("S").IsName("GTS_PDFA1"))
            return true;
    }
    return false;
}

Value SourceReader::HeldEntry(int holder, std::string_view key)
{
    return holder == 0 ? Value() : ObjectValue(holder).Get(key);
}

// Of four numbers (more are passed over), as left, bottom, right and top, whichever two
// opposite corners they give; corners given by reference are the numbers they name.
// Invalid-argument error when there are fewer than four numbers, one lies beyond
// kMaxBoxCoordinate, or the rectangle encloses no area.
std::array<double, 4> SourceReader::PageBox(const SourcePageEntry& entry)
{
    const Value box = DirectValue(HeldEntry(entry.mediaBoxHolder, "MediaBox"));
    std::array<double, 4> corners{};
    std::size_t count = 0;
    for (const Value& corner : box.Items()) {
        if (count == corners.size() || !corner.IsNumber())
            break;
        corners[count] = corner.Number();
        if (!(std::abs(corners[count]) <= kMaxBoxCoordinate))
            throw Error(err::kInvalidArgument, "A page box corner that is no number or lies beyond " +
                                                   std::to_string(static_cast<long>(kMaxBoxCoordinate)));
        ++count;
    }
    if (count < corners.size())
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    const std::array<double, 4> rectangle{std::min(corners[0], corners[2]), std::min(corners[1], corners[3]),
                                          std::max(corners[0], corners[2]), std::max(corners[1], corners[3])};
    if (rectangle[0] == rectangle[2] || rectangle[1] == rectangle[3])
        throw Error(err::kInvalidArgument, "A page box that encloses no area");
    return rectangle;
}

// As viewers turn the page: a whole multiple of 90 degrees as 0, 90, 180 or 270, anything
// else as 0.
int SourceReader::PageTurn(const SourcePageEntry& entry)
{
    const Value rotate = Resolved(HeldEntry(entry.rotateHolder, "Rotate"));
    const double degrees = std::nearbyint(rotate.Number());
    if (!std::isfinite(degrees) || std::fmod(degrees, 90) != 0)
        return 0;
    const double turn = std::fmod(degrees, 360);
    return static_cast<int>(turn < 0 ? turn + 360 : turn);
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
    SourceObject stream = ReadObject(number, true);
    if (!stream.hasStream) {
        if (Current().xrefComplete && !Current().xrefRebuilt)
            throw TableProvedWrong{};
        throw Error(err::kInvalidFileFormat, "Stream " + std::to_string(number) + " cannot be read");
    }
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
