// The default view of a source file's layers, which its imported pages keep.
#include <vector>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"
#include "pdf/reader/scanner.h"

namespace pdf {

LayerView Pagelith::DefaultLayerView(const std::string& catalog)
{
    LayerView view;
    Scanner dict = ScanText(catalog);
    if (!dict.GetDictValue("OCProperties", 1))
        return view;
    Scanner properties = ScanText(dict.ReadValue(true));
    if (!properties.GetDictValue("D", 1))
        return view;
    Scanner config = ScanText(properties.ReadValue(true));
    view.baseOff = config.GetDictValue("BaseState", 1) && TrimSpaces(config.ReadValue(true)) == "/OFF";
    std::vector<int> groups;
    if (config.GetDictValue(view.baseOff ? "ON" : "OFF", 1))
        ReadArrayToken(config.ReadValue(true), groups);
    view.exceptions.insert(groups.begin(), groups.end());
    return view;
}

}  // namespace pdf
