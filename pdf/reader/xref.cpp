// The cross-reference sections of a source file: classic tables with their trailers and
// cross-reference streams, followed through /Prev from the newest to the oldest.
#include <charconv>
#include <map>
#include <set>
#include <span>

#include "pdf/reader/source_reader.h"
#include "pdf/reader/stream_data.h"
#include "pdf/reader/lexer.h"

namespace pdf {

namespace {

// Stands for the information while older trailers are read, once the newest had none.
constexpr int kNoInformation = -1;
// A trailer longer than this is no trailer.
constexpr std::int64_t kMaxTrailerBytes = 16 << 20;

// Reads the tokens of a source file from an offset on, a window of it at a time.
class TokenCursor {
public:
    TokenCursor(SourceFile& file, std::int64_t offset) : mFile(file), mBase(offset) {}

    // The next token but comments; kNone at the file's end.
    SyntaxToken Next()
    {
        SyntaxToken token = NextToken(mText, mAt);
        while (token.kind == SyntaxToken::kComment)
            token = NextToken(mText, token.end);
        // A token the window's end may cut is read again from a window that begins with it.
        if (token.end == mText.size() && mBase + static_cast<std::int64_t>(mText.size()) < mFile.Size()) {
            mBase += static_cast<std::int64_t>(token.start);
            mText = mFile.ReadAt(mBase, kWindow);
            token = NextToken(mText, 0);
            while (token.kind == SyntaxToken::kComment)
                token = NextToken(mText, token.end);
        }
        mAt = token.end;
        return token;
    }
    std::string_view In(const SyntaxToken& token) const { return token.In(mText); }
    // Where the token begins in the file.
    std::int64_t Position(const SyntaxToken& token) const { return mBase + static_cast<std::int64_t>(token.start); }

private:
    static constexpr std::int64_t kWindow = 64 << 10;
    SourceFile& mFile;
    std::int64_t mBase;
    std::string mText;
    std::size_t mAt = 0;
};

bool StartsWithDigit(std::string_view word)
{
    return !word.empty() && IsDigit(word[0]);
}

// A word of digits as a whole number: overflow error past the 32-bit range, and a table to
// rebuild for any other word.
std::int64_t Digits(std::string_view word)
{
    if (!IsDigits(word))
        throw Error(err::kInvalidFileFormat, "Parsing XRef error");
    std::uint64_t value = 0;
    if (std::from_chars(word.data(), word.data() + word.size(), value).ec != std::errc() || value > 2147483647)
        throw Error(err::kOverflow, "Overflow");
    return static_cast<std::int64_t>(value);
}

// The whole numbers of an array value; a type-mismatch error for anything else in it.
std::vector<std::int64_t> NumbersOfArray(const Value& value)
{
    std::vector<std::int64_t> numbers;
    for (const Value& item : value.Items()) {
        if (!item.IsNumber())
            throw Error(err::kTypeMismatch, "Type mismatch");
        numbers.push_back(WholeNumber(item.Number()));
    }
    return numbers;
}

// An entry in use at the offset (counted from the header); offset 0 holds no object.
XrefEntry InFileEntry(std::int64_t offset, std::int64_t headerOffset)
{
    XrefEntry entry;
    entry.kind = offset == 0 ? XrefEntry::kNull : XrefEntry::kInFile;
    entry.offset = offset == 0 ? 0 : offset + headerOffset;
    return entry;
}

std::uint64_t BigEndian(const std::uint8_t* bytes, int width)
{
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// The object numbers the ranges of a cross-reference stream's /Index cover so far.
class CoveredNumbers {
public:
    // The parts of [first, end) that no range before it covered, in order; the range is
    // covered from then on.
    std::vector<std::pair<std::int64_t, std::int64_t>> Cover(std::int64_t first, std::int64_t end)
    {
        std::vector<std::pair<std::int64_t, std::int64_t>> parts;
        if (first >= end)
            return parts;
        auto it = mRanges.upper_bound(first);
        if (it != mRanges.begin() && std::prev(it)->second > first)
            --it;
        std::int64_t from = first;
        std::int64_t start = first;
        std::int64_t stop = end;
        while (it != mRanges.end() && it->first < end) {
            if (it->first > from)
                parts.emplace_back(from, it->first);
            from = std::max(from, it->second);
            start = std::min(start, it->first);
            stop = std::max(stop, it->second);
            it = mRanges.erase(it);
        }
        if (from < end)
            parts.emplace_back(from, end);
        mRanges.emplace(start, stop);
        return parts;
    }

private:
    std::map<std::int64_t, std::int64_t> mRanges;  // disjoint: start to end
};

}  // namespace

// The rows of one section, in the order the section lists them.
struct SourceReader::XrefSection {
    std::vector<std::pair<int, XrefEntry>> rows;
    int size = 0;  // the trailer's /Size
};

void SourceReader::ReadXref(std::int64_t offset, int& root, int& info)
{
    // Newest first; an object keeps the entry of the newest section that lists it.  Each
    // offset is read once, so a chain that comes back to a section ends; a long chain of
    // updates is read to its end.
    std::set<std::int64_t> visited;
    std::vector<std::int64_t> pending{offset};
    SourceDocRecord& record = Current();
    const int sizeCap = static_cast<int>(std::min<std::int64_t>(
        kMaxObjectNumber + 1, mFile.Size() + 1));
    while (!pending.empty()) {
        const std::int64_t next = pending.back();
        pending.pop_back();
        if (next < 0 || !visited.insert(next).second)
            continue;
        std::vector<XrefSection> sections;
        const std::vector<std::int64_t> older = ReadXrefSection(next, root, info, sections);
        for (auto it = older.rbegin(); it != older.rend(); ++it)
            pending.push_back(*it + record.headerOffset);
        // Only the newest trailer names the information: an update that drops it has none.
        if (info == 0)
            info = kNoInformation;
        for (const XrefSection& section : sections) {
            record.xrefSize = std::max(record.xrefSize, std::min(section.size, sizeCap));
            for (const auto& [number, entry] : section.rows) {
                record.xrefSize = std::max(record.xrefSize, number + 1);
                record.xref.try_emplace(number, entry);
            }
        }
    }
    info = std::max(info, 0);
}

// Reads the section at the offset into `sections` and returns the offsets of the older
// sections it names.
std::vector<std::int64_t> SourceReader::ReadXrefSection(std::int64_t offset, int& root, int& info,
                                                    std::vector<XrefSection>& sections)
{
    SourceFile& file = mFile;
    TokenCursor cursor(file, offset);
    SyntaxToken token = cursor.Next();
    if (token.kind == SyntaxToken::kWord && StartsWithDigit(cursor.In(token)))
        return ReadXrefStream(cursor.Position(token), root, info, sections);
    // A table whose keyword is damaged, or an offset into the keyword, is a table the file
    // no longer proves: it is rebuilt, as the peers rebuild it.
    if (token.kind != SyntaxToken::kWord || cursor.In(token) != "xref")
        throw Error(err::kInvalidFileFormat, "Parsing XRef error");

    XrefSection section;
    for (token = cursor.Next(); token.kind == SyntaxToken::kWord && StartsWithDigit(cursor.In(token));
         token = cursor.Next()) {
        const std::int64_t firstNumber = Digits(cursor.In(token));
        const SyntaxToken countToken = cursor.Next();
        const std::int64_t count = Digits(cursor.In(countToken));
        // An entry takes at least 18 bytes, so the file's size bounds the count.
        if (count * 18 > file.Size() - cursor.Position(countToken) || firstNumber + count - 1 > kMaxObjectNumber)
            throw Error(err::kInvalidFileFormat, "Cross-reference table longer than the file");
        for (std::int64_t n = firstNumber; n < firstNumber + count; ++n) {
            const std::int64_t entryOffset = Digits(cursor.In(cursor.Next()));
            Digits(cursor.In(cursor.Next()));
            const std::string_view letter = cursor.In(cursor.Next());
            // A row of anything else (a count larger than the rows) is a table to rebuild.
            if (letter != "n" && letter != "f")
                throw Error(err::kInvalidFileFormat, "Parsing XRef error");
            // A free entry names the next free object, not a place: it is absent.
            section.rows.emplace_back(static_cast<int>(n), letter == "n" ? InFileEntry(entryOffset, Current().headerOffset)
                                                                         : XrefEntry{});
        }
    }
    if (token.kind != SyntaxToken::kWord || cursor.In(token) != "trailer") {
        sections.push_back(std::move(section));
        return {};
    }

    const Value trailer = ReadTrailer(cursor.Position(token), kMaxTrailerBytes);
    std::vector<std::int64_t> older;
    ReadTrailerKeys(trailer, root, info, section.size, older);
    // A hybrid file lists the objects of its object streams in a stream that overrides
    // the table's free entries for them.
    if (trailer.Has("XRefStm"))
        ReadXrefStream(TrailerNumber(trailer.Get("XRefStm")) + Current().headerOffset, root, info, sections);
    sections.push_back(std::move(section));
    return older;
}

std::vector<std::int64_t> SourceReader::ReadXrefStream(std::int64_t offset, int& root, int& info,
                                                   std::vector<XrefSection>& sections)
{
    // An offset that names another object is a table proved wrong, never a section without rows.
    SourceObject object = ReadObjectAt(offset);
    if (object.type != "XRef")
        throw Error(err::kInvalidFileFormat, "Parsing XRef error");
    ReadData(object);
    const Value& dict = object.value;
    XrefSection section;
    std::vector<std::int64_t> older;
    ReadTrailerKeys(dict, root, info, section.size, older);

    std::vector<std::int64_t> widths(3, 0);
    if (dict.Has("W")) {
        widths = NumbersOfArray(Resolved(dict.Get("W")));
        widths.resize(3, 0);
    }
    for (const std::int64_t w : widths) {
        if (w < 0 || w > 8)
            throw Error(err::kInvalidFileFormat, "Cross-reference stream with a field wider than 8 bytes");
    }
    std::size_t columns = 0;
    const Value parms = object.decodeParms.Is(Value::kArray) && !object.decodeParms.Items().empty()
                            ? object.decodeParms.Items()[0]
                            : object.decodeParms;
    if (const Value& count = parms.Get("Columns"); count.IsNumber())
        columns = static_cast<std::size_t>(std::max(0, WholeNumber(count.Number())));

    // The data is Flate-compressed whatever /Filter says, when there is one.
    Bytes data = object.filter.Is(Value::kNull) ? object.data : InflateStored(object.data);
    mFile.Charge(static_cast<std::int64_t>(data.size()));
    const std::size_t rowLength = static_cast<std::size_t>(widths[0] + widths[1] + widths[2]);
    if (columns > 0) {
        if (columns < rowLength)
            throw Error(err::kInvalidFileFormat, "Cross-reference stream rows shorter than their fields");
        data = UnpredictPng(data, 1, columns);
    }
    const std::size_t stride = columns > 0 ? columns : rowLength;
    const std::size_t rowCount = stride == 0 ? 0 : data.size() / stride;

    std::vector<std::int64_t> index{0, section.size};
    if (dict.Has("Index"))
        index = NumbersOfArray(Resolved(dict.Get("Index")));

    // Fewer rows than the index lists would lose the objects of the missing ones.
    std::int64_t listed = 0;
    for (std::size_t pair = 1; pair < index.size(); pair += 2)
        listed += std::max<std::int64_t>(0, index[pair]);
    if (static_cast<std::int64_t>(rowCount) < listed)
        throw Error(err::kInvalidFileFormat, "Cross-reference stream shorter than its index");

    // Each object number once, as the first row that lists it gives it: an index that lists
    // its ranges again lists no more objects, and the rows it repeats are never looked at.
    // Each entry kept is charged.
    CoveredNumbers covered;
    std::size_t row = 0;
    for (std::size_t pair = 0; pair + 1 < index.size() && row < rowCount; pair += 2) {
        std::int64_t number = index[pair];
        std::int64_t count = std::max<std::int64_t>(0, index[pair + 1]);
        if (number == 0 && count > 0) {
            // Object 0 heads the free list.
            ++row;
            ++number;
            --count;
        }
        const std::int64_t rows = std::min<std::int64_t>(count, static_cast<std::int64_t>(rowCount - row));
        for (const auto& [from, to] : covered.Cover(number, number + rows)) {
            for (std::int64_t n = std::max<std::int64_t>(from, 1); n < std::min<std::int64_t>(to, kMaxObjectNumber + 1);
                 ++n) {
                mFile.Charge(kXrefEntryCost);
                const std::uint8_t* bytes = data.data() + (row + static_cast<std::size_t>(n - number)) * stride;
                const int kind =
                    widths[0] == 0 ? 1 : static_cast<int>(BigEndian(bytes, static_cast<int>(widths[0])) & 0x7fffffff);
                const std::uint64_t second = BigEndian(bytes + widths[0], static_cast<int>(widths[1]));
                const std::uint64_t third = BigEndian(bytes + widths[0] + widths[1], static_cast<int>(widths[2]));
                XrefEntry entry;  // any other kind counts as a free entry
                if (kind == XrefEntry::kInFile) {
                    entry = InFileEntry(static_cast<std::int64_t>(std::min<std::uint64_t>(second, INT32_MAX)),
                                        Current().headerOffset);
                } else if (kind == XrefEntry::kInStream) {
                    if (second > static_cast<std::uint64_t>(kMaxObjectNumber) || third > 2147483647u)
                        continue;
                    entry.kind = XrefEntry::kInStream;
                    entry.stream = static_cast<int>(second);
                    entry.index = static_cast<int>(third);
                }
                section.rows.emplace_back(static_cast<int>(n), entry);
            }
        }
        row += static_cast<std::size_t>(rows);
    }
    sections.push_back(std::move(section));
    return older;
}

}  // namespace pdf
