// The default view of a source file's layers, which its imported pages keep.
#include "pdf/reader/source_reader.h"

namespace pdf {

LayerView SourceReader::DefaultLayerView(const Value& catalog)
{
    LayerView view;
    const Value config = Resolved(Resolved(catalog.Get("OCProperties")).Get("D"));
    view.baseOff = Resolved(config.Get("BaseState")).IsName("OFF");
    for (const Value& group : Resolved(config.Get(view.baseOff ? "ON" : "OFF")).Items()) {
        if (group.ReferenceNumber() > 0)
            view.exceptions.insert(group.ReferenceNumber());
    }
    return view;
}

}  // namespace pdf
