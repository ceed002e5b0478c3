#include "pdf/core/paint_graph.h"

#include <algorithm>
#include <unordered_set>

namespace pdf {

void PaintGraph::Open(const std::string& node)
{
    mOpen[node].clear();
}

void PaintGraph::Close(const std::string& node)
{
    const auto open = mOpen.find(node);
    if (open == mOpen.end())
        return;
    mClosed[node] = std::move(open->second);
    mOpen.erase(open);
}

void PaintGraph::Forget(const std::string& node)
{
    mClosed.erase(node);
}

bool PaintGraph::Add(const std::string& from, const std::string& to)
{
    if (Reaches(to, from))
        return false;
    std::vector<std::string>& painted = mOpen[from];
    if (std::find(painted.begin(), painted.end(), to) == painted.end())
        painted.push_back(to);
    return true;
}

// A content being recorded counts with what its node painted before, as both may be in the
// file until it ends.
bool PaintGraph::Reaches(const std::string& from, const std::string& to) const
{
    std::vector<std::string> pending{from};
    std::unordered_set<std::string> seen{from};
    while (!pending.empty()) {
        const std::string node = std::move(pending.back());
        pending.pop_back();
        if (node == to)
            return true;
        for (const auto* edges : {&mClosed, &mOpen}) {
            const auto found = edges->find(node);
            if (found == edges->end())
                continue;
            for (const std::string& next : found->second) {
                if (seen.insert(next).second)
                    pending.push_back(next);
            }
        }
    }
    return false;
}

}  // namespace pdf
