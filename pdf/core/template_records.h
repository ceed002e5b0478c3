// The document's templates: content recorded once under a name and painted by any page.
#pragma once

#include <string>
#include <string_view>
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
    // Names painted before a template of theirs was written.  Those still without one when
    // the document completes get an empty one, so that no page names a missing resource.
    std::vector<std::string> Unwritten;
    // What the templates and the tiling cells paint, by template and pattern name.
    PaintGraph Paints;
};

// A page's annotation references without the placeholders ("##" + the name in hexadecimal
// digits + "## ") of templates that were painted but never defined.
std::string WithoutPlaceholders(std::string_view annots);

}  // namespace pdf
