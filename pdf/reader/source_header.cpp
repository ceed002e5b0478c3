// The header of a source file: where it stands, which offsets count from, and the version it
// declares.
#include <charconv>
#include <tuple>

#include "pdf/reader/lexer.h"
#include "pdf/reader/source_reader.h"

namespace pdf {

namespace {

constexpr std::size_t kMaxBytesBeforeHeader = 1024;

// The version "M.m" after the header's first byte and "PDF-", which a damaged "%" leaves
// readable; a header of another form counts as 1.7.
std::pair<int, int> HeaderVersion(std::string_view header)
{
    constexpr std::size_t kVersionAt = 5;
    const SyntaxToken word = NextToken(header, kVersionAt);
    const std::string_view version = word.In(header);
    int major = 0;
    int minor = 0;
    const char* point = std::from_chars(version.data(), version.data() + version.size(), major).ptr;
    const bool wellFormed = header.size() > kVersionAt && header.substr(1, 4) == "PDF-" && word.kind == SyntaxToken::kWord &&
                            word.start == kVersionAt && version.size() >= 3 && point == version.data() + 1 &&
                            *point == '.' && std::from_chars(point + 1, point + 2, minor).ptr == point + 2 &&
                            major >= 1;
    if (!wellFormed)
        return {1, 7};
    return {major, minor};
}

}  // namespace

void SourceReader::ReadHeader()
{
    SourceDocRecord& record = Current();
    // Mail or web headers, which are no PDF syntax, may stand before the header: it is
    // searched for among them.  Offsets count from it.
    const std::string head = mFile.ReadAt(0, kMaxBytesBeforeHeader + 16);
    const std::size_t header = head.find("%PDF-");
    const std::size_t offset = header <= kMaxBytesBeforeHeader ? header : NextToken(head, 0).start;
    record.headerOffset = static_cast<std::int64_t>(offset);
    std::tie(record.majorVersion, record.minorVersion) = HeaderVersion(std::string_view(head).substr(offset));
}

}  // namespace pdf
