// Trailers, and the dictionaries of cross-reference streams that serve as them: what the
// table's reading and its rebuild take from each, read the one way.
#include "pdf/reader/lexer.h"
#include "pdf/reader/source_reader.h"

namespace pdf {

Value SourceReader::ReadTrailer(std::int64_t offset, std::int64_t limit)
{
    const std::string text = ReadDictionaryText(mFile, offset, limit);
    std::size_t at = NextToken(text, 0).end;  // past "trailer"
    return ParseValue(text, at);
}

void SourceReader::TakeTrailerNames(const Value& trailer, int& root, int& info)
{
    if (trailer.Has("Encrypt"))
        Current().encrypted = true;
    if (info == 0)
        info = trailer.Get("Info").ReferenceNumber();
    if (root == 0)
        root = trailer.Get("Root").ReferenceNumber();
}

// Encrypt, Size, Info, Root and Prev of a trailer or a cross-reference stream.
void SourceReader::ReadTrailerKeys(const Value& trailer, int& root, int& info, int& size,
                                   std::vector<std::int64_t>& older)
{
    TakeTrailerNames(trailer, root, info);
    if (trailer.Has("Size"))
        size = static_cast<int>(TrailerNumber(trailer.Get("Size")));
    if (trailer.Has("Prev"))
        older.push_back(TrailerNumber(trailer.Get("Prev")));
}

// A number of a trailer, or of the object its reference names.
std::int64_t SourceReader::TrailerNumber(const Value& value)
{
    const Value number = Resolved(value);
    if (!number.IsNumber())
        throw Error(err::kTypeMismatch, "Type mismatch");
    return WholeNumber(number.Number());
}

}  // namespace pdf
