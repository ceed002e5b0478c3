// Interactive form fields: those of the page being built, and the document's lists that
// the /AcroForm dictionary names.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace pdf {

// The scripts given to one trigger of a field, run one after the other in that order.
struct FieldEvent {
    int Code = 0;              // the trigger, 1-9
    std::vector<int> Scripts;  // their stream objects
};

struct FieldRecord {
    std::string FieldName;   // /T; dots name a child of the part before the dot
    std::string Dict;        // the widget dictionary so far, without its end
    std::string Action;      // " /A << ... >> ": activation action
    std::vector<FieldEvent> Events;  // the /AA entries, each trigger once
    bool Calculated = false; // a calculate script is attached
    std::string Caption;     // /MK /CA: check glyph, radio glyph or button caption
    std::string Appearance;  // /DA
    std::string Look;        // the other /MK entries: background, border colour, rotation
    std::string Tooltip;     // /TU; empty for none
    std::string Value;       // text of a text box; options of a choice field joined by "|"
    int Selected = 0;        // default option of a choice field, from 1; 0 for none
    int Kind = 0;            // 0 text, 1 check box, 2 list, 3 combo, 4 radio, 5 push button
    int Group = 0;           // a radio button's group, from 1; 0 for the other kinds
};

// The radio buttons of one name: one field, whose kids are the buttons' widgets.
struct RadioGroup {
    std::string Name;
    int Object = 0;       // the field's object number, reserved when its first button is drawn
    int Flags = 0;        // the field flags of its first button
    int Buttons = 0;      // drawn so far; button n's on state is /Choice<n>
    std::string Value;    // the on state of the button drawn ticked first; "Off" for none
    std::string Tooltip;  // of its first button
    std::string Kids;     // the buttons' widgets, "n 0 R " each
};

struct FormFields {
    std::vector<FieldRecord> Fields;  // of the open page, written when it closes
    // Of each name in Fields, the indexes of its fields: a name and the names that begin
    // with it and a dot sort together, so a script finds its fields without looking at
    // the others.
    std::multimap<std::string, std::size_t> Named;
    std::vector<RadioGroup> Radios;   // of the document, written when it completes
    std::unordered_map<std::string, std::size_t> RadioPositions;  // of each name in Radios
    std::string Refs;                 // every field of the document, "n 0 R " each
    std::string CalcOrder;            // the fields with a calculate script, in writing order
    bool Toggles = false;             // a check box or radio button was drawn

    void ClearPageFields()
    {
        Fields.clear();
        Named.clear();
    }
};

}  // namespace pdf
