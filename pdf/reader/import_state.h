// What the writer copied from source files into the document being written.
#pragma once

#include <map>
#include <utility>

namespace pdf {

struct ImportState {
    // Of each source record (the reader's index, from 1) and object number, the number of
    // the object's copy.  A document's copies end with it, and with the reader's records.
    std::map<std::pair<int, int>, int> copies;
};

}  // namespace pdf
