#include "pdf/reader/dictionary_index.h"

#include "pdf/reader/string_tokens.h"

namespace pdf {

namespace {

bool EndsDictionary(const SyntaxToken& token)
{
    return token.kind == SyntaxToken::kDictClose || token.kind == SyntaxToken::kArrayClose ||
           token.kind == SyntaxToken::kNone;
}

}  // namespace

DictionaryIndex::DictionaryIndex(std::string_view text, std::size_t from)
{
    SyntaxToken token = NextToken(text, from);
    while (token.kind != SyntaxToken::kNone && token.kind != SyntaxToken::kDictOpen)
        token = NextToken(text, token.end);
    for (std::size_t at = token.end; token.kind != SyntaxToken::kNone;) {
        token = NextValue(text, at);
        if (EndsDictionary(token))
            break;
        at = token.end;
        // What stands where a key should is passed over whole.
        if (token.kind != SyntaxToken::kName)
            continue;
        std::string key = DecodedName(token.In(text));
        bool known = false;
        for (auto& [name, value] : mEntries) {
            if (name == key) {
                value = token.end;
                known = true;
            }
        }
        if (!known)
            mEntries.emplace_back(std::move(key), token.end);
        const SyntaxToken value = NextValue(text, at);
        if (EndsDictionary(value))
            break;
        at = value.end;
    }
}

std::size_t DictionaryIndex::ValueAt(std::string_view key) const
{
    for (const auto& [name, value] : mEntries) {
        if (name == key)
            return value;
    }
    return std::string_view::npos;
}

}  // namespace pdf
