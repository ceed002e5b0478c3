#include "pdf/core/paint_graph.h"

#include <vector>

namespace pdf {

void PaintGraph::Open(const std::string& node)
{
    std::unordered_set<std::string>& painted = mOpen[node];
    Unlink(node, painted);
    painted.clear();
}

void PaintGraph::Close(const std::string& node)
{
    const auto open = mOpen.find(node);
    if (open == mOpen.end())
        return;
    Unlink(node, mClosed[node]);
    mClosed[node] = std::move(open->second);
    mOpen.erase(open);
}

void PaintGraph::Forget(const std::string& node)
{
    const auto closed = mClosed.find(node);
    if (closed == mClosed.end())
        return;
    Unlink(node, closed->second);
    mClosed.erase(closed);
}

bool PaintGraph::Add(const std::string& from, const std::string& to)
{
    if (Reaches(to, from))
        return false;
    if (mOpen[from].insert(to).second)
        Link(from, to);
    return true;
}

// A content being recorded counts with what its node painted before, as both may be in the
// file until it ends.  The search runs backwards from `to`, the node being recorded, which
// little if anything paints yet.
bool PaintGraph::Reaches(const std::string& from, const std::string& to) const
{
    return from == to || PaintersOf(to).contains(from);
}

void PaintGraph::Link(const std::string& from, const std::string& to)
{
    ++mPaintedBy[to][from];
    if (from != mCachedNode)
        mCachedNode.clear();
}

void PaintGraph::Unlink(const std::string& from, const std::unordered_set<std::string>& painted)
{
    for (const std::string& to : painted) {
        const auto painters = mPaintedBy.find(to);
        if (painters == mPaintedBy.end())
            continue;
        const auto count = painters->second.find(from);
        if (count != painters->second.end() && --count->second == 0)
            painters->second.erase(count);
    }
    if (!painted.empty())
        mCachedNode.clear();
}

const std::unordered_set<std::string>& PaintGraph::PaintersOf(const std::string& node) const
{
    if (mCachedNode == node && !node.empty())
        return mCachedPainters;
    mCachedNode = node;
    mCachedPainters.clear();
    std::vector<std::string> pending{node};
    while (!pending.empty()) {
        const std::string next = std::move(pending.back());
        pending.pop_back();
        const auto painters = mPaintedBy.find(next);
        if (painters == mPaintedBy.end())
            continue;
        for (const auto& [painter, count] : painters->second) {
            if (mCachedPainters.insert(painter).second)
                pending.push_back(painter);
        }
    }
    return mCachedPainters;
}

}  // namespace pdf
