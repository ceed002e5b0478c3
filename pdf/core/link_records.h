// Named destinations and internal links, kept until completion writes the /Dests dictionary,
// and the outline.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf/core/records.h"

namespace pdf {

struct LinkRecord {
    int Page = 0;         // page position, final only once PageRef is resolved
    std::string Dest;     // the fit part: "/XYZ 10 20 1" (DefineRef) or " /XYZ 10 20 1"
    std::string Name;     // "/" + prefix + "REF_" + name, or + "LINK_" + number
    std::string PageRef;  // "#KEYWORD", "+n" or "-n" still to resolve; empty when none
};

// A link to a named destination, kept until completion tells whether the name was ever
// defined: a link to a name that never was is written without a destination.
struct RefLinkRecord {
    int Object = 0;     // reserved when the link is made, so pages can list it
    std::string Dict;   // the annotation dictionary up to its destination
    std::string Name;   // "/" + prefix + "REF_" + the name, as DefineRef names it
};

struct NavigationState {
    // Outline entries; entry 1 (index 0) is the root.
    std::vector<BookmarkRecord> bookmarks;
    // Named destinations and internal links, written as /Dests at completion.
    std::vector<LinkRecord> links;
    // Of each destination's name, its index in links.
    std::unordered_map<std::string, std::size_t> linkNames;
    // Links to named destinations, written at completion.
    std::vector<RefLinkRecord> refLinks;
};

}  // namespace pdf
