// The page tree of a source file, walked depth first into the record's page list.
#include <set>

#include "pdf/reader/source_reader.h"

namespace pdf {

namespace {

// The nodes that hold what a page inherits: each node's own entries over its parent's.
void TakeInherited(const Value& node, int number, SourcePageEntry& inherited)
{
    if (node.Has("MediaBox"))
        inherited.mediaBoxHolder = number;
    if (node.Has("Rotate"))
        inherited.rotateHolder = number;
    if (node.Has("Resources"))
        inherited.resourcesHolder = number;
}

}  // namespace

// Inherited attributes come down the walk, so that no page climbs its /Parent chain: the
// work is one read of each node, however deep the tree.
void SourceReader::WalkPageTree(int node)
{
    SourceDocRecord& record = Current();
    if (record.pages.empty())
        record.pages.resize(1);
    // A node met again (a tree that holds itself) is passed over; the stack replaces
    // recursion so that a deep tree cannot exhaust the call stack.
    std::set<int> visited{node};
    struct Level {
        std::vector<int> kids;
        std::size_t next = 0;
        SourcePageEntry inherited;
    };
    std::vector<Level> stack;
    auto enter = [&](int number, SourcePageEntry inherited) {
        const Value node = ObjectValue(number);
        Level level;
        level.kids = ReferenceList(node.Get("Kids"));
        TakeInherited(node, number, inherited);
        level.inherited = std::move(inherited);
        stack.push_back(std::move(level));
    };
    enter(node, SourcePageEntry{});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.kids.size()) {
            stack.pop_back();
            continue;
        }
        const int kid = level.kids[level.next++];
        const Value node = ObjectValue(kid);
        // A kid that names no object: one past the file's own table, which no object of the
        // file holds, is passed over as the peers pass it.  Otherwise the table that leaves it
        // out, or lists it as free, is wrong; once it is rebuilt, the page is lost.
        if (!node.Is(Value::kDictionary)) {
            if (record.tableSize > 0 && kid >= record.tableSize && SourceEntry(kid).kind == XrefEntry::kAbsent)
                continue;
            if (!record.xrefRebuilt)
                throw TableProvedWrong{};
            throw Error(err::kInvalidFileFormat, "Page tree kid " + std::to_string(kid) + " cannot be read");
        }
        // A kid without /Kids is a page, whatever its /Type says.
        const bool page = node.Get("Type").IsName("Page") || !node.Has("Kids");
        if (page) {
            SourcePageEntry entry = level.inherited;
            entry.object = kid;
            TakeInherited(node, kid, entry);
            ++record.pageCount;
            record.pages.push_back(std::move(entry));
        } else if (visited.insert(kid).second) {
            enter(kid, level.inherited);
        }
    }
}

}  // namespace pdf
