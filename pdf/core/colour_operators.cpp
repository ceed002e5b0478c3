// The colour setters and the fill and stroke operators they write.
#include "pdf/core/colour.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// What a name that is no defined pattern paints with: its fallback when that is a colour,
// else black, so that the content never refers to a resource the document lacks.
std::string FallbackColour(const std::string& fallback)
{
    return IsColourNotation(fallback) ? fallback : "#0 0 0";
}

// Removes the entry that starts with `key` from entries that each end with a CR.
void DropEntry(std::string& entries, const std::string& key)
{
    for (std::size_t at = 0; at < entries.size();) {
        const std::size_t end = entries.find('\r', at);
        const std::size_t next = end == std::string::npos ? entries.size() : end + 1;
        if (entries.compare(at, key.size(), key) == 0)
            entries.erase(at, next - at);
        else
            at = next;
    }
}

}  // namespace

void Pagelith::ParseColor(std::string& notation, std::string& fallback) const
{
    pdf::ParseColor(notation, fallback, mContent.precision);
}

// The operator that selects a pattern, over the colour space of its fallback when it has one.
// A fallback that is itself a pattern name has no components to give, so it is passed over.
std::string Pagelith::PatternOperator(const std::string& colour, const std::string& fallback,
                                      bool stroke)
{
    const std::string space = stroke ? " CS " : " cs ";
    const std::string select = stroke ? " SCN" : " scn";
    const std::string name = "/" + EscapeName(mInfo.resPrefix + colour);
    const char first = fallback.empty() ? '\0' : fallback.front();
    NoteColour(fallback);
    if (first != '#' && first != '@' && first != '%')
        return "/Pattern" + space + name + select;
    const char* patternSpace = first == '@' ? "CS-CMYK" : first == '%' ? "CS-GRAY" : "CS-RGB";
    return std::string("/") + patternSpace + space + fallback.substr(1) + " " + name + select;
}

// A pattern is defined once its resource entry is there: the gradient is written, the
// tiling pattern ended.  A tiling cell paints with gradients only, since its resources
// leave the tiling patterns out, and a template not with a tiling pattern whose cell
// paints the template.
bool Pagelith::PatternDefined(const std::string& name) const
{
    const auto found = mResources.patternKinds.find(name);
    if (found == mResources.patternKinds.end())
        return false;
    if (mContent.inTiling && !mContent.inTemplate)
        return found->second == PatternKind::Shading;
    return !PaintsBack(PaintGraph::Pattern(name));
}

// A pattern refused because it would paint itself gives its fallback colour, and the call
// records error 5 so that the caller can tell.
void Pagelith::ReportPatternLoop(const std::string& notation, const std::string& operation)
{
    if (mResources.patternKinds.contains(notation) && !(mContent.inTiling && !mContent.inTemplate) &&
        PaintsBack(PaintGraph::Pattern(notation)))
        RefusePaintingLoop(operation, "pattern");
}

// A pattern defined again under its name replaces the earlier one, as a resource dictionary
// holds each name once.
void Pagelith::AddPatternRes(const std::string& name, int object, PatternKind kind)
{
    const std::string key = "/" + EscapeName(mInfo.resPrefix + name) + " ";
    if (mResources.patternKinds.contains(name)) {
        DropEntry(mResources.patterns, key);
        DropEntry(mResources.shadings, key);
        mTemplates.Paints.Forget(PaintGraph::Pattern(name));
    }
    mResources.patternKinds[name] = kind;
    const std::string entry = key + std::to_string(object) + " 0 R \r";
    mResources.patterns += entry;
    if (kind == PatternKind::Shading)
        mResources.shadings += entry;
}

// An uncoloured tiling pattern paints in a colour given after its name ("name|colour");
// without one, in the colour current until then, else black.
void Pagelith::GiveUncolouredPatternColour(const std::string& notation, std::string& fallback,
                                           const std::string& current,
                                           const std::string& currentFallback) const
{
    if (IsColourNotation(fallback) || !PatternDefined(notation) ||
        mResources.patternKinds.at(notation) != PatternKind::Uncoloured)
        return;
    fallback = IsColourNotation(current)           ? current
               : IsColourNotation(currentFallback) ? currentFallback
                                                   : "#0 0 0";
}

// PDF/A mode writes an RGB output intent, under which nothing may be painted in
// DeviceCMYK: a document that paints in it does not claim conformance.
void Pagelith::NoteColour(std::string_view notation)
{
    if (!notation.empty() && notation.front() == '@')
        mPdfa.broken = true;
}

void Pagelith::FillColorOperator(const std::string& colour, const std::string& fallback)
{
    if (mContent.patternFlag)
        return;
    if (colour.empty()) {
        mColours.noFill = true;
        return;
    }
    NoteColour(colour);
    switch (colour.front()) {
    case '#': PutLine(colour.substr(1) + " rg"); break;
    case '@': PutLine(colour.substr(1) + " k"); break;
    case '%': PutLine(colour.substr(1) + " g"); break;
    default:
        if (!PatternDefined(colour))
            return FillColorOperator(FallbackColour(fallback), "");
        if (fallback.empty())
            mColours.fillAlt.clear();
        NotePainted(PaintGraph::Pattern(colour));
        PutLine(PatternOperator(colour, fallback, false));
    }
    mColours.noFill = false;
}

void Pagelith::StrokeColorOperator(const std::string& colour, const std::string& fallback)
{
    if (mContent.patternFlag)
        return;
    if (colour.empty()) {
        mColours.noLine = true;
        return;
    }
    NoteColour(colour);
    switch (colour.front()) {
    case '#': PutLine(colour.substr(1) + " RG"); break;
    case '@': PutLine(colour.substr(1) + " K"); break;
    case '%': PutLine(colour.substr(1) + " G"); break;
    default:
        if (!PatternDefined(colour))
            return StrokeColorOperator(FallbackColour(fallback), "");
        if (fallback.empty())
            mColours.lineAlt.clear();
        NotePainted(PaintGraph::Pattern(colour));
        PutLine(PatternOperator(colour, fallback, true));
    }
    mColours.noLine = false;
}

void Pagelith::SetColorFill(const std::string& colour)
{
    if (mContent.patternFlag)
        return;
    if (colour.empty()) {
        mColours.noFill = true;
        return;
    }
    std::string notation = colour;
    std::string fallback;
    ParseColor(notation, fallback);
    GiveUncolouredPatternColour(notation, fallback, mColours.fill, mColours.fillAlt);
    FillColorOperator(notation, fallback);
    ReportPatternLoop(notation, "SetColorFill");
    mColours.fill = notation;
    mColours.fillAlt = fallback;
}

void Pagelith::SetColorLine(const std::string& colour)
{
    if (mContent.patternFlag)
        return;
    if (colour.empty()) {
        mColours.noLine = true;
        return;
    }
    std::string notation = colour;
    std::string fallback;
    ParseColor(notation, fallback);
    GiveUncolouredPatternColour(notation, fallback, mColours.line, mColours.lineAlt);
    StrokeColorOperator(notation, fallback);
    ReportPatternLoop(notation, "SetColorLine");
    mColours.line = notation;
    mColours.lineAlt = fallback;
}

void Pagelith::SetColorText(const std::string& colour)
{
    if (mContent.patternFlag)
        return;
    if (colour.empty()) {
        mColours.noText = true;
        return;
    }
    std::string notation = colour;
    std::string fallback;
    ParseColor(notation, fallback);
    GiveUncolouredPatternColour(notation, fallback, mColours.text, mColours.textAlt);
    mColours.text = notation;
    mColours.textAlt = fallback;
    mColours.noText = false;
}

}  // namespace pdf
