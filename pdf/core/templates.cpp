// Templates: content recorded once as a form XObject and painted by DrawObject or, as
// their flags select, on every page as it opens or closes.  Tiling patterns are closed
// here the same way.
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "pdf/codec/filters.h"
#include "pdf/core/fixed_objects.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/template_records.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

using namespace template_flags;

// Whether a template with these flags is placed on the page at this position.
bool PlacedOnPage(int flags, int page)
{
    bool all = (flags & kEveryPage) == kEveryPage;
    bool oddHit = (flags & kOddPages) != 0 && page % 2 == 1;
    if (page == 1) {
        if (flags & kNotFirstPage)
            all = oddHit = false;
        else if (flags & kFirstPage)
            oddHit = true;
    }
    return all || oddHit || ((flags & kEvenPages) != 0 && page % 2 == 0);
}

// The name is spelt in hexadecimal digits, so that no name (empty, or holding "##" or
// "## ") can be taken for the end of a placeholder or for another name's placeholder.
std::string Placeholder(const std::string& name)
{
    Bytes digits(name.begin(), name.end());
    EncodeASCIIHex(digits);
    return "##" + std::string(digits.begin(), digits.end()) + "##";
}

Error NothingRecorded(const char* what)
{
    return Error(err::kInvalidArgument,
                 std::string("Invalid procedure call or argument: no ") + what +
                     " is being recorded");
}

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// The positions of the templates follow the list again once a template left it.
void Reindex(TemplateList& templates)
{
    templates.Positions.clear();
    templates.Placed.clear();
    for (std::size_t i = 0; i < templates.Objects.size(); ++i) {
        templates.Positions.try_emplace(templates.Objects[i].TemplateName, i);
        if (templates.Objects[i].Flags != 0)
            templates.Placed.push_back(i);
    }
}

// The first unit of a list of annotation references, with the blanks that follow it: a
// reference ("n 0 R") or a placeholder ("##" hexadecimal digits "##"); empty at the end.
std::string_view FirstAnnotUnit(std::string_view refs)
{
    const std::size_t start = refs.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    const bool placeholder = refs.substr(start, 2) == "##";
    const std::size_t last = placeholder ? refs.find("##", start + 2) : refs.find('R', start);
    const std::size_t blanks = last == std::string_view::npos ? refs.size() : last + (placeholder ? 2 : 1);
    const std::size_t end = std::min(refs.find_first_not_of(' ', blanks), refs.size());
    return refs.substr(0, end);
}

// The leading blanks are the first unit's; a reference or placeholder is told by its text.
std::string_view UnitKey(std::string_view unit)
{
    const std::size_t start = unit.find_first_not_of(' ');
    const std::size_t end = unit.find_last_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : unit.substr(start, end + 1 - start);
}

// The references one painting of a template adds: each annotation it reaches once, however
// many of the templates it paints paint the one that holds it.  The texts still to copy
// are kept in a list rather than on the call stack, as a chain of templates each painting
// the next before it was written nests as deep as it is long.
void ExpandPainting(std::string_view placeholder, const TemplateList& templates, std::string& text)
{
    std::unordered_set<std::string_view> listed{placeholder};
    std::vector<std::string_view> pending;
    const auto push = [&](std::string_view key) {
        if (const auto found = templates.Resolved.find(std::string(key)); found != templates.Resolved.end())
            pending.push_back(found->second);
    };
    push(placeholder);
    while (!pending.empty()) {
        std::string_view& rest = pending.back();
        const std::string_view unit = FirstAnnotUnit(rest);
        if (unit.empty()) {
            pending.pop_back();
            continue;
        }
        rest.remove_prefix(unit.size());
        const std::string_view key = UnitKey(unit);
        if (!listed.insert(key).second)
            continue;
        if (key.starts_with("##"))
            push(key);
        else
            text += unit;
    }
}

}  // namespace

// Each painting on the page lists what it adds, as the page asked for it.
std::string ExpandPlaceholders(std::string_view annots, const TemplateList& templates)
{
    std::string text;
    std::string_view rest = annots;
    for (std::string_view unit; !(unit = FirstAnnotUnit(rest)).empty(); rest.remove_prefix(unit.size())) {
        const std::string_view key = UnitKey(unit);
        if (key.starts_with("##"))
            ExpandPainting(key, templates, text);
        else
            text += unit;
    }
    return text + std::string(rest);
}

void Pagelith::BeginObject(const std::string& name, int flags)
{
    if (mContent.inTemplate)
        return;
    std::vector<TemplateRecord>& objects = mTemplates.Objects;
    ReserveFor(objects, static_cast<int>(objects.size()) + 1, mOutput.memoryUsage);
    objects.push_back({name, "", flags});
    mTemplates.Positions.try_emplace(name, objects.size() - 1);
    if (flags != 0)
        mTemplates.Placed.push_back(objects.size() - 1);
    mTemplates.RecordingAnnots.clear();
    mTemplates.Paints.Open(PaintGraph::Template(name));
    BeginContent(mContent.templateBuf, mContent.openPaths.Template, mContent.serials.Template);
    mLayers.OpenInTemplate = 0;
    mContent.inTemplate = true;
}

void Pagelith::EndObject()
{
    if (!mContent.inTemplate)
        throw NothingRecorded("template");
    EndOpenPath(mContent.templateBuf, mContent.openPaths.Template);
    CloseMarkedSections(mContent.templateBuf, mLayers.OpenInTemplate);
    CloseOpenSpaces(mContent.templateBuf, mContent.serials.Template);
    std::vector<TemplateRecord>& objects = mTemplates.Objects;
    TemplateRecord& recorded = objects.back();
    Bytes content = BytesOf(BufView(mContent.templateBuf));
    const std::string name = TemplateResourceName(recorded.TemplateName);

    const int object = BeginObj(0);
    WriteLine("<< /Type /XObject /Subtype /Form /FormType 1 /Name " + name + "\r/BBox [" +
              FormatReal(-2 * mGeometry.width) + " " + FormatReal(-2 * mGeometry.height) + " " +
              FormatReal(2 * mGeometry.width) + " " + FormatReal(2 * mGeometry.height) +
              "]\r/Matrix [1 0 0 1 0 0]\r/Resources " + IndirectRef(kResourcesObject));
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    recorded.Object = object;
    const std::string entry = name + " " + std::to_string(object) + " 0 R \r";
    mContent.inTemplate = false;
    mTemplates.Paints.Close(PaintGraph::Template(recorded.TemplateName));
    // Only a name painted before it was written left placeholders behind, which stand for
    // the annotations of its first template.
    if (mTemplates.StillUnwritten.erase(recorded.TemplateName) > 0)
        mTemplates.Resolved.emplace(Placeholder(recorded.TemplateName), recorded.AnnotRefs);

    // A name recorded again takes the place of the earlier template, for the pages painted
    // so far too: the resources hold each name once.
    const std::size_t position = mTemplates.Positions.at(recorded.TemplateName);
    if (position + 1 == objects.size()) {
        mResources.xObjects += entry;
        return;
    }
    const std::string earlierEntry =
        name + " " + std::to_string(objects[position].Object) + " 0 R \r";
    mResources.xObjects = ReplaceText(mResources.xObjects, earlierEntry, entry);
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(position));
    Reindex(mTemplates);
}

void Pagelith::DrawObject(const std::string& name)
{
    if (!CanDraw("DrawObject"))
        return;
    const auto known = mTemplates.Positions.find(name);
    // Painted before it is defined: its annotations join the page when it ends.
    const bool unwritten = known == mTemplates.Positions.end();
    if (!PaintTemplate(name, unwritten ? Placeholder(name) + " "
                                       : mTemplates.Objects[known->second].AnnotRefs)) {
        RefusePaintingLoop("DrawObject", "template");
        return;
    }
    if (unwritten && mTemplates.StillUnwritten.insert(name).second)
        mTemplates.Unwritten.push_back(name);
}

void Pagelith::DrawPageObjects(bool foreground)
{
    const std::vector<TemplateRecord>& objects = mTemplates.Objects;
    for (const std::size_t i : mTemplates.Placed) {
        const TemplateRecord& t = objects[i];
        const bool recording = mContent.inTemplate && i + 1 == objects.size();
        if (t.Flags == 0 || recording || ((t.Flags & kForeground) != 0) != foreground)
            continue;
        if (PlacedOnPage(t.Flags, mPageList.current))
            PaintTemplate(t.TemplateName, t.AnnotRefs);
    }
}

// A template that paints itself, however far round, would make readers recurse without end.
bool Pagelith::PaintTemplate(const std::string& name, const std::string& annotRefs)
{
    if (!NotePainted(PaintGraph::Template(name)))
        return false;
    PutLine("q " + TemplateResourceName(name) + " Do Q");
    AddAnnotRefs(annotRefs);
    return true;
}

// The node of the template or tiling cell being drawn in; empty on a page.
std::string Pagelith::PaintingNode() const
{
    if (mContent.inTemplate && !mTemplates.Objects.empty())
        return PaintGraph::Template(mTemplates.Objects.back().TemplateName);
    if (mContent.inTiling)
        return PaintGraph::Pattern(mContent.tiling.name);
    return {};
}

bool Pagelith::NotePainted(const std::string& node)
{
    const std::string painter = PaintingNode();
    return painter.empty() || mTemplates.Paints.Add(painter, node);
}

bool Pagelith::PaintsBack(const std::string& node) const
{
    const std::string painter = PaintingNode();
    return !painter.empty() && mTemplates.Paints.Reaches(node, painter);
}

void Pagelith::RefusePaintingLoop(const std::string& operation, const std::string& what)
{
    RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"), operation,
               "the " + what + " would paint itself through what it paints");
}

// Images and imported pages share the /XObject resources under names of their own shape:
// a template named so, or with the "~" that marks such names, takes one "~" more.
std::string Pagelith::TemplateResourceName(const std::string& name) const
{
    const bool marked = name.starts_with("IMG_") || name.starts_with("PDF_") ||
                        name.starts_with("~");
    return "/" + EscapeName(mInfo.resPrefix + (marked ? "~" : "") + name);
}

// A template lists each annotation once however often it paints what holds it, so that
// templates each painting the next twice list what they reach, not every path to it.
void Pagelith::AddAnnotRefs(const std::string& refs)
{
    if (!mContent.inTemplate) {
        mPageList.annots += refs;
        return;
    }
    std::string& listed = mTemplates.Objects.back().AnnotRefs;
    for (std::string_view rest = refs, unit; !(unit = FirstAnnotUnit(rest)).empty(); rest.remove_prefix(unit.size())) {
        if (mTemplates.RecordingAnnots.insert(std::string(UnitKey(unit))).second)
            listed += unit;
    }
}

void Pagelith::EndTiling()
{
    if (!mContent.inTiling)
        throw NothingRecorded("tiling pattern");
    EndOpenPath(mContent.tilingBuf, mContent.openPaths.Tiling);
    CloseMarkedSections(mContent.tilingBuf, mLayers.OpenInTiling);
    CloseOpenSpaces(mContent.tilingBuf, mContent.serials.Tiling);
    Bytes content = BytesOf(BufView(mContent.tilingBuf));
    mContent.inTiling = false;
    mContent.patternFlag = false;

    const int object = BeginObj(0);
    WriteLine(mContent.tiling.res);
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    AddPatternRes(mContent.tiling.name, object,
                  mContent.tiling.uncoloured ? PatternKind::Uncoloured : PatternKind::Coloured);
    mTemplates.Paints.Close(PaintGraph::Pattern(mContent.tiling.name));
}

// A recording still open when the document ends is written, so that the pages that paint
// it find it.
void Pagelith::EndOpenRecordings()
{
    if (mContent.inTemplate)
        EndObject();
    if (mContent.inTiling)
        EndTiling();
    // Painted but never recorded: an empty template paints nothing.
    for (const std::string& name : std::vector<std::string>(mTemplates.Unwritten)) {
        if (mTemplates.StillUnwritten.contains(name)) {
            BeginObject(name, 0);
            EndObject();
        }
    }
}

}  // namespace pdf
