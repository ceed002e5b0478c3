// The page tree of a source file, walked depth first into the record's page list.
#include <cstdlib>
#include <map>
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

Error DamagedNode(int number)
{
    return Error(err::kInvalidFileFormat, "Page tree node " + std::to_string(number) + " is damaged");
}

}  // namespace

// A node's /Kids lists references only: one that lists anything else (a reference a changed
// byte broke, a number, a word) is a tree no walk can count, never one with fewer pages.
std::vector<int> SourceReader::KidsOf(int number, const Value& node)
{
    std::vector<int> kids = ReferenceList(node.Get("Kids"));
    const Value listed = Resolved(node.Get("Kids"));
    if (kids.size() != (listed.Is(Value::kArray) ? listed.Items().size() : node.Has("Kids") ? 1 : 0))
        throw DamagedNode(number);
    return kids;
}

Value SourceReader::PageObject(const SourcePageEntry& entry)
{
    const int number = std::abs(entry.object);
    Value page = ObjectValue(number);
    if (!page.Is(Value::kDictionary))
        throw Error(err::kInvalidFileFormat, "Page object " + std::to_string(number) + " cannot be read");
    return page;
}

// Inherited attributes come down the walk, so that no page climbs its /Parent chain: the
// work is one read of each node, however deep the tree.
void SourceReader::WalkPageTree(int root)
{
    SourceDocRecord& record = Current();
    if (record.pages.empty())
        record.pages.resize(1);
    // A node the tree names in two places holds its pages in both, as the peers count them,
    // and is judged once: its kids serve every place.  Only a node that holds itself, one
    // on the way down to it, is passed over.  The stack replaces recursion so that a deep
    // tree cannot exhaust the call stack, and each page found is charged, so that a tree
    // naming its nodes over and over cannot list pages without end.
    std::map<int, std::vector<int>> judged;
    std::set<int> above;
    struct Level {
        int number = 0;
        const std::vector<int>* kids = nullptr;
        std::size_t next = 0;
        SourcePageEntry inherited;
    };
    std::vector<Level> stack;
    const auto kidsOf = [&](int number, const Value& node) -> const std::vector<int>& {
        if (const auto found = judged.find(number); found != judged.end())
            return found->second;
        std::vector<int> kids = KidsOf(number, node);
        // A node whose syntax is unsound may have lost a kid to the damage ("4,0 R" reads as no
        // kid at all): its kids must then hold the pages its /Count gives.
        if (const Value count = Resolved(node.Get("Count")); !ReadObject(number).sound && count.IsNumber()) {
            double pages = 0;
            for (const int kid : kids) {
                const Value held = ObjectValue(kid);
                pages += held.Has("Kids") ? Resolved(held.Get("Count")).Number() : 1;
            }
            if (pages != count.Number())
                throw DamagedNode(number);
        }
        return judged.emplace(number, std::move(kids)).first->second;
    };
    const auto enter = [&](int number, const Value& node, SourcePageEntry inherited) {
        Level level;
        level.number = number;
        level.kids = &kidsOf(number, node);
        TakeInherited(node, number, inherited);
        level.inherited = std::move(inherited);
        above.insert(number);
        stack.push_back(std::move(level));
    };
    const auto addPage = [&](SourcePageEntry entry) {
        mFile.Charge(kObjectReadOverhead);
        ++record.pageCount;
        record.pages.push_back(std::move(entry));
    };
    enter(root, ObjectValue(root), SourcePageEntry{});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.kids->size()) {
            above.erase(level.number);
            stack.pop_back();
            continue;
        }
        const int kid = (*level.kids)[level.next++];
        const Value node = ObjectValue(kid);
        if (!node.Is(Value::kDictionary)) {
            // A kid one past the file's own table, which no object of the file holds, is
            // passed over as the peers pass it.  A table that leaves out a kid it reaches, or
            // lists it as free, is wrong; once it is rebuilt, or where the table says the kid
            // is null, the kid is a page that cannot be read, counted as the tree names it.
            const int kind = SourceEntry(kid).kind;
            if (record.tableSize > 0 && kid >= record.tableSize && kind == XrefEntry::kAbsent)
                continue;
            if (!record.xrefRebuilt && kind != XrefEntry::kNull)
                throw TableProvedWrong{};
            SourcePageEntry entry;
            entry.object = kid;
            addPage(std::move(entry));
            continue;
        }
        // A kid without /Kids is a page, whatever its /Type says.
        const bool page = node.Get("Type").IsName("Page") || !node.Has("Kids");
        if (page) {
            SourcePageEntry entry = level.inherited;
            entry.object = kid;
            TakeInherited(node, kid, entry);
            addPage(std::move(entry));
        } else if (above.count(kid) == 0) {
            enter(kid, node, level.inherited);
        }
    }
}

}  // namespace pdf
