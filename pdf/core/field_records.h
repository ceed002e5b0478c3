// Interactive form fields: those of the page being built, and the document's lists that
// the /AcroForm dictionary names.
#pragma once

#include <string>
#include <vector>

namespace pdf {

struct FieldRecord {
    std::string FieldName;   // /T; dots name a child of the part before the dot
    std::string Dict;        // the widget dictionary so far, without its end
    std::string Action;      // " /A << ... >> ": activation action
    std::string Events;      // the /AA entries
    bool Calculated = false; // a calculate script is attached
    std::string Caption;     // /MK /CA: check glyph, radio glyph or button caption
    std::string Appearance;  // /DA
    std::string Look;        // the other /MK entries: background, border colour, rotation
    std::string Tooltip;     // /TU; empty for none
    std::string Value;       // text of a text box; options of a choice field joined by "|"
    int Selected = 0;        // default option of a choice field, from 1; 0 for none
    int Kind = 0;            // 0 text, 1 check box, 2 list, 3 combo, 4 radio, 5 push button
};

struct FormFields {
    std::vector<FieldRecord> Fields;  // of the open page, written when it closes
    std::string Refs;                 // every widget of the document, "n 0 R " each
    std::string CalcOrder;            // the widgets with a calculate script, in writing order
};

}  // namespace pdf
