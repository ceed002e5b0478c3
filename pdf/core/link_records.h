// A named destination or internal link, kept until completion writes the /Dests dictionary.
#pragma once

#include <string>

namespace pdf {

struct LinkRecord {
    int Page = 0;         // page position, final only once PageRef is resolved
    std::string Dest;     // the fit part: "/XYZ 10 20 1" (DefineRef) or " /XYZ 10 20 1"
    std::string Name;     // "/" + prefix + "REF_" + name, or + "LINK_" + number
    std::string PageRef;  // "#KEYWORD", "+n" or "-n" still to resolve; empty when none
};

}  // namespace pdf
