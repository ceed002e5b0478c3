// Whether a source file claims PDF/A conformance.
#include "pdf/reader/source_reader.h"

namespace pdf {

// The catalog's XMP names a PDF/A part, or, without XMP, one of its output intents is PDF/A's.
bool SourceReader::ClaimsPdfA(const Value& catalog)
{
    if (catalog.Has("Metadata")) {
        const Value& metadata = catalog.Get("Metadata");
        if (metadata.ReferenceNumber() == 0)
            return false;
        SourceObject stream = ReadObject(metadata.ReferenceNumber());
        ReadData(stream);
        return std::string(stream.data.begin(), stream.data.end()).find("xmlns:pdfaid=") != std::string::npos;
    }
    const Value intents = Resolved(catalog.Get("OutputIntents"));
    for (const Value& intent : intents.Items()) {
        if (Resolved(intent).Get("S").IsName("GTS_PDFA1"))
            return true;
    }
    return false;
}

}  // namespace pdf
