// The page tree of a source file, walked depth first into the record's page list.
#include <set>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"

namespace pdf {

namespace {

// The nodes that hold what a page inherits: each node's own entries over its parent's.
void TakeInherited(Scanner& node, int number, SourcePageEntry& inherited)
{
    if (node.GetDictValue("MediaBox", 1))
        inherited.mediaBoxHolder = number;
    if (node.GetDictValue("Rotate", 1))
        inherited.rotateHolder = number;
    if (node.GetDictValue("Resources", 1))
        inherited.resourcesHolder = number;
}

}  // namespace

// Inherited attributes come down the walk, so that no page climbs its /Parent chain: the
// work is one read of each node, however deep the tree.
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
        SourcePageEntry inherited;
    };
    std::vector<Level> stack;
    auto enter = [&](int number, SourcePageEntry inherited) {
        Scanner text = ScanObject(number);
        Level level;
        if (text.GetDictValue("Kids", 1))
            text.ReadRefArray(level.kids);
        TakeInherited(text, number, inherited);
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
        Scanner text = ScanObject(kid);
        // A kid that a sound table names no object for is passed over; in a file whose table
        // had to be rebuilt, or one its table lists (an object stream that does not hold
        // it among them), it is a page lost.
        if (TrimSpaces(text.Text()).rfind("<<", 0) != 0) {
            const int kind = SourceEntry(kid).kind;
            if (record.xrefRebuilt || kind == XrefEntry::kLost || kind == XrefEntry::kInStream)
                throw Error(err::kInvalidFileFormat, "Page tree kid " + std::to_string(kid) + " cannot be read");
            continue;
        }
        // A kid without /Kids is a page, whatever its /Type says.
        const bool page = (text.GetDictValue("Type", 1) && text.ReadValue(false) == "/Page") ||
                          !text.GetDictValue("Kids", 1);
        if (page) {
            SourcePageEntry entry = level.inherited;
            entry.object = kid;
            TakeInherited(text, kid, entry);
            ++record.pageCount;
            record.pages.push_back(std::move(entry));
        } else if (visited.insert(kid).second) {
            enter(kid, level.inherited);
        }
    }
}

}  // namespace pdf
