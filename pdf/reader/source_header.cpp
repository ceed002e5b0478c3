// The header of a source file: where it stands, which offsets count from, and the version it
// declares.
#include <tuple>

#include "pdf/reader/source_reader.h"

namespace pdf {

namespace {

constexpr std::size_t kMaxBytesBeforeHeader = 1024;

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

}  // namespace

void SourceReader::ReadHeader()
{
    SourceDocRecord& record = Current();
    SourceFile& file = mFile;
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
}

}  // namespace pdf
