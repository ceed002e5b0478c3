// Where a source file's newest cross-reference section begins, as its "startxref" says.
#include "pdf/reader/lexer.h"
#include "pdf/reader/source_reader.h"

namespace pdf {

namespace {

constexpr std::int64_t kMaxTailSearched = 1 << 20;

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

}  // namespace

// The offset after the last "startxref", which text appended after "%%EOF" may put far
// from the end.  One found before objects that follow it belongs to an older revision
// whose update lost its own: the table is then rebuilt, for the newest revision, as the
// peers rebuild it when the last kilobyte names no table.
std::int64_t SourceReader::StartXref()
{
    SourceFile& file = mFile;
    constexpr std::int64_t kTailReadFirst = 1024;
    for (std::int64_t span = kTailReadFirst;; span *= 16) {
        const std::int64_t tailStart = std::max<std::int64_t>(0, file.Size() - span);
        const std::string tail = file.ReadAt(tailStart, span);
        // The tail may begin inside a string or a stream's data, where no token can be told
        // from its start: the keyword is searched for and what follows it is lexed, so that
        // one that damage joined to its number still names the table, as the peers read it.
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

}  // namespace pdf
