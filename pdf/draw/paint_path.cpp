// The path under construction in each content, and the painting operator that ends every
// path the drawing operations build.
#include "pdf/pagelith.h"

namespace pdf {

bool* Pagelith::OpenPathHere()
{
    return ForContentHere(mContent.openPaths.Template, mContent.openPaths.Tiling, mContent.openPaths.Page);
}

void Pagelith::EndOpenPath(TextBuffer& content, bool& open)
{
    if (!open)
        return;
    BufAppend(content, "\rn");
    open = false;
}

// An empty text leaves the path as it was.
void Pagelith::PutPath(std::string_view text, bool painted)
{
    TextBuffer* target = ContentHere();
    if (!target)
        return;
    BufAppend(*target, "\r");
    BufAppend(*target, text);
    if (!text.empty())
        *OpenPathHere() = !painted;
}

void Pagelith::BeginPathAtCurrentPoint()
{
    const bool* open = OpenPathHere();
    if (open && !*open)
        PutPath(FormatReal(mText.x) + " " + FormatReal(mText.y) + " m");
}

// Bits of style: 1 no stroke, 2 close, 4 fill with the even-odd rule, 128 also clip.
// With the no-stroke bit and neither fill nor close, the line stays empty and the path
// stays open for the next drawing to continue; so does a path only closed.  A clip with
// nothing to paint ends the path with "n", so that it clips what follows.
void Pagelith::PaintPath(int style)
{
    const bool* open = OpenPathHere();
    if (!open || !*open)
        return;
    const bool noStroke = (style & 1) != 0;
    const bool close = (style & 2) != 0;
    const bool fill = (style & 4) != 0;
    std::string paint;
    if (fill)
        paint = noStroke ? "f*" : close ? "b*" : "B*";
    else if (!noStroke)
        paint = "S";
    std::string op = close && !fill ? "h" : "";
    if (style & 128) {
        op += op.empty() ? "W" : " W";
        if (paint.empty())
            paint = "n";
    }
    if (!op.empty() && !paint.empty())
        op += " ";
    PutPath(op + paint, !paint.empty());
}

}  // namespace pdf
