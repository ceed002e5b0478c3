#include "pdf/core/text_buffer.h"

#include <climits>

#include "pdf/core/error.h"

namespace pdf {

// Positions are ints: a content that would reach past them is refused before it is copied.
void BufAppend(TextBuffer& buffer, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX - buffer.Position))
        throw Error(err::kOverflow, "Overflow: a content cannot exceed 2 GB");
    const int newEnd = buffer.Position + static_cast<int>(text.size());
    if (newEnd > buffer.Capacity) {
        const int grown = newEnd > INT_MAX - buffer.Capacity ? INT_MAX : buffer.Capacity + newEnd;
        buffer.Buffer.append(static_cast<std::size_t>(grown - buffer.Capacity), ' ');
        buffer.Capacity = grown;
    }
    text.copy(buffer.Buffer.data() + (buffer.Position - 1), text.size());
    buffer.Position = newEnd;
}

void BufReset(TextBuffer& buffer)
{
    buffer.Buffer.clear();
    buffer.Capacity = 0;
    buffer.Position = 1;
}

std::string_view BufView(const TextBuffer& buffer)
{
    return std::string_view(buffer.Buffer).substr(0, static_cast<std::size_t>(buffer.Position - 1));
}

std::string BufToString(const TextBuffer& buffer)
{
    return std::string(BufView(buffer));
}

}  // namespace pdf
