// Templates: content recorded once as a form XObject and painted by DrawObject or, as
// their flags select, on every page as it opens or closes.  Tiling patterns are closed
// here the same way.
#include <algorithm>
#include <string_view>
#include <unordered_map>
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

}  // namespace

// The texts still to copy are kept in a list rather than on the call stack, as a chain of
// templates each painting the next before it was written nests as deep as it is long.  A
// placeholder met again copies what it gave the first time, so templates that each paint
// the next twice cost what they write, not the number of paths through them.
std::string ExpandPlaceholders(std::string_view annots, const TemplateList& templates)
{
    struct Copying {
        std::string_view rest;
        std::string_view placeholder;  // empty for the page's own references
        std::size_t start = 0;         // where its expansion begins in the text
    };
    std::string text;
    // Of each placeholder expanded so far, where its expansion stands in the text.
    std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>> expanded;
    // The innermost last: a placeholder's references are copied where it stood.
    std::vector<Copying> pending{{annots, {}, 0}};
    while (!pending.empty()) {
        Copying& copying = pending.back();
        std::string_view& rest = copying.rest;
        const std::size_t mark = rest.find("##");
        const std::size_t end =
            mark == std::string_view::npos ? mark : rest.find("## ", mark + 2);
        if (end == std::string_view::npos) {
            text += rest;
            expanded.try_emplace(copying.placeholder, copying.start, text.size() - copying.start);
            pending.pop_back();
            continue;
        }
        text += rest.substr(0, mark);
        const std::string_view placeholder = rest.substr(mark, end + 2 - mark);
        rest.remove_prefix(end + 3);
        if (const auto done = expanded.find(placeholder); done != expanded.end()) {
            const auto [start, length] = done->second;
            text.resize(text.size() + length);
            std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(start), length,
                        text.end() - static_cast<std::ptrdiff_t>(length));
            continue;
        }
        const auto found = templates.Resolved.find(std::string(placeholder));
        if (found != templates.Resolved.end())
            pending.push_back({found->second, placeholder, text.size()});
    }
    return text;
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

void Pagelith::AddAnnotRefs(const std::string& refs)
{
    if (mContent.inTemplate)
        mTemplates.Objects.back().AnnotRefs += refs;
    else
        mPageList.annots += refs;
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
