// The document's layers (optional-content groups) and membership dictionaries.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace pdf {

struct LayerRecord {
    std::string LayerName;  // as first passed; layers are found without regard to case
    bool Visible = true;    // listed under /ON, else /OFF
    bool Listed = true;     // a top-level layer appears in the viewer's layer list
    int LayerObject = 0;    // the group's object number, set by the completion
    std::string Parent;     // the layer it is listed under (exact name); empty: top level
};

struct CondLayerRecord {
    int Policy = 0;          // 0 /AnyOn, 1 /AnyOff, 2 /AllOn, 3 /AllOff
    std::string LayerNames;  // the member layers' names separated by ","
};

struct LayerList {
    std::vector<LayerRecord> Layers;          // in the order they were first used
    std::unordered_map<std::string, int> Numbers;  // of each layer's upper-cased name, from 1
    std::vector<CondLayerRecord> CondLayers;  // one per BeginConditionalLayer
    // Marked sections still open in the page, the template and the tiling pattern.
    int OpenInPage = 0;
    int OpenInTemplate = 0;
    int OpenInTiling = 0;
    // Made by the completion: the /Properties resource entries, and the references
    // ("n 0 R ") of every group, of those shown and hidden, and in the viewer's order.
    std::string PropertiesRes;
    std::string GroupRefs;
    std::string OnRefs;
    std::string OffRefs;
    std::string OrderText;
    int ScreenObject = 0;   // the group of the layer named "SCREEN"
    int PrinterObject = 0;  // the group of the layer named "PRINTER"
    // The references of the groups copied with imported pages, and of those their source
    // hides by default.
    std::string ImportedRefs;
    std::string ImportedOffRefs;
};

}  // namespace pdf
