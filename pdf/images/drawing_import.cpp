// What the drawing imports share: the writer's number formats, and writing a drawing's
// lines into the open content.
#include "pdf/core/number_format.h"
#include "pdf/images/byte_reader.h"
#include "pdf/images/vector_import.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

enum class PathPart { Construction, Painting, Other };

// What a drawing's line does to the path under construction, told by its last operator.
PathPart PathPartOf(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(" \r\n");
    if (end == std::string_view::npos)
        return PathPart::Other;
    const std::size_t space = line.find_last_of(" \r\n", end);
    const std::size_t begin = space == std::string_view::npos ? 0 : space + 1;
    const std::string_view op = line.substr(begin, end + 1 - begin);
    for (const char* construction : {"m", "l", "c", "v", "y", "h", "re", "W", "W*"}) {
        if (op == construction)
            return PathPart::Construction;
    }
    for (const char* painting : {"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"}) {
        if (op == painting)
            return PathPart::Painting;
    }
    return PathPart::Other;
}

}  // namespace

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
// closed, and its paths as paths, so that no other operator lands inside one and none is
// left open; the failure is then recorded like a loader's.
void Pagelith::ImportDrawing(
    const std::string& fileName,
    const std::function<ImportedDrawing(const Bytes&, const ContentNumbers&)>& translate)
{
    try {
        const Bytes data = ReadWholeFile(fileName);
        if (data.size() < 2)
            throw Error(err::kFileNotFound, "File not found");
        const ImportedDrawing drawing = translate(data, {mGeometry.scale, mContent.precision});
        for (const std::string& line : drawing.Lines) {
            const PathPart part = PathPartOf(line);
            if (part == PathPart::Other)
                PutLine(line);
            else
                PutPath(line, part == PathPart::Painting);
        }
        if (drawing.Failure)
            throw *drawing.Failure;
    } catch (const Error& e) {
        RaiseError(e, "DrawImage", fileName);
    }
}

}  // namespace pdf
