// A growable text that gathers the content of a page, a template or a tiling pattern.
//
// Only the first Position - 1 characters of Buffer are content; the rest is spare room.
// The room grows by more than the old capacity each time, so appending a line costs
// amortised constant time per character.
#pragma once

#include <string>
#include <string_view>

namespace pdf {

struct TextBuffer {
    std::string Buffer;
    int Capacity = 0;
    int Position = 1;  // where the next append writes, from 1
};

void BufAppend(TextBuffer& buffer, std::string_view text);
void BufReset(TextBuffer& buffer);
// The content, valid until the next change of the buffer.
std::string_view BufView(const TextBuffer& buffer);
std::string BufToString(const TextBuffer& buffer);

}  // namespace pdf
