// A dictionary of a text parsed once into its keys and where each key's value stands, so
// that keys are looked up without reading the text again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pdf {

class DictionaryIndex {
public:
    DictionaryIndex() = default;
    // The first dictionary that begins at or after `from`: a name of its own entries (not
    // one inside a string or a nested value), its "#" codes read, is a key; a key given
    // twice keeps its last entry.  The dictionary ends at the first close outside its
    // values, whether ">>" or a stray "]".
    DictionaryIndex(std::string_view text, std::size_t from);

    // Just past the key's name in the text, where its value begins; npos when it is absent.
    std::size_t ValueAt(std::string_view key) const;

private:
    std::vector<std::pair<std::string, std::size_t>> mEntries;
};

}  // namespace pdf
