// The painting operator that ends every path the drawing operations build.
#include "pdf/pagelith.h"

namespace pdf {

// Bits of style: 1 no stroke, 2 close, 4 fill with the even-odd rule, 128 also clip.
// With the no-stroke bit and neither fill nor close, the line stays empty and the path
// stays open for the next drawing to continue.
void Pagelith::PaintPath(int style)
{
    const bool noStroke = (style & 1) != 0;
    const bool close = (style & 2) != 0;
    std::string op;
    if (style & 4)
        op = noStroke ? "f*" : close ? "b*" : "B*";
    else if (close)
        op = noStroke ? "h" : "h S";
    else if (!noStroke)
        op = "S";
    if (style & 128)
        op = "W " + op;
    PutLine(op);
}

}  // namespace pdf
