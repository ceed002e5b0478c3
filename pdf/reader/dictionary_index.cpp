#include "pdf/reader/dictionary_index.h"

#include <algorithm>

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
        mEntries.emplace_back(DecodedName(token.In(text)), token.end);
        const SyntaxToken value = NextValue(text, at);
        if (EndsDictionary(value))
            break;
        at = value.end;
    }
    // Sorted by key, a key given twice keeping its last entry: a dictionary of a million
    // keys is indexed in n log n, and looked up in log n.
    std::stable_sort(mEntries.begin(), mEntries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const auto last = std::unique(mEntries.rbegin(), mEntries.rend(),
                                  [](const auto& a, const auto& b) { return a.first == b.first; });
    mEntries.erase(mEntries.begin(), last.base());
}

std::size_t DictionaryIndex::ValueAt(std::string_view key) const
{
    const auto found = std::lower_bound(mEntries.begin(), mEntries.end(), key,
                                        [](const auto& entry, std::string_view name) { return entry.first < name; });
    return found != mEntries.end() && found->first == key ? found->second : std::string_view::npos;
}

}  // namespace pdf
