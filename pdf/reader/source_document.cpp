// Source files as a client sees them: information, page sizes and page content, parsed
// once per file and kept in a record the page import shares.
#include <array>
#include <cmath>
#include <filesystem>
#include <tuple>

#include "pdf/core/text_string.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

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

// The offset after the last "startxref", which text appended after "%%EOF" may put far
// from the end.
std::int64_t StartXref(SourceFile& file)
{
    for (std::int64_t span = 1024;; span *= 16) {
        const std::int64_t tailStart = std::max<std::int64_t>(0, file.Size() - span);
        const std::string tail = file.ReadAt(tailStart, span);
        const std::size_t keyword = tail.rfind("startxref");
        if (keyword != std::string::npos) {
            Scanner offset(tail.substr(keyword + 9, 32));
            return WholeNumber(offset.ReadNumber());
        }
        if (tailStart == 0 || span >= kMaxTailSearched)
            throw Error(err::kInvalidFileFormat, "No startxref at the end of the file");
    }
}

}  // namespace

void Pagelith::ResetSourceDocuments()
{
    mSources.file.Close();
    mSources.count = 0;
    mSources.index = 0;
    mSources.readDepth = 0;
    mSources.streamsDecoding.clear();
}

int Pagelith::GetInfo(std::string fileName, std::string& title, std::string& subject,
                      std::string& author, int& encrypted, int& pdfa, int& version)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        mSources.index = 0;
        RaiseError(Error(err::kFileNotFound, "File not found"), "GetInfo", fileName);
        return 0;
    }

    mSources.index = 0;
    for (int i = 1; i <= mSources.count; ++i) {
        if (mSources.records[static_cast<std::size_t>(i)].fileName == fileName)
            mSources.index = i;
    }
    if (mSources.index == 0) {
        ++mSources.count;
        if (static_cast<int>(mSources.records.size()) <= mSources.count)
            mSources.records.resize(static_cast<std::size_t>(mSources.count) + 1);
        mSources.index = mSources.count;
        SourceDocRecord& record = mSources.records[static_cast<std::size_t>(mSources.index)];
        record = SourceDocRecord{};
        record.fileName = fileName;
        // An unreadable or encrypted file keeps no record: the next file takes its place.
        std::string reason = fileName;
        bool refused = false;
        try {
            SourceFileSession session(mSources.file, fileName);
            const std::string unreadable = ReadSourceFile(fileName);
            refused = record.encrypted || !unreadable.empty();
            if (record.encrypted)
                reason += ": the file is encrypted";
            else if (!unreadable.empty())
                reason += ": no document catalog or page tree can be read (" + unreadable + ")";
        } catch (const Error& e) {
            RaiseError(e, "GetInfo", fileName);
            refused = true;
        } catch (const std::bad_alloc&) {
            RaiseError(Error(err::kOutOfMemory, "Out of memory"), "GetInfo", fileName);
            refused = true;
        }
        if (refused) {
            --mSources.count;
            mSources.index = 0;
            RaiseError(Error(err::kInvalidFileFormat, "Invalid file format"), "GetInfo", reason);
            return 0;
        }
    }

    const SourceDocRecord& record = mSources.records[static_cast<std::size_t>(mSources.index)];
    title = DecodeTextString(record.title);
    subject = DecodeTextString(record.subject);
    author = DecodeTextString(record.author);
    encrypted = record.encrypted ? -1 : 0;
    pdfa = record.pdfa ? -1 : 0;
    version = record.majorVersion == 1 ? record.minorVersion : record.majorVersion * 10 + record.minorVersion;
    return record.pageCount;
}

// Header, cross-reference sections, information dictionary, page tree and PDF/A claim of
// the file just opened.  Each step that fails is recorded and the next one goes on with
// what there is.  When no document catalog or page tree can be read, the first failure
// says why.
std::string Pagelith::ReadSourceFile(const std::string& fileName)
{
    std::string failure;
    const auto step = [&](auto&& work) {
        try {
            work();
        } catch (const Error& e) {
            RaiseError(e, "GetInfo", fileName);
            if (failure.empty())
                failure = e.what();
        }
    };
    SourceDocRecord& record = CurrentSource();
    SourceFile& file = mSources.file;
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
    try {
        ReadXref(StartXref(file) + record.headerOffset, root, info);
        if (root == 0)
            throw Error(err::kInvalidFileFormat, "No document catalog in the trailer");
    } catch (const Error& e) {
        record.xref.clear();
        record.xrefSize = 1;
        record.encrypted = false;
        root = 0;
        info = 0;
        step([&] { RebuildXref(root, info); });
        if (root == 0)
            step([&] { throw e; });
    }
    record.xrefComplete = true;
    // Objects read while the sections were still coming in may have been looked up in an
    // unfinished table.
    record.objects.clear();
    record.cachedObjectBytes = 0;
    const std::tuple errorBefore(mErrNumber, mErrSource, mErrDescription, failure);
    try {
        return record.encrypted ? std::string() : ReadDocument(root, info, failure, step);
    } catch (const TableProvedWrong&) {
        // Read again from the start on the rebuilt table: what the first reading took from
        // the wrong one, the errors it recorded among it, counts for nothing.
        std::tie(mErrNumber, mErrSource, mErrDescription, failure) = errorBefore;
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
std::string Pagelith::ReadDocument(int root, int info, std::string& failure, const ReadStep& step)
{
    SourceDocRecord& record = CurrentSource();
    step([&] {
        if (info == 0)
            return;
        // Strings are taken from the object as written: its line ends and blanks are theirs.
        Scanner dict(ReadObject(info, false).raw);
        const std::array<std::pair<const char*, std::string*>, 5> keys{{
            {"Title", &record.title}, {"Author", &record.author}, {"Creator", &record.creator},
            {"Producer", &record.producer}, {"Subject", &record.subject}}};
        for (const auto& [name, value] : keys) {
            if (dict.GetDictValue(name, 1))
                *value = ReadStringValue(dict);
        }
    });
    std::string catalog;
    int pages = 0;
    step([&] {
        catalog = root == 0 ? std::string() : ReadObjectText(root);
        Scanner dict(catalog);
        // A page tree whose root is no dictionary (a free or missing object) cannot be read.
        const int tree = dict.GetDictValue("Pages", 1) ? dict.ReadRef() : 0;
        if (tree != 0 && TrimSpaces(ReadObjectText(tree)).rfind("<<", 0) == 0)
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

void Pagelith::WithSoundTable(const std::function<void()>& work)
{
    try {
        work();
    } catch (const TableProvedWrong&) {
        int known = -1;
        RebuildXref(known, known);
        // The objects found where they stand may show what the table hid.
        if (CurrentSource().encrypted)
            throw Error(err::kInvalidFileFormat, "The file is encrypted");
        work();
    }
}

// The string at the scanner's position, or that of the object a reference there names,
// followed through objects that hold only a reference; "" for any other value.
std::string Pagelith::ReadStringValue(Scanner& dict)
{
    constexpr int kMaxReferences = 32;
    Scanner value = dict;
    for (int followed = 0; followed <= kMaxReferences; ++followed) {
        const int at = value.GetPos();
        const int number = value.ReadRef();
        if (number == 0) {
            value.SetPos(at);
            value.SkipWhiteSpace();
            const std::string start = value.Mid(2);
            const bool string = !start.empty() && (start[0] == '(' || (start[0] == '<' && start != "<<"));
            return string ? value.ReadValue(false) : std::string();
        }
        value = Scanner(ReadObject(number, false).raw);
    }
    return {};
}

// The catalog's XMP names a PDF/A part, or, without XMP, its output intent is PDF/A's.
bool Pagelith::ClaimsPdfA(const std::string& catalog)
{
    Scanner dict = ScanText(catalog);
    if (dict.GetDictValue("Metadata", 1)) {
        const int metadata = dict.ReadRef();
        if (metadata == 0)
            return false;
        const Bytes data = ReadObject(metadata, true).data;
        return std::string(data.begin(), data.end()).find("xmlns:pdfaid=") != std::string::npos;
    }
    if (!dict.GetDictValue("OutputIntents", 1))
        return false;
    std::string intents = dict.ReadValue(true);
    if (intents.empty())
        return false;
    if (intents.find("<<") != std::string::npos)
        return intents.find("/GTS_PDFA1") != std::string::npos;
    intents = ReplaceText(intents, "[", "");
    Scanner refs(intents);
    const int first = refs.ReadRef();
    return first != 0 && ReadObjectText(first).find("/GTS_PDFA1") != std::string::npos;
}

bool Pagelith::SourcePageReadable(const std::string& fileName, int page)
{
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    GetInfo(fileName, title, subject, author, encrypted, pdfa, version);
    if (mSources.index == 0)
        return false;
    const SourceDocRecord& record = CurrentSource();
    return !record.encrypted && page >= 1 && page <= record.pageCount;
}

bool Pagelith::GetInfoPage(std::string fileName, int page, float& width, float& height, int& rotation)
{
    return WithMemoryErrors([&] { return ReadInfoPage(fileName, page, width, height, rotation); });
}

bool Pagelith::ReadInfoPage(const std::string& fileName, int page, float& width, float& height, int& rotation)
{
    if (!SourcePageReadable(fileName, page))
        return false;
    SourcePageEntry entry = CurrentSource().pages[static_cast<std::size_t>(page)];
    if (entry.object > 0) {
        SourceFileSession session(mSources.file, fileName);
        WithSoundTable([&] {
            const std::array<double, 4> box = PageBox(entry);
            entry.width = static_cast<float>(box[2] - box[0]);
            entry.height = static_cast<float>(box[3] - box[1]);
            entry.rotation = PageTurn(entry);
        });
    }
    width = std::floor(entry.width * 10 / mScale) / 10;
    height = std::floor(entry.height * 10 / mScale) / 10;
    rotation = entry.rotation;
    return true;
}

std::string Pagelith::HeldValue(int holder, std::string_view key, bool resolve)
{
    if (holder == 0)
        return {};
    Scanner dict = ScanObject(holder);
    return dict.GetDictValue(key, 1) ? dict.ReadValue(resolve) : std::string();
}

std::array<double, 4> Pagelith::PageBox(const SourcePageEntry& entry)
{
    // Corners given by reference are read as the numbers they name.
    if (entry.mediaBoxHolder == 0)
        return ParseBox({});
    Scanner dict = ScanObject(entry.mediaBoxHolder);
    return ParseBox(dict.GetDictValue("MediaBox", 1) ? dict.ReadDirect() : std::string());
}

int Pagelith::PageTurn(const SourcePageEntry& entry)
{
    return PageRotation(HeldValue(entry.rotateHolder, "Rotate", true));
}

std::vector<int> Pagelith::ContentRefs(const std::string& pageText)
{
    std::vector<int> refs;
    Scanner page = ScanText(pageText);
    if (!page.GetDictValue("Contents", 1))
        return refs;
    page.ReadRefArray(refs);
    return refs;
}

// A content stream may end right after its last token: a line feed keeps it apart from
// the next.
Bytes Pagelith::JoinedContent(const std::vector<int>& refs)
{
    Bytes content;
    for (const int ref : refs) {
        const SourceObject stream = ReadObject(ref, true);
        if (!content.empty())
            content.push_back('\n');
        if (content.size() > kMaxPageContentBytes)
            ThrowLimitReached(kMaxPageContentBytes);
        const Bytes data =
            DecodeStored(stream.data, stream.filter, stream.decodeParms, mSources.file,
                         kMaxPageContentBytes - content.size());
        content.insert(content.end(), data.begin(), data.end());
    }
    return content;
}

std::string Pagelith::GetContentPage(std::string fileName, int page)
{
    return WithMemoryErrors([&] { return ReadContentPage(fileName, page); });
}

std::string Pagelith::ReadContentPage(const std::string& fileName, int page)
{
    if (!SourcePageReadable(fileName, page))
        return {};
    const int object = std::abs(CurrentSource().pages[static_cast<std::size_t>(page)].object);
    SourceFileSession session(mSources.file, fileName);
    Bytes joined;
    WithSoundTable([&] { joined = JoinedContent(ContentRefs(ReadObjectText(object))); });
    const std::string content(joined.begin(), joined.end());
    return ReplaceText(content, "\r\n", "\n");
}

}  // namespace pdf
