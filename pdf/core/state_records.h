// Records of the graphics and text state: one saved graphic state, the paths under
// construction, the serials of the open contents, one rich-text tag and the text-box style,
// and the writer's colours, text placement and graphics state.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace pdf {

// Who saved a graphic state: each of them puts back only the states it saved itself.
enum class StateOpener { Space, Table, Barcode };

// What SaveGraphicState keeps and RestoreGraphicState puts back.
struct GraphicStateRecord {
    StateOpener Opener = StateOpener::Space;
    float Scale = 1;
    float X = 0;
    float Y = 0;
    std::string ColorFill;
    std::string ColorFillAlt;
    std::string ColorLine;
    std::string ColorLineAlt;
    std::string ColorText;
    std::string ColorTextAlt;
    bool NoFill = false;
    bool NoLine = false;
    bool NoText = false;
    std::string FontName;  // empty while no font was ever selected
    int FontStyle = 0;
    float FontSize = 0;
    int FontCharset = 0;
    float LineWidth = 0;
    // For a local space, the serial of the content its "q" went into (0: none was open);
    // tables and barcodes write no "q".
    int SpaceContent = 0;
};

// Which contents have a path under construction: one that path operators continue and that
// is painted or ended before any other operator, since readers take no other inside a path.
struct OpenPaths {
    bool Page = false;
    bool Template = false;
    bool Tiling = false;
};

// Each content begun (a page opened or reopened, a template, a tiling cell) is numbered
// anew, so that a local space ends only in the content whose "q" it wrote.
struct ContentSerials {
    int Page = 0;
    int Template = 0;
    int Tiling = 0;
    int Last = 0;  // the serial given last
};

// A markup tag of rich text and the font and colours of the runs it marks.
struct TextTagRecord {
    std::string Name;  // compared case-sensitively
    std::string Font;
    int Style = 0;      // added to the surrounding style bits; -1 keeps them
    float Size = 0;     // 0 keeps the surrounding size
    int Charset = 0;
    int FontIndex = 0;  // the selected font, in rich text's working copies only
    std::string TextColor;  // in the writer's colour notation; empty keeps the surrounding
    std::string FillColor;
};

// How text boxes are laid out and framed.  The lengths are in points.
struct BoxStyle {
    float Indent = 0;  // of the first line, from the left inset
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    int BorderMask = 15;  // the sides framed; 15 is all four
    float Radius = 0;     // of the frame's rounded corners, handed to the rectangle unchanged
};

// Colours in the writer's notation, as a new document begins with them.
struct ColourState {
    std::string fill = "#1 1 1";
    std::string text = "#0 0 0";
    std::string line = "#0 0 0";
    std::string fillAlt;
    std::string textAlt;
    std::string lineAlt;
    bool noFill = false;
    bool noText = false;
    bool noLine = false;
};

// The current point and the spacings and scaling text is written with.
struct TextPlacement {
    float x = 0;
    float y = 0;
    float charSpacing = 0;
    float wordSpacing = 0;
    float horizScaling = 100;
    float lineSpacing = 1;
};

// The line width is in points; 1 is the PDF default.  Each flag tells whether the
// ExtGState of that opacity or blend mode was written.
struct GsState {
    float lineWidth = 1;
    std::array<bool, 101> alpha{};
    std::array<bool, 101> alphaFill{};
    std::array<bool, 101> alphaLine{};
    std::array<bool, 16> blend{};
    std::vector<GraphicStateRecord> stack;  // the innermost state last
};

}  // namespace pdf
