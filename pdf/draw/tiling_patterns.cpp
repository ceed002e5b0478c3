// Tiling patterns: a cell of drawings repeated over whatever is painted with the pattern's
// name.  EndTiling writes the pattern when the cell is complete.
#include "pdf/core/fixed_objects.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kUncoloured = 1;

}  // namespace

// Patterns do not nest: while one is recorded, a further BeginTiling only changes whether
// colour operators are silenced.  The cell is recorded in a y-down space from its top, as
// a page is; it shares the document's resources but for the tiling patterns.
void Pagelith::BeginTiling(const std::string& name, float x1, float y1, float x2, float y2,
                           float xStep, float yStep, int paintKind)
{
    RequireFinite({x1, y1, x2, y2, xStep, yStep});
    if (!mContent.inTiling) {
        mContent.inTiling = true;
        mContent.tiling.name = UpperAscii(TrimSpaces(name));
        mContent.tiling.res = std::string("<< /Type /Pattern /PatternType 1 /PaintType ") +
                     (paintKind == 0 ? "1" : "2") + "\r/TilingType 1\r/BBox [" +
                     FormatCoord(x1) + " " + FormatCoord(y1) + " " + FormatCoord(x2) + " " +
                     FormatCoord(y2) + "]\r/Resources " + IndirectRef(kResourcesWithoutPatternsObject) + "\r/XStep " + FormatCoord(xStep) +
                     " /YStep " + FormatCoord(yStep) + "\r/Matrix [1 0 0 1 0 0]";
        mContent.tiling.height = y2 - y1;
        mContent.tiling.uncoloured = paintKind != 0;
        mTemplates.Paints.Open(PaintGraph::Pattern(mContent.tiling.name));
        BeginContent(mContent.tilingBuf, mContent.openPaths.Tiling, mContent.serials.Tiling);
        BufAppend(mContent.tilingBuf, "1 0 0 -1 0 " + FormatCoord(y2 - y1) + " cm");
    }
    mContent.patternFlag = paintKind == kUncoloured;
}

}  // namespace pdf
