// The page tree of a source file, walked depth first into the record's page list.
#include <set>

#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"

namespace pdf {

void Pagelith::WalkPageTree(int node)
{
    SourceDocRecord& record = CurrentSource();
    if (record.pages.empty())
        record.pages.resize(1);
    // A node met again (a tree that holds itself) is passed over; the stack replaces
    // recursion so that a deep tree cannot exhaust the call stack.
    std::set<int> visited{node};
    struct Level {
        std::vector<int> kids;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    auto enter = [&](int number) {
        Scanner text = ScanText(ReadObjectText(number));
        Level level;
        if (text.GetDictValue("Kids", 1))
            text.ReadRefArray(level.kids);
        stack.push_back(std::move(level));
    };
    enter(node);
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.kids.size()) {
            stack.pop_back();
            continue;
        }
        const int kid = level.kids[level.next++];
        Scanner text = ScanText(ReadObjectText(kid));
        if (!text.GetDictValue("Type", 1))
            continue;
        const std::string type = text.ReadValue(false);
        if (type == "/Page") {
            ++record.pageCount;
            record.pages.push_back(SourcePageEntry{kid});
        } else if (type == "/Pages" && visited.insert(kid).second) {
            enter(kid);
        }
    }
}

}  // namespace pdf
