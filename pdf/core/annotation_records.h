// The files attached to the document, listed in the catalog's /EmbeddedFiles name tree.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace pdf {

struct AttachmentRecord {
    std::string Name;  // the display name, as the caller gave it (UTF-8)
    int FileSpec = 0;  // object number of its /Filespec dictionary
};

// Files attached at document level.
struct AttachedFiles {
    std::vector<AttachmentRecord> files;
    // Of each attachment's name as the name tree keys it, its index in files.
    std::unordered_map<std::string, std::size_t> keys;
};

}  // namespace pdf
