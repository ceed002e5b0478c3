// The look of a list box drawn by the document itself: a reader that keeps the widget's own
// appearance shows the default option selected only when the appearance draws it so.
#include <vector>

#include "pdf/core/colour.h"
#include "pdf/core/fixed_objects.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// The colour readers mark a selected list item with.
constexpr const char* kSelectionFill = "0.6 0.75 0.86 rg";
// Between the frame and the text, in points.
constexpr float kTextMargin = 2;
// The size readers choose for a list box whose font size is left to them.
constexpr float kAutomaticSize = 12;

}  // namespace

// The frame, then the options one per row from the top in the current font, clipped inside
// the frame's border, the selected one (from 1; 0 for none) over a highlight.
std::string Pagelith::ListBoxAppearance(float width, float height, const std::string& frame,
                                        float border, const std::string& options, int selected,
                                        float fontSize)
{
    const FontRecord& font = CurrentFont();
    const float size = fontSize > 0 ? fontSize : kAutomaticSize;
    const float row = static_cast<float>(font.LineHeight) * size / 1000;
    const float ascent = static_cast<float>(font.LineHeight + font.Descent) * size / 1000;
    const float inner = width - 2 * border;
    const std::string colour = FillOperandsOrBlack(mColours.text);

    std::vector<std::string> items;
    SplitText(options, items, "|");
    std::string content = frame + "q " + FormatReal(border) + " " + FormatReal(border) + " " +
                          FormatReal(inner) + " " + FormatReal(height - 2 * border) + " re W n\r";
    float top = height - border;
    for (std::size_t item = 0; item < items.size() && top > border; ++item, top -= row) {
        if (static_cast<int>(item) + 1 == selected)
            content += std::string(kSelectionFill) + " " + FormatReal(border) + " " +
                       FormatReal(top - row) + " " + FormatReal(inner) + " " + FormatReal(row) +
                       " re f\r";
        content += "BT " + FontResourceName() + " " + FormatReal(size) + " Tf " +
                   colour + " 1 0 0 1 " +
                   FormatReal(border + kTextMargin) + " " + FormatReal(top - ascent) + " Tm (" +
                   EscapeString(EncodeText(items[item])) + ") Tj ET\r";
    }
    const int object =
        WriteAppearanceStream(width, height, content + "Q", IndirectRef(kResourcesObject));
    return " /AP << /N " + std::to_string(object) + " 0 R >>";
}

}  // namespace pdf
