// What the drawing imports share: the writer's number formats, and writing a drawing's
// lines into the open content.
#include "pdf/core/number_format.h"
#include "pdf/images/byte_reader.h"
#include "pdf/images/vector_import.h"
#include "pdf/pagelith.h"

namespace pdf {

std::string ContentNumbers::Real(float value) const
{
    return FormatRounded(value, Precision);
}

std::string ContentNumbers::Coord(float value) const
{
    return FormatRounded(value * Scale, Precision);
}

std::string ContentNumbers::Component(int byte) const
{
    return FormatRounded(static_cast<float>(byte / 255.0), Precision);
}

// The lines a drawing gives are written even when it stopped early, so that its "q" is
// closed; the failure is then recorded like a loader's.
void Pagelith::ImportDrawing(
    const std::string& fileName,
    const std::function<ImportedDrawing(const Bytes&, const ContentNumbers&)>& translate)
{
    try {
        const Bytes data = ReadWholeFile(fileName);
        if (data.size() < 2)
            throw Error(err::kFileNotFound, "File not found");
        const ImportedDrawing drawing = translate(data, {mScale, mPrecision});
        for (const std::string& line : drawing.Lines)
            PutLine(line);
        if (drawing.Failure)
            throw *drawing.Failure;
    } catch (const Error& e) {
        RaiseError(e, "DrawImage", fileName);
    }
}

}  // namespace pdf
