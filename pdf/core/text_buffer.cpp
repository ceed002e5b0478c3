#include "pdf/core/text_buffer.h"

namespace pdf {

void BufAppend(TextBuffer& buffer, std::string_view text)
{
    const int newEnd = buffer.Position + static_cast<int>(text.size());
    if (newEnd > buffer.Capacity) {
        buffer.Buffer.append(static_cast<std::size_t>(newEnd), ' ');
        buffer.Capacity += newEnd;
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
