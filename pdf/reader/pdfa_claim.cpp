// Whether a source file claims PDF/A conformance.
#include "pdf/reader/source_reader.h"

namespace pdf {

// The catalog's XMP names a PDF/A part, or, without XMP, one of its output intents is PDF/A's.
bool SourceReader::ClaimsPdfA(const Value& catalog)
{
    if (catalog.Has("Metadata")) {
        const int metadata = catalog.Get("Metadata").ReferenceNumber();
        if (metadata == 0)
            return false;
        const Bytes data = ReadObject(metadata, true).data;
        return std::string(data.begin(), data.end()).find("xmlns:pdfaid=") != std::string::npos;
    }
    const Value intents = Resolved(catalog.Get("OutputIntents"));
    for (const Value& intent : intents.Items()) {
        if (Resolved(intent).Get("S").IsName("GTS_PDFA1"))
            return true;
    }
    return false;
}

}  // namespace pdf
