// The files attached to the document, listed in the catalog's /EmbeddedFiles name tree.
#pragma once

#include <string>

namespace pdf {

struct AttachmentRecord {
    std::string Name;  // the display name, as the caller gave it (UTF-8)
    int FileSpec = 0;  // object number of its /Filespec dictionary
};

}  // namespace pdf
