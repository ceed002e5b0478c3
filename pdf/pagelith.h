// Pagelith: writes one PDF document, from BeginDoc to EndDoc.
//
// Texts passed in are UTF-8.  Coordinates are in user units (SetScale) in a y-down space
// whose origin is the top-left corner of the area inside the margins.  The operations that
// open a file (BeginDoc) record a failure for ErrNumber, ErrSource and ErrDescription and
// return normally, as a drawing operation with no page, template or tiling cell open to
// take it records error 5 and draws nothing (annotations want a page or a template, fields
// a page), and so does a painting that would paint itself through templates and tiling
// cells; every other operation lets an Error reach its caller.  BeginDoc clears the error
// recorded before it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pdf/codec/security_handler.h"
#include "pdf/core/annotation_records.h"
#include "pdf/core/content_target.h"
#include "pdf/core/document_state.h"
#include "pdf/core/environment.h"
#include "pdf/core/error.h"
#include "pdf/core/field_records.h"
#include "pdf/core/layer_records.h"
#include "pdf/core/link_records.h"
#include "pdf/core/output_file.h"
#include "pdf/core/records.h"
#include "pdf/core/resource_records.h"
#include "pdf/core/state_records.h"
#include "pdf/core/stream_filters.h"
#include "pdf/core/template_records.h"
#include "pdf/core/text_buffer.h"
#include "pdf/draw/rich_text_records.h"
#include "pdf/draw/table_records.h"
#include "pdf/fonts/font_record.h"
#include "pdf/fonts/truetype_font.h"
#include "pdf/images/image_list.h"
#include "pdf/images/vector_import.h"
#include "pdf/reader/import_state.h"
#include "pdf/reader/source_reader.h"

namespace pdf {

class Pagelith {
public:
    // Without a clock or a random source, the system's are used.
    explicit Pagelith(std::shared_ptr<Clock> clock = nullptr,
                      std::shared_ptr<RandomSource> random = nullptr);
    // Closes an open file as it is; writes nothing more.
    ~Pagelith();
    Pagelith(const Pagelith&) = delete;
    Pagelith& operator=(const Pagelith&) = delete;

    // Public operations.
    void Abort();
    std::string BeginDoc(std::string& fileName);
    // Reopens a finished page: what follows, until EndOnPage, is a further content stream of
    // it, begun in the page's default state whatever the page's own drawing left behind.
    void BeginOnPage(int& pageNo);
    int BeginPage(int& pageNo);
    void EndDoc();
    void EndOnPage();
    void EndPage();
    std::string ErrDescription() const;
    int ErrNumber() const;
    std::string ErrSource() const;
    std::int64_t FileSize() const;
    int GetPage() const;
    float GetPageHeight(bool insideMargins) const;
    float GetPageWidth(bool insideMargins) const;
    int GetPages() const;
    void OpenDoc();
    void SetColorFill(const std::string& colour);
    void SetColorLine(const std::string& colour);
    void SetColorText(const std::string& colour);
    void SetCompression(int content, int images, int files);
    void SetDocProperty(const std::string& title, const std::string& subject,
                        const std::string& author, const std::string& creator,
                        const std::string& producer, const std::string& keywords);
    void SetLabel(int style, const std::string& prefix, int start);
    void SetMargins(float left, float right, float top, float bottom, int clip);
    void SetMemoryUsage(int factor);
    void SetPageTransition(int style, float pageDuration, float transitionDuration);
    void SetPageView(int code);
    void SetPaperSize(int code, float width, float height);
    // PDF/A-1b mode, set before the content it concerns: fonts are embedded, and scripts,
    // attached files, form fields, layers and transparency are not written.  The document
    // claims conformance only when it holds nothing the mode forbids (a font with no file
    // to embed, such as Symbol, protection, a CMYK colour or picture under the RGB output
    // intent, or what was made before the mode was on).
    void SetPDFa(bool on);
    void SetPrecision(int decimals);
    void SetScale(int unit, float factor);
    void SetViewerPreferences(int value);
    void SwapPages(int a, int b);
    static std::string Version();

    // Destinations, links and bookmarks (destinations.cpp, links.cpp, bookmark_list.cpp,
    // outline.cpp).  Fit types: 0 the page's contents, 1 a left edge (x), 2 a top edge
    // (y), 3 a rectangle (x, y, w, h), 4 a point (x, y) and a zoom in percent; any other
    // shows the whole page.
    //
    // DefineRef names a place of the current page for "ref:" targets; x and y of 0 take
    // the current point.  A name defined again goes to its later place.
    void DefineRef(const std::string& name, int fitType, float x, float y, float w, float h,
                   float zoom);
    // A link over the element drawn last, to "http:", "https:", "mailto:" or "file:"
    // addresses, a "script:", a "layer:" switch ("ON(a,b) OFF(c) TOGGLE(d)"), a "ref:"
    // destination, a "page:" (a number, "#FIRST", "#PREV", "#NEXT", "#LAST", "+n" or "-n")
    // or a "bookmark:" followed by what AddBookmark returned.  Other targets, and scripts
    // and layer switches in PDF/A mode, are ignored.  A "ref:" link to a name that no
    // DefineRef gives by the end of the document goes nowhere.
    // Highlight: 0 none, 1 invert, 2 outline, 3 push.
    void LinkTo(const std::string& target, int borderWidth, int highlight, int fitType, float x,
                float y, float w, float h, float zoom);
    // Depth -1 makes a child of the entry before, 0 a sibling, any other the level itself
    // (never deeper than a child).  Fit type 5 is an action from the link ("http:",
    // "https:", "mailto:", "file:" or "script:").  Style: 1 bold, 2 italic.  Returns "@"
    // and the entry's number, or "" when it would be nested 255 deep.  Added between EndDoc
    // and the next BeginDoc, it belongs to the next document and leads to its first page.
    std::string AddBookmark(const std::string& title, int depth, int fitType, float v1,
                            float v2, float v3, float v4, const std::string& link,
                            const std::string& colour, int style);

    // Annotations and attachments (annotations.cpp, attachments.cpp).  Flags are the
    // annotation flags (2 hidden, 4 printed, ...); in PDF/A mode every annotation, links
    // included, is printed and shown whatever they say.  Note alignment: 2 right, 4 centred;
    // border: 0 solid, 1 dashed, 2 beveled, 3 inset, 4 underlined.  Icons: 0-6 notes,
    // 256-269 stamps, 512-515 file attachments, whose text is a path, optionally followed by
    // "|" and a description (a missing file, or PDF/A mode, writes nothing).  A note carries
    // its own appearance, in the current font (Arial before any SetFont), since readers
    // would otherwise draw it in a font of their own, which the document may not hold.
    void DrawNote(const std::string& text, float x, float y, float w, float h, int alignment,
                  int borderStyle, float dash, float gap, int flags);
    void DrawPlaceHolder(const std::string& text, int icon, float x, float y, float w, float h,
                         int flags);
    // Embeds a file at document level; an empty name shows the file's own, and a name
    // attached again shows the later file.  Records the
    // failure and returns false when the file cannot be embedded, and in PDF/A mode.
    bool AddAttach(const std::string& path, const std::string& name,
                   const std::string& description);

    // Form fields (form_fields.cpp, list_box_appearance.cpp).  Kinds: 0 text box, 1 check
    // box, 2 list box, 3 combo box, 4 radio button, 5 push button; any other is refused
    // with error 5.  Before any SetFont, a field selects Arial.  Check boxes and radio
    // buttons carry their on and off appearances, and a list box its options with the
    // default one highlighted; radio buttons of one name are one field, whose value is the
    // first of them drawn ticked.  The value is a text box's text, "true" for a ticked box,
    // the options of a choice joined by "|" or a button's caption; the option is a maximum
    // length, a choice's default option number or a button's script.  Fields are written
    // when their page closes.  Event codes: 0 activation, 1 mouse down, 2 enter, 3 exit,
    // 4 focus, 5 blur, 6 keystroke, 7 validate, 8 calculate, 9 format; a name reaches the
    // fields of that name and those named with it, a dot and more.  PDF/A mode writes no
    // field.
    void DrawField(const std::string& name, int kind, float x, float y, float w, float h,
                   const std::string& value, const std::string& option,
                   const std::string& tooltip, int flags);
    void OnFieldEvent(int code, const std::string& name, const std::string& script);

    // Scripts (actions.cpp).  Codes: 0 page open, 1 page close (for the page being built),
    // 2 document open, 3 will close, 4 will print, 5 will save, 6 did print, 7 did save,
    // 8 document-level script.  Without replace the script is appended.
    void OnDocEvent(int code, const std::string& script, bool replace);

    // Lines, rectangles, polygons and polylines (pdf/draw).  Style is a paint style:
    // 1 no stroke, 2 close the path, 4 fill with the even-odd rule, 128 also clip.  Edges
    // of DrawRect: 1 left, 2 right, 4 top, 8 bottom side drawn; 16 top-left, 32 top-right,
    // 64 bottom-right, 128 bottom-left corner rounded.  Points of DrawPolyline alternate
    // x and y.  A polygon of fewer than 3 or more than 32,767 sides and a polyline with an
    // odd or empty list of values are refused before anything is written.  A path left
    // unpainted (style 1, or 3) goes on with the next drawing, and DrawLineTo and DrawCurve
    // with none to go on with begin at the current point; anything else written ends it
    // unpainted, and a clip painting nothing (129) clips what follows.
    void DrawLine(float x1, float y1, float x2, float y2, int style);
    void DrawLineTo(float x, float y, int style);
    void DrawPolygon(float x, float y, float radius, int sides, int style);
    void DrawPolyline(const std::vector<float>& points, int style);
    void DrawRect(float x, float y, float w, float h, int style, int edges, float radius);
    // Current point, shared by the drawing operations (pdf/draw/current_point.cpp).
    void SetXY(float x, float y);

    // Fonts, graphics state and text state (pdf/fonts/font_selection.cpp,
    // pdf/core/graphics_state.cpp, coordinate_space.cpp, text_state.cpp).
    //
    // SetFont selects a standard family (Arial or Helvetica, Times or TimesNewRoman,
    // Courier or CourierNew, Symbol, ZapfDingbats; any other name that AddFont did not add
    // has the Arial metrics) with style bits (1 bold, 2 italic; 4, 8 and 16 only kept for
    // the text operations) and a Windows character set (161, 162, 186, 204, 238; anything
    // else is Western).  A
    // font new to the document is written at once, so it needs an open document.  A size
    // of 0 keeps the current size (10 when there is none).  In PDF/A mode the families but
    // Symbol and ZapfDingbats are embedded from the Liberation fonts of the same widths.
    void SetFont(const std::string& name, float size, int style, int charset);
    void SetFontSize(float size);
    // Opacities in percent, clamped to 0-100; blend modes 0 (Normal) to 15 (Luminosity),
    // clamped.  None of them writes anything in PDF/A mode.
    void SetAlpha(int opacity);
    void SetAlphaFill(int opacity);
    void SetAlphaLine(int opacity);
    void SetBlend(int mode);
    // Style: cap 0, 32 or 64 (butt, round, square) plus join 0, 2 or 4 (miter, round,
    // bevel).  A miter limit below 1 is not written.
    void SetLineStyle(int style, float miter);
    void SetLineWidth(float width);
    // "SOLID" (or empty), "DASH", "DOT", "DASHDOT", "DASHDOTDOT", or lengths joined by ";".
    void SetDash(const std::string& pattern, float phase);
    void AxisRotation(float angle);
    void AxisScaling(float x, float y);
    void AxisSkewing(float a, float b);
    void AxisTranslation(float x, float y);
    // A local coordinate space, ended by EndSpace, which puts back the point, the scale,
    // the colours, the line width and the font of the moment BeginSpace was called.  Only
    // the space begun last ends, in the content (page, template, tiling cell) it began in,
    // and not while a table begun inside it is open: otherwise EndSpace records error 5
    // and writes nothing.  A content that closes ends the spaces left open in it.
    void BeginSpace(float x, float y, float scaleX, float scaleY, float angle);
    void EndSpace();
    void MoveTo(float x, float y);
    float GetX() const;
    float GetY() const;
    void SetCharSpacing(float spacing);
    void SetWordSpacing(float spacing);
    void SetTextHorizontalScaling(float percent);
    void SetTextMode(int mode);
    // Lengths in user units: first-line indent, then the left, top, right and bottom
    // insets; the frame's sides (as DrawRect's edges) and corner radius.  A negative line
    // spacing keeps the current one.
    void SetBoxStyle(float lineSpacing = 1, float indent = 0, float left = 0, float top = 0,
                     float right = 0, float bottom = 0, int borderMask = 15, float radius = 0);
    // An empty tag removes every tag; at most 255 tags are kept.
    void SetTextTag(const std::string& tag, const std::string& font, float size, int style,
                    int charset, const std::string& textColour,
                    const std::string& fillColour);
    // In user units, with the current font and size.
    float GetTextHeight() const;

    // TrueType fonts (pdf/fonts/add_font.cpp).  Adds the font of a file for the 256 codes
    // of a character set, writing its objects at once (the file embedded when asked, and
    // always in PDF/A mode); SetFont then selects it by the returned name, in any case and
    // blanks removed, with the same charset.  A name already held selects the font added
    // last; the same file added again under its name is the font already there.  Empty
    // when the file cannot be read as a font.
    std::string AddFont(const std::string& fileName, const std::string& name, bool embed,
                        int charset);
    float GetTextWidth(const std::string& text) const;

    // Protection (pdf/core/protection.cpp, the algorithms in pdf/codec/security_handler.cpp).
    // Mode holds the permissions granted (pdf::permission: print 4, modify 8, copy 16,
    // annotate 32; with the 128-bit key also fill forms 256, accessibility 512, assemble
    // 1024, high-quality print 2048) plus 4096 for the 128-bit key (revision 3), else the
    // 40-bit key (revision 2).  An owner password that is empty or only blanks is the user
    // password; an empty user password opens the document without asking.  Call it before
    // BeginDoc or before the document's first object: later it records error 5 and changes
    // nothing.  Every string and stream written afterwards is enciphered.  Passwords are
    // hashed in PDFDocEncoding: one with a character it lacks records error 5 and changes
    // nothing.
    void SetProtection(int mode, const std::string& ownerPwd, const std::string& userPwd);

    // Text lines and text boxes (pdf/draw/text_lines.cpp, text_boxes.cpp).  Align is a set
    // of flags: And 455 gives the alignment across (2 right, 4 centre, 64 justify, 128 fit
    // when too wide, 256 fit, anything else left); a box also reads 16 (bottom), 32 (middle,
    // wins over bottom) and 512 (one line per paragraph, cut with an ellipsis).
    //
    // With Align 2 the text ends at x, with 4 it is centred on x, else it starts there; y is
    // the baseline.
    void DrawText(float x, float y, const std::string& text, int align = 1);
    // Lays the text out inside the box of the current box style, framing it first unless
    // the paint style `options` is 1.  A width of 0 reaches the right margin; a height of 0
    // fits the text.  Returns the text that did not fit, ready for a further box.
    std::string DrawTextBox(float x, float y, float w, float h, const std::string& text,
                            int align = 9, int options = 1);

    // Rich text (pdf/draw/rich_text.cpp): text marked up with the tags of SetTextTag,
    // "<name>" switching to a tag's font, size, style, charset, text and background colours
    // until a closing "</name>", which closes the innermost open tag whatever its name.
    // Tags nest, each taking from the tags around it what it leaves unset; untagged words
    // are in the current font and colours, the fill colour painted behind them unless it is
    // set to nothing (SetColorFill("")).  Lines break at spaces and line ends, inside the
    // box of the current box style; align: 2 right, else 4 centred, else 64 justified, else
    // left; 32 middle, else 16 bottom, else top.  Unless `options` is 1, the box is framed
    // first with that paint style; with 0 the point is left under the last line, else under
    // the box.  A width of 0 reaches the right margin; a height of 0 fits the text.  Returns
    // what did not fit (the whole text when not even a line did), marked so that a further
    // call goes on in the same style.
    std::string DrawTextRich(float x, float y, float w, float h, const std::string& text,
                             int align, int options);

    // Barcodes (pdf/draw/barcode*.cpp).  Types: 0 EAN-13, 1 Code 39, 2 Interleaved 2 of 5,
    // 3 POSTNET, 4 Code 128, 5 EAN-8; any other draws nothing.  (x, y) is the top-left
    // corner of the symbol's area, left quiet zone included; the zoom is clamped to 0.8-2;
    // a height of 0 takes the symbology's own, text included.  Bars take the current fill
    // colour, which is white in a new document.  Interleaved 2 of 5 takes digits only,
    // POSTNET five digits or a ZIP+4 code ("12345-6789"), EAN its 12 or 7 digits.  Returns
    // the width, quiet zones included, or 0 when the data cannot be encoded and nothing was
    // drawn.
    float DrawBarCode(int barCodeType, std::string code, float x, float y, bool showCode,
                      float zoomFactor, float height, bool addCheck);

    // Flowing text (pdf/draw/flowing_text.cpp): pieces written at the current point, each
    // where the one before ended, never wrapped.  Position 0 writes on the line; 1
    // (superscript), 2 (subscript) and 3 (on the line) write at `percentSize` percent of
    // the current size, which the next piece has again.  WriteTextLn ends the line: the
    // point goes to x 0, one line further down.
    void WriteText(const std::string& text, int position = 0, float percentSize = 66);
    void WriteTextLn(const std::string& text);

    // Circular text (pdf/draw/circular_text.cpp): the text set along the circle of centre
    // (x, y), each character centred on its angle and turned to follow the circle.  Align
    // And 7: 2 ends the text at `startAngle` (degrees, clockwise on the page from the x
    // axis), 4 centres it there, else it begins there.  A radius of 0 draws nothing.  The
    // point goes to the centre.
    void DrawTextCircular(float x, float y, float ray, const std::string& text,
                          float startAngle = 0, int align = 1);

    // Gradients and tiling patterns (pdf/draw/gradients.cpp, tiling_patterns.cpp), painted
    // by giving their name as a fill or stroke colour once defined; until then, and for any
    // other name that is no colour, the name's fallback colour ("name|colour") or black is
    // used.  AddGradient writes the gradient at once: kind 1 radial between the circles
    // (x1, y1, r1) and (x2, y2, r2), else axial from (x1, y1) to (x2, y2); the extend flags
    // continue the end colours beyond the ends.  Colours of different kinds are blended in
    // RGB.  A gradient lies in the space of what is drawn when it is defined: the page, a
    // template or a tiling cell.  BeginTiling records the drawings that follow into the cell
    // (x1, y1)-(x2, y2), repeated every xStep and yStep, until EndTiling; paint kind 0 keeps
    // the drawings' colours, 1 silences the colour operators so the pattern takes the colour
    // it is painted with (2 keeps them).  Tiling patterns do not nest, and a cell paints with
    // gradients but not with other tiling patterns.
    void AddGradient(const std::string& name, int kind, const std::string& colour1,
                     const std::string& colour2, float x1, float y1, float x2, float y2,
                     float r1, float r2, bool extend1, bool extend2);
    void BeginTiling(const std::string& name, float x1, float y1, float x2, float y2,
                     float xStep, float yStep, int paintKind);

    // Arcs, curves, ellipses and circles (pdf/draw/arcs.cpp, curves.cpp, ellipses.cpp).
    // Angles are in degrees from the x axis, turning clockwise on the page since y grows
    // downwards.  An arc is drawn as segments every `step` degrees (0 is refused), for one
    // full turn at most, and its y offsets are multiplied by `yRatio`; `sector` joins its
    // ends to the centre.  Curve kinds: 1 "c" (a1..a6: both control points, end point),
    // 2 "v" (a1..a4: second control point, end point), 3 "y" (a1..a4: first control
    // point, end point); a curve continues the path from the current point.  All but
    // DrawCurve leave the point at the centre.
    void DrawArc(float x, float y, float radius, float startAngle, float endAngle,
                 float yRatio, bool sector, int step, int style);
    void DrawCurve(int kind, float a1, float a2, float a3, float a4, float a5, float a6,
                   int style);
    void DrawEllipse(float x, float y, float rx, float ry, int style);
    void DrawCircle(float x, float y, float radius, int style);

    // Tables (pdf/draw/tables.cpp).  BeginTable fixes the top-left corner, the first row's
    // height and one width per column; TableCell draws a cell's outline with DrawRect
    // (style, edges and radius as there) and returns its box: x, y, width, height.  Rows
    // and columns count from 1; a column beyond the table is clamped into it, and rows are
    // created, with the current row height, down to the cell.  A row below 1 or a negative
    // span is refused.  EndTable puts back the colours, line width and font of BeginTable;
    // a local space begun inside the table and still open stays open until its EndSpace.
    void BeginTable(float x, float y, float rowsHeight, const std::vector<float>& colsWidth);
    std::array<float, 4> TableCell(int row, int col, int rowSpan = 1, int colSpan = 1,
                                   int options = 1, int boxBorder = 15, float ray = 0);
    void TableRowHeight(float value);
    void EndTable();

    // Images (pdf/images/image_list.cpp).  AddImage loads the whole content of a GIF, BMP,
    // JPEG (.jpg, .jpeg), PNG or TGA file held in memory under a name (its ending, in any
    // case, tells the format) and returns the name, or "" with error 321 for an ending it
    // does not know.  DrawImage places the image of a file (names compared exactly),
    // loading it on its first use: its top-left corner at (x, y), sized width x height user
    // units; a size of 0 follows from the other one and the image's proportions (both 0:
    // one pixel per point); with `proportional` the image is fitted into the box.  Files
    // ending in .EPS or .AI and in .WMF are drawings, written as content into the box; both
    // sizes 0 give their natural size (an EPS's bounding box in points, a metafile's window
    // at its units per inch); content we cannot convert is refused with error 321.
    // The frame picks a GIF's frame, the mask colour a BMP's transparent colour.  A file
    // that cannot be loaded is recorded for ErrNumber ("Pagelith.DrawImage") and placed not.
    std::string AddImage(const std::string& name, const Bytes& data, int frame = 1,
                         const std::string& maskColour = "");
    void DrawImage(const std::string& fileName, float x, float y, float width = 0,
                   float height = 0, int frame = 1, const std::string& maskColour = "",
                   bool proportional = false);
    // Image patterns (pdf/images/image_pattern.cpp): an image made of pixels held in
    // memory, rows from the top, written at once and placed by DrawImage under its name.
    // Without a palette the pixels are red, green, blue bytes; with one (red, green, blue
    // per entry) they are indexes of 1 bit for 2 entries, 4 bits for 16, else 8 bits, each
    // row starting on a byte.  The transparent colour, an RGB colour in any notation of the
    // colour operations, becomes a colour-key mask.  A size below one pixel, or fewer bytes
    // than the size needs, is refused with error 5.  Returns the name.
    std::string AddImagePattern(const std::string& name, int width, int height,
                                const Bytes& pixels, const Bytes& palette,
                                const std::string& transparentColour = "");

    // Templates (pdf/core/templates.cpp): content recorded between BeginObject and
    // EndObject, written as a form XObject and painted by DrawObject (names compare
    // case-sensitively; a name recorded again replaces the earlier template, and one painted
    // but never recorded paints nothing).  Flags place a template by themselves: 1 the first page, 2 even
    // and 4 odd page positions, 8 never the first page, 16 over the page's content as the
    // page closes instead of under it as the page opens; 0 only by DrawObject.  A second
    // BeginObject while recording is ignored; EndObject with nothing recorded is refused.
    // Nothing paints itself, however far round through templates and tiling cells: such a
    // DrawObject paints nothing and records error 5, and such a tiling pattern gives its
    // fallback colour and SetColorFill or SetColorLine records error 5.
    // EndTiling closes the tiling pattern that BeginTiling opened in the same way.
    void BeginObject(const std::string& name, int flags);
    void EndObject();
    void DrawObject(const std::string& name);
    void EndTiling();

    // Layers (pdf/core/layers.cpp): content a viewer shows or hides.  A name is found again
    // without regard to case, keeping what its first use set; the parent is the exact name
    // of the layer it is listed under (empty: the top level).  "SCREEN" is shown but not
    // printed, "PRINTER" printed but not shown.  A conditional section shows its content by
    // the states of the layers named (separated by ","), by a policy: 0 any on, 1 any off,
    // 2 all on, 3 all off.  An end with no section open in the current content writes
    // nothing, and a content that closes closes its open sections.  Nothing in PDF/A mode.
    void BeginLayer(const std::string& name, bool visible, bool listed,
                    const std::string& parent);
    void EndLayer();
    void BeginConditionalLayer(const std::string& names, int policy);
    void EndConditionalLayer();
    // Existing PDF files (pdf/reader/source_document.cpp, page_import.cpp).  Each file is
    // parsed once, on the first GetInfo that names it (names compare exactly); the others
    // begin with that GetInfo.  GetInfo records a failure for ErrNumber, ErrSource and ErrDescription
    // and returns 0, leaving its written arguments as they were (encrypted files are
    // refused); the others give False, "" or nothing for an unreadable file, an encrypted
    // one or a page out of range, and let an Error of a damaged file reach their caller.
    // Pages count from 1; sizes are in user units; encrypted and pdfa are -1 (True) or 0.
    // Information strings come as UTF-8.  The version is the minor digit of a 1.x header
    // (4 for 1.4) and ten times the major plus the minor from 2.0 on (20 for 2.0).
    int GetInfo(std::string fileName, std::string& title, std::string& subject,
                std::string& author, int& encrypted, int& pdfa, int& version);
    bool GetInfoPage(std::string fileName, int page, float& width, float& height, int& rotation);
    // The page's content streams decoded and joined as their bytes, CR LF turned into LF.
    std::string GetContentPage(std::string fileName, int page);
    // Draws the page as a form at (x, y), y downward; width and height both 0 keep the
    // page's size, one of them 0 keeps its proportions.  Each source page becomes a form
    // once per writer.  Its layers join the document's, shown or hidden as the source shows
    // them by default.
    void ImportPage(std::string fileName, int page, float x, float y, float width, float height);

private:
    friend class PagelithTestPeer;
    // Reaches WriteTextLine and the text state in the text tests.
    friend class TextTestPeer;

    // Reset (document.cpp).  Abort runs the Reset steps in order; each later feature adds
    // its own step.
    void ResetOutput();
    void ResetDocInfo();
    void ResetGeometry();
    void ResetContentState();
    void ResetLists();
    void ResetProtection();
    std::string NewDocId();
    void RenewDocId();
    std::string NewCreationDate();
    std::string NewResPrefix();
    void RaiseError(const Error& error, const std::string& operation,
                    const std::string& message);
    void ClearError();

    std::shared_ptr<Clock> mClock;
    std::shared_ptr<RandomSource> mRandom;
    DocumentInfo mInfo;
    ErrorState mError;

    // Output file and objects (objects.cpp, stream_writer.cpp).  Under protection,
    // WriteStream enciphers the filtered data with the key of objectNumber (0: the object
    // being written, the last one begun).
    void ClearDocument();
    void DropRecordings();
    int BeginObj(int number);
    void EndObj();
    void WriteLine(std::string_view text);
    void WriteStream(Bytes& data, int objectNumber, std::string_view filter, int length1,
                     StreamKind kind, std::string_view decodeParms = {});
    int WriteStreamObject(std::string_view text);
    void RequireVersion(int level);

    OutputState mOutput;
    // The standard security handler's state; off until SetProtection.
    ProtectionState mProtection;

    // Content and operands (content.cpp).  Drawing goes to a template being recorded, else
    // a tiling cell, else the open page: of three things kept for those contents, the one of
    // the content drawing goes to, or none when nothing is open.
    template <class T>
    T* ForContentHere(T& inTemplate, T& inTiling, T& onPage) const
    {
        return mContent.inTemplate ? &inTemplate
               : mContent.inTiling ? &inTiling
               : mContent.pageOpen ? &onPage
                                   : nullptr;
    }
    TextBuffer* ContentHere();
    // Where what a drawing operation makes lands: its operators in the open content, an
    // annotation in the template being recorded or on the open page, a field on the page.
    enum class Landing { Content, Annotation, Field };
    // False, with error 5 recorded for the operation, when nothing it would land in is open:
    // the operation then draws nothing.
    bool CanDraw(const char* operation, Landing landing = Landing::Content);
    // A content begins empty, with no path open, under a serial of its own.
    void BeginContent(TextBuffer& content, bool& pathOpen, int& serial);
    // The serial of the content drawing goes to; 0 when none is open.
    int ContentSerialHere() const;
    // One line of operators that are not path operators, into the current content after its
    // open path is ended.
    void PutLine(std::string_view line);
    std::string FormatCoord(float value) const;
    std::string FormatReal(float value) const;
    std::string FormatColorComponent(int component) const;
    // A literal string of bytes already in their final encoding.  Under protection it is
    // enciphered with the key of the object being written (the last one begun), so call
    // it while writing the object that holds the string, after that object's BeginObj.
    std::string PdfTextString(std::string_view bytes) const;
    // A literal text string of a dictionary: the caller's characters as a reader shows them,
    // enciphered as PdfTextString does.
    std::string PdfDictText(std::string_view utf8) const;
    // The RC4 key of an object's strings and streams (0: the object being written).
    std::string ObjectKey(int objectNumber) const;

    ContentTarget mContent;

    // Colours (colour_operators.cpp).
    void ParseColor(std::string& notation, std::string& fallback) const;
    void FillColorOperator(const std::string& colour, const std::string& fallback);
    void StrokeColorOperator(const std::string& colour, const std::string& fallback);
    // A colour the document paints with: a CMYK one ends the PDF/A claim.
    void NoteColour(std::string_view notation);
    std::string PatternOperator(const std::string& colour, const std::string& fallback,
                                bool stroke);
    bool PatternDefined(const std::string& name) const;
    void ReportPatternLoop(const std::string& notation, const std::string& operation);
    void AddPatternRes(const std::string& name, int object, PatternKind kind);
    void GiveUncolouredPatternColour(const std::string& notation, std::string& fallback,
                                     const std::string& current,
                                     const std::string& currentFallback) const;

    ColourState mColours;

    // A gradient's end colour, and its components in RGB (pdf/draw/gradients.cpp).
    std::string GradientColour(const std::string& colour) const;
    std::string RgbComponents(const std::string& notation) const;

    // The barcode symbologies (pdf/draw/barcode_*.cpp): one filled bar, and the
    // human-readable text in the barcode font.
    float DrawCode128(const std::string& text, float x, float y, bool showCode,
                      float zoomFactor, float height);
    float DrawCode39(const std::string& text, float x, float y, bool showCode, float zoomFactor,
                     float height, bool addCheck);
    float DrawEan13(const std::string& text, float x, float y, bool showCode, float zoomFactor,
                    float height);
    float DrawEan8(const std::string& text, float x, float y, bool showCode, float zoomFactor,
                   float height);
    float DrawEan(const std::string& text, float x, float y, bool showCode, float zoomFactor,
                  float height, bool ean13);
    float DrawInterleaved2of5(const std::string& text, float x, float y, bool showCode,
                              float zoomFactor, float height, bool addCheck);
    float DrawPostnet(const std::string& text, float x, float y, bool showCode, float zoomFactor);
    void PutBar(float x, float y, float w, float h);
    void PutBarcodeText(float x, float y, float zoom, const std::string& text, int align);

    // Rich text (pdf/draw/rich_text.cpp): the styles of the tag stack, the layout into
    // mTextBoxes.runs, and the drawing of one laid-out line.
    TextTagRecord BaseRichStyle() const;
    TextTagRecord OpenRichTag(const TextTagRecord& outer, int index);
    void LayOutRichText(const TextTagRecord& base, float areaWidth, float areaHeight,
                        float indent, bool continued);
    void MeasureRichRuns(std::size_t line, RichRunRecord& run, const TextTagRecord& style);
    void DrawRichLine(const RichLineRecord& line, float left, float width, float baseline,
                      int align);

    TextBoxState mTextBoxes;

    // Building and painting a path and recording the box of what was drawn, shared by the
    // drawing operations (pdf/draw/paint_path.cpp, pdf/draw/current_point.cpp).  Path
    // operators continue the path under construction in the current content, or begin
    // one; `painted` when the text ends with its painting operator.  A segment with no
    // path to continue begins at the current point.  PaintPath paints or ends the path as
    // the style says, and does nothing when no path is under construction.
    void PutPath(std::string_view text, bool painted = false);
    void BeginPathAtCurrentPoint();
    void PaintPath(int style);
    bool* OpenPathHere();
    // Ends the path of a content with "n": before an operator that is not a path operator,
    // and when the content closes.
    static void EndOpenPath(TextBuffer& content, bool& open);
    void SetLastBox(float x1, float y1, float x2, float y2);
    // The ellipse that DrawEllipse and DrawCircle draw once they may (pdf/draw/ellipses.cpp).
    void PutEllipse(float x, float y, float rx, float ry, int style);

    // Fonts and text (pdf/fonts, text_state.cpp).  Text reaches content and measurement
    // only as the bytes EncodeText gives for the current font.
    void ResetFontsAndState();
    void ClearFontsAndStates();
    int FindFont(const std::string& key, int charset, bool anyCharset) const;
    int AppendFont(FontRecord font, const std::string& resourceName, const Bytes& fontFile,
                   int fontFileLength, const std::string& descriptor);
    int AppendTrueTypeFont(const Bytes& file, const TrueTypeMetrics& metrics,
                           const std::string& fileName, bool embed, const std::string& key,
                           const std::string& resourceName);
    int AddSubstituteFace(std::string_view family, int style, int charset,
                          const std::string& key, const std::string& resourceName);
    int WriteFontObject(const std::string& resourceName, const Bytes& fontFile,
                        int fontFileLength, const std::string& descriptor);
    // "/" and the escaped resource name of the current font, as "Tf" wants it.
    std::string FontResourceName() const;
    std::string EncodeText(std::string_view utf8) const;
    // The record of the current font; with none selected, the subscript failure.
    const FontRecord& CurrentFont() const;
    std::size_t SureFitBytes(const FontRecord& font, float width) const;
    // Width in user units of text already encoded for the font, with the current spacings
    // and horizontal scaling.
    float GetStringWidth(std::string_view bytes, int fontIndex, float fontSize) const;

    // One line of text already encoded for the current font, as a whole text object: x is
    // the left end of a width (0 for a bare point), y the baseline, the indent an extra left
    // offset.  Justifying changes `bytes` (runs of blanks collapsed, a trailing blank
    // dropped).  Afterwards the current point follows the text or, with newLine, begins
    // the next line (pdf/draw/text_lines.cpp).
    void WriteTextLine(float x, float y, float width, std::string& bytes, float indent,
                       int flags, bool newLine);

    FontState mFont;
    TextPlacement mText;

    // Graphics state (graphics_state.cpp, graphic_state_stack.cpp).
    // Selects the ExtGState named by kind and value, writing its object the first time.
    void UseExtGState(std::string_view kind, int value, bool& written,
                      const std::string& entries);
    void SaveGraphicState(StateOpener opener);
    void RestoreGraphicState(StateOpener opener);
    void CloseOpenSpaces(TextBuffer& content, int serial);

    GsState mGs;
    // Open tables, the innermost last; not closed by EndPage or EndDoc, dropped by the next
    // document.
    std::vector<TableRecord> mTables;

    // Image objects (image_objects.cpp) and the image list (pdf/images): loading writes the
    // object at once; placing refers to it by its number.
    int WriteImageObject(int colorType, Bytes& data, const Bytes& palette, int width,
                         int height, int bits, const std::string& name,
                         const std::string& colorSpace, const std::string& filter,
                         const std::string& mask, const std::string& decode = "",
                         const std::string& decodeParms = "");
    int AppendImage(const std::string& name, int frame);
    void LoadImage(const std::string& name, const std::string& fileName, Bytes& data,
                   int frame, const std::string& maskColour);
    void WritePreparedImage(PreparedImage& image);
    ColourKey MaskColourKey(const std::string& maskColour) const;
    void PlaceImage(int number, float x, float y, float width, float height,
                    bool proportional);
    // Drawings written as content into a box (pdf/images/eps.cpp, wmf.cpp,
    // drawing_import.cpp).
    void ImportEps(const std::string& fileName, float x, float y, float w, float h);
    void ImportWmf(const std::string& fileName, float x, float y, float w, float h);
    void ImportDrawing(
        const std::string& fileName,
        const std::function<ImportedDrawing(const Bytes&, const ContentNumbers&)>& translate);

    // Raster images, numbered from 1.
    ImageList mImages;

    // Pages (pages.cpp).
    void CloseOpenPage();
    std::string PageLeadingText() const;
    void ClosePagePart();
    std::string PageDictText(const std::string& scriptEntry) const;
    const PageRecord& PageAt(int position) const;
    void WriteDrawingStateInForce();
    void ResetPageState();

    PageList mPageList;
    PageSetup mGeometry;

    // Templates and tiling patterns (templates.cpp).
    void DrawPageObjects(bool foreground);
    // False when the template would paint itself, however far round: then it is not.
    bool PaintTemplate(const std::string& name, const std::string& annotRefs);
    // What the template or tiling cell being recorded paints (PaintGraph nodes): NotePainted
    // notes it, false when it would paint itself; PaintsBack tells whether the node would.
    std::string PaintingNode() const;
    bool NotePainted(const std::string& node);
    bool PaintsBack(const std::string& node) const;
    // Records error 5 for a `what` ("template", "pattern") that would paint itself.
    void RefusePaintingLoop(const std::string& operation, const std::string& what);
    std::string TemplateResourceName(const std::string& name) const;
    // Annotation references ("n 0 R ") join the template being recorded, else the open page.
    void AddAnnotRefs(const std::string& refs);
    void EndOpenRecordings();

    TemplateList mTemplates;

    // Layers (layers.cpp).
    int FindLayer(std::string_view name) const;
    std::string LayerResourceName(const std::string& resource) const;
    int* OpenSectionsHere();
    void BeginMarkedSection(const std::string& resource);
    void EndMarkedSection();
    static void CloseMarkedSections(TextBuffer& content, int& open);
    void WriteLayers();
    using LayerChildren = std::unordered_map<std::string, std::vector<std::size_t>>;
    void AppendLayerOrder(std::size_t layer, const LayerChildren& children,
                          std::vector<bool>& onPath, std::string& text) const;
    void WriteMembership(const CondLayerRecord& record, int index);
    // A group copied with an imported page joins the document's groups, hidden when its
    // source hides it by default.
    void AddImportedLayer(int object, bool hidden);
    bool HasLayers() const;
    std::string OCPropertiesLine() const;

    // Layers and membership dictionaries.
    LayerList mLayers;

    // Completion (completion.cpp): EndDoc runs these in order.
    struct CatalogRefs {
        int outlines = 0;
        int dests = 0;
        std::array<int, 9> scripts{};  // by event code
        int names = 0;
        int metadata = 0;
        int outputIntent = 0;
    };
    int WriteMetadata();
    std::string ResourceEntries();
    void WriteSharedResources();
    void WritePageObjects();
    void WritePageTree();
    int WriteOutputIntent();
    int WriteCatalog(const CatalogRefs& refs);
    int WriteInfo();
    int WriteEncryptionDict();
    void WriteXrefAndTrailer(int catalog, int info, int encrypt);
    void FinishFile();

    SharedResources mResources;

    // Destinations and outline (destinations.cpp, outline.cpp).
    std::string ActionBookmarkDest(const std::string& link);
    LinkRecord& AddLinkRecord();
    std::string FitText(int fitType, float left, float top, float right, float bottom,
                        float zoom) const;
    std::string UserFitText(int fitType, float left, float top, float w, float h,
                            float zoom) const;
    void ResolveLinkPage(LinkRecord& record) const;
    int WriteDestinations();
    void WriteRefLinks();
    int LinkOutlineTree(int outline);
    int WriteOutlines();

    NavigationState mNav;

    // Annotations and attachments (annotations.cpp, attachments.cpp).
    // The flags an annotation is written with: in PDF/A mode always printed, never hidden.
    int WrittenAnnotFlags(int flags) const;
    void WriteAnnotation(std::string dict, const std::string& contents, const std::string& title,
                         const std::string& appearance, const std::string& target, bool embed);
    void WriteEmbeddedFile(int object, Bytes& data);
    // A form XObject of that size in points, drawing the content; returns its object.
    int WriteAppearanceStream(float width, float height, const std::string& content,
                              const std::string& resources);
    // The /AP entry of a free-text note of that size in points: its background, frame and
    // text in the current font (note_appearance.cpp).
    std::string NoteAppearance(const std::string& text, float width, float height,
                               int alignment, int borderStyle, float dash, float gap);
    std::string NoteText(const std::string& text, float width, float height, int alignment,
                         float inset);
    std::string AttachmentNameEntries() const;

    AttachedFiles mAttached;

    // Form fields (form_fields.cpp, list_box_appearance.cpp).
    int FieldFlags(int flags, int kind);
    // The /AS and /AP entries of a check box or radio button.
    std::string ToggleAppearance(float width, float height, const std::string& frame,
                                 const std::string& glyph, const std::string& onState, bool on);
    // The /AP entry of a list box: its frame and options, the selected one highlighted
    // (list_box_appearance.cpp).
    std::string ListBoxAppearance(float width, float height, const std::string& frame,
                                  float border, const std::string& options, int selected,
                                  float fontSize);
    RadioGroup& RadioGroupNamed(const std::string& name, const std::string& tooltip,
                                int fieldFlags, int object);
    RadioGroup& GroupOf(const FieldRecord& button);
    void WritePageFields(int pageObject);
    void WriteRadioGroups();
    std::string AcroFormLine() const;

    // Form fields of the open page and the document's field lists.
    FormFields mForm;

    // Scripts (actions.cpp).
    std::string WritePageScripts();
    void ClearPageScripts();
    void WriteDocumentScripts(CatalogRefs& refs);
    std::string JavaScriptNameTree(int script) const;
    void WriteNamesAndActionLines(const CatalogRefs& refs);

    ScriptState mScripts;

    // Source files (pdf/reader): the checks every reading operation begins with, and the
    // writing of an imported page's form and copies (page_import.cpp).
    bool SelectSource(const std::string& fileName);
    bool SourcePageReadable(const std::string& fileName, int page);
    void PlaceSourcePage(const std::string& fileName, int page, float x, float y, float width,
                         float height);
    void WritePageForm(const std::string& fileName, int page, const std::string& name);
    std::string CopiedSyntax(const Value& value, int number);
    void EncipherCopiedStream(Bytes& data, int number);
    void WriteObjectTree(std::vector<std::pair<int, SourceObject>>& objects);
    // The number under which an object of the selected source was copied; 0 while it was not.
    int CopyOf(int source);

    // The reader of the source files GetInfo and the page import name.
    SourceReader mReader;
    ImportState mImports;

    // Viewer options, page labels, metadata (viewer_options.cpp).
    void WriteViewerOptionLines();
    std::string PageLabelEntries() const;
    std::string BuildXmpMetadata() const;
    std::string InfoText(const std::string& text) const;
    bool MeetsPdfa() const;

    PdfaState mPdfa;
};

}  // namespace pdf
