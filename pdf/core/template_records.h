// The document's templates: content recorded once under a name and painted by any page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "pdf/core/paint_graph.h"

namespace pdf {

// Placement bits of a template's Flags.
namespace template_flags {
constexpr int kFirstPage = 1;
constexpr int kEvenPages = 2;
constexpr int kOddPages = 4;
constexpr int kNotFirstPage = 8;  // wins over kFirstPage and kOddPages
constexpr int kForeground = 16;   // painted over the page's content when the page closes
constexpr int kEveryPage = kFirstPage | kEvenPages | kOddPages;
}  // namespace template_flags

struct TemplateRecord {
    std::string TemplateName;  // compared case-sensitively
    // References ("n 0 R ") of the annotations made while the template was recorded; every
    // page that paints the template lists them too.
    std::string AnnotRefs;
    int Flags = 0;   // 0: painted only by DrawObject
    int Object = 0;  // its form XObject, once written
};

struct TemplateList {
    std::vector<TemplateRecord> Objects;  // in the order they were begun, one per name
    // Of each name, the index in Objects of its template (the earlier one while a name is
    // recorded again); the indexes of the templates placed by their flags, in order.
    std::unordered_map<std::string, std::size_t> Positions;
    std::vector<std::size_t> Placed;
    // Names painted before a template of theirs was written, in that order, and those of
    // them still without one: these get an empty one when the document completes, so that
    // no page names a missing resource.
    std::vector<std::string> Unwritten;
    std::unordered_set<std::string> StillUnwritten;
    // Of each placeholder of a name written since, the annotation references it stands for.
    std::unordered_map<std::string, std::string> Resolved;
    // The references and placeholders the template being recorded lists.
    std::unordered_set<std::string> RecordingAnnots;
    // What the templates and the tiling cells paint, by template and pattern name.
    PaintGraph Paints;
};

// A page's annotation references with each placeholder ("##" + the name in hexadecimal
// digits + "## ") of a template painted before it was written replaced by the references
// it stands for, those of templates never defined dropped.
std::string ExpandPlaceholders(std::string_view annots, const TemplateList& templates);

}  // namespace pdf
