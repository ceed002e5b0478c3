// What templates and tiling cells paint that may paint in turn.  A reader paints a form or
// a pattern by its name wherever it stands, so a template that names a tiling pattern whose
// cell paints that template, however far round, would make it recurse without end: the
// graph refuses the painting that would close such a loop.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace pdf {

class PaintGraph {
public:
    static std::string Template(const std::string& name) { return "t" + name; }
    static std::string Pattern(const std::string& name) { return "p" + name; }

    // A content of the node is being recorded: what it paints, once it ends, replaces what
    // the node painted before.
    void Open(const std::string& node);
    void Close(const std::string& node);
    // The node paints nothing any more (a tiling pattern replaced by a gradient).
    void Forget(const std::string& node);
    // Notes that the content of `from` being recorded paints `to`; false, noting nothing,
    // when `to` reaches `from`.
    bool Add(const std::string& from, const std::string& to);
    bool Reaches(const std::string& from, const std::string& to) const;

private:
    using Edges = std::unordered_map<std::string, std::unordered_set<std::string>>;
    // A search backwards from a node: what reaches it, found so far, and the nodes whose
    // painters are still to be looked at.  Only the node being recorded adds edges, and an
    // edge out of a node never adds to what reaches that node unless it closes a loop,
    // which is refused; so the search of the node being recorded holds while it paints, goes
    // on where it stopped, and any other change drops it.
    struct BackwardSearch {
        std::string Node;
        std::unordered_set<std::string> Found;
        std::vector<std::string> Pending;
    };

    void Link(const std::string& from, const std::string& to);
    void Unlink(const std::string& from, const std::unordered_set<std::string>& painted);
    BackwardSearch& SearchFrom(const std::string& node) const;
    bool StepBack(BackwardSearch& search, const std::unordered_set<std::string>& ahead) const;

    Edges mClosed;
    Edges mOpen;
    // For each node, the nodes that paint it, each with how many of its two edge lists
    // (closed, open) name the node.
    std::unordered_map<std::string, std::unordered_map<std::string, int>> mPaintedBy;
    mutable BackwardSearch mBehind;
};

}  // namespace pdf
