// What templates and tiling cells paint that may paint in turn.  A reader paints a form or
// a pattern by its name wherever it stands, so a template that names a tiling pattern whose
// cell paints that template, however far round, would make it recurse without end: the
// graph refuses the painting that would close such a loop.
#pragma once

#include <string>
#include <unordered_map>
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
    std::unordered_map<std::string, std::vector<std::string>> mClosed;
    std::unordered_map<std::string, std::vector<std::string>> mOpen;
};

}  // namespace pdf
