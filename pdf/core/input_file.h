// Files the writer reads whole to embed them.
#pragma once

#include <string>

#include "pdf/core/stream_filters.h"

namespace pdf {

// A regular file exists at the path.
bool IsReadableFile(const std::string& path);

// The file's bytes; raises Error ("File not found" when it cannot be opened).
Bytes ReadWholeFile(const std::string& path);

// The name a file is shown under: the path after its last folder separator ("/" or "\")
// or, with none, after its last drive colon.
std::string BareFileName(const std::string& path);

}  // namespace pdf
