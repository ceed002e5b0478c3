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
// file until it ends.  The search runs forwards from `from` and backwards from `to`, the
// node being recorded, by turns, one node each, and ends when either side has nothing left
// to find; so it costs what the smaller side holds: a chain of templates each painting the
// next before it is recorded has nothing ahead, each painting the one before it nothing
// behind.
bool PaintGraph::Reaches(const std::string& from, const std::string& to) const
{
    if (from == to)
        return true;
    BackwardSearch& behind = SearchFrom(to);
    if (behind.Found.contains(from))
        return true;
    std::unordered_set<std::string> ahead{from};
    std::vector<std::string> pending{from};
    while (!pending.empty() && !behind.Pending.empty()) {
        const std::string next = std::move(pending.back());
        pending.pop_back();
        for (const Edges* edges : {&mClosed, &mOpen}) {
            const auto painted = edges->find(next);
            if (painted == edges->end())
                continue;
            for (const std::string& node : painted->second) {
                if (behind.Found.contains(node))
                    return true;
                if (ahead.insert(node).second)
                    pending.push_back(node);
            }
        }
        if (StepBack(behind, ahead))
            return true;
    }
    return false;
}

void PaintGraph::Link(const std::string& from, const std::string& to)
{
    ++mPaintedBy[to][from];
    if (from != mBehind.Node)
        mBehind = {};
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
        mBehind = {};
}

PaintGraph::BackwardSearch& PaintGraph::SearchFrom(const std::string& node) const
{
    if (node.empty() || mBehind.Node != node)
        mBehind = {node, {node}, {node}};
    return mBehind;
}

// Takes the painters of one more node into the search, all of them so that it can go on
// later; true when one of them is in `ahead`.
bool PaintGraph::StepBack(BackwardSearch& search,
                          const std::unordered_set<std::string>& ahead) const
{
    const std::string next = std::move(search.Pending.back());
    search.Pending.pop_back();
    const auto painters = mPaintedBy.find(next);
    if (painters == mPaintedBy.end())
        return false;
    bool met = false;
    for (const auto& [painter, count] : painters->second) {
        met = met || ahead.contains(painter);
        if (search.Found.insert(painter).second)
            search.Pending.push_back(painter);
    }
    return met;
}

}  // namespace pdf
