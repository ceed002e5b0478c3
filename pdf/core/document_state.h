// The writer's state of the document as a whole: its output file and objects, its
// information, its units, page geometry and page options, its PDF/A mode, its scripts and
// the last recorded failure.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pdf/core/output_file.h"
#include "pdf/core/records.h"
#include "pdf/core/stream_filters.h"

namespace pdf {

struct OutputState {
    OutputFile file;
    std::string fileName;
    std::int64_t fileLen = 0;
    int objCount = 0;
    std::vector<std::string> xref;  // entry of each object, by number; "" while unwritten
    int objNumForKey = 0;
    int versionInc = 0;
    int memoryUsage = 1;
    bool docBegun = false;  // a document was begun since the last reset
    std::array<FilterSetting, 3> compFilter{};
};

struct DocumentInfo {
    std::string title;
    std::string subject;
    std::string keywords;
    std::string author;
    std::string creator;
    std::string producer;
    std::string creationDate;
    std::string docId;
    std::string resPrefix;
};

// Units, page geometry and page options, in points.
struct PageSetup {
    float scale = 1;
    float width = 0;
    float height = 0;
    int defaultView = 0;
    int view = 0;
    float marginLeft = 0;
    float marginRight = 0;
    float marginTop = 0;
    float marginBottom = 0;
    int clipMargins = 0;
    std::string defaultTransition;
    float defaultDuration = 0;
    std::string transition;
    float duration = 0;
    int viewerPrefs = 8192;
    std::vector<PageLabel> labels;
};

struct PdfaState {
    bool on = false;
    // Something PDF/A forbids was written (before the mode was on, or beyond what it keeps
    // out): the document then does not claim conformance.
    bool broken = false;
};

struct ScriptState {
    // By event code: 0 and 1 belong to the page being built, 2 to 8 the document.
    std::array<std::string, 9> events;
};

// The last recorded failure.
struct ErrorState {
    int number = 0;
    std::string source;
    std::string description;
};

}  // namespace pdf
