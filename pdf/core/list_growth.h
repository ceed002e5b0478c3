// How the document's lists take room: little at first, then in steps that grow with the
// list, larger steps for a larger memory-usage factor (1 to 10).
#pragma once

#include <cstddef>
#include <vector>

namespace pdf {

// The highest index (entries count from 1) that a list's storage holds once an entry made
// the list `count` long, when it held up to `highest` before.
inline int ListRoomFor(int count, int highest, int memoryUsage)
{
    if (count == 1)
        return 10 * memoryUsage;
    if (count > highest)
        return count + 10 + memoryUsage * count / 5;
    return highest;
}

// Entries 1..count live at vector indexes 0..count-1, so the capacity is the highest index.
template <class T>
void ReserveFor(std::vector<T>& list, int count, int memoryUsage)
{
    const int highest = static_cast<int>(list.capacity());
    const int room = ListRoomFor(count, highest, memoryUsage);
    if (room > highest)
        list.reserve(static_cast<std::size_t>(room));
}

}  // namespace pdf
