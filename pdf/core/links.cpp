// Link annotations over the element drawn last: to web and mail addresses, other files,
// scripts, layer switches, named destinations, bookmarks and pages.
#include <algorithm>
#include <vector>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// The border entry and the highlight mode of a link.
std::string BorderText(int width, int highlight)
{
    std::string text = width == 0 ? "/Border [ 0 0 0] "
                                  : "/Border [ 0 0 " + std::to_string(width) + "]\r";
    static constexpr const char* kHighlights[] = {" /H /N", " /H /I", " /H /O", " /H /P"};
    if (highlight >= 0 && highlight <= 3)
        text += std::string(kHighlights[highlight]) + "\r";
    return text;
}

// A page number as a whole number, or the conversion failure.
int WholePageNumber(std::string_view text)
{
    const std::optional<int> number = ParseWholeNumber(text);
    if (!number)
        throw Error(err::kTypeMismatch, "Type mismatch");
    return *number;
}

// The text inside a quoted script string: quotes and backslashes escaped.
std::string ScriptText(const std::string& text)
{
    return ReplaceText(ReplaceText(text, "\\", "\\\\"), "'", "\\'");
}

// The names listed after `keyword` up to the next ")".
std::vector<std::string> LayerGroup(const std::string& text, const std::string& keyword)
{
    std::vector<std::string> names;
    const auto start = text.find(keyword);
    if (start == std::string::npos)
        return names;
    const auto first = start + keyword.size();
    const auto close = text.find(')', first);
    SplitText(text.substr(first, close == std::string::npos ? std::string::npos : close - first),
              names, ",");
    return names;
}

// A script that sets, clears or toggles the named layers, as "ON(a,b) OFF(c) TOGGLE(d)"
// asks.  Names are compared in upper case on both sides, the way layers are matched.
std::string LayerSwitchScript(const std::string& groups)
{
    const std::string text = ReplaceText(groups, " ", "");
    std::string script = "var ocgArray = this.getOCGs();for (var i=0; i < ocgArray.length; i++) {\r";
    const std::pair<const char*, const char*> kinds[] = {
        {"ON(", "') { ocgArray[i].state = true; };"},
        {"OFF(", "') { ocgArray[i].state = false; };"},
        {"TOGGLE(", "') { ocgArray[i].state = !ocgArray[i].state; };"},
    };
    for (const auto& [keyword, action] : kinds) {
        for (const std::string& name : LayerGroup(text, keyword))
            script += "if (ocgArray[i].name.toUpperCase() == '" + ScriptText(UpperAscii(name)) +
                      action + "\r";
    }
    return script + "}";
}

}  // namespace

void Pagelith::LinkTo(const std::string& target, int borderWidth, int highlight, int fitType,
                      float x, float y, float w, float h, float zoom)
{
    RequireFinite({x, y, w, h, zoom});
    if (!CanDraw("LinkTo", Landing::Annotation))
        return;
    // The box is measured from the page's corner; the content is drawn inside the margins.
    const std::string rect =
        FormatReal(mPageList.lastBox[0] + mGeometry.marginLeft) + " " + FormatReal(mPageList.lastBox[1] - mGeometry.marginTop) + " " +
        FormatReal(mPageList.lastBox[2] + mGeometry.marginLeft) + " " + FormatReal(mPageList.lastBox[3] - mGeometry.marginTop);
    const std::string border = BorderText(borderWidth, highlight) +
                               (mPdfa.on ? "/F " + std::to_string(WrittenAnnotFlags(0)) + " " : "");

    const bool external = StartsWith(target, "http:") || StartsWith(target, "https:") ||
                          StartsWith(target, "mailto:") || StartsWith(target, "file:");
    const bool script = StartsWith(target, "script:");
    const bool layer = StartsWith(target, "layer:");
    const bool ref = StartsWith(target, "ref:");
    if (mPdfa.on && (script || layer))
        return;
    if (external || script || layer || ref) {
        std::string dict =
            "<< /Type /Annot\r/Subtype /Link /Rect [" + rect + "]\r" + border + "\r";
        if (external) {
            WriteAnnotation(dict, {}, {}, {}, target, false);
            return;
        }
        if (script) {
            const int js = WriteStreamObject(target.substr(7));
            dict += "/A << /S /JavaScript /JS " + std::to_string(js) + " 0 R >>";
        } else if (layer) {
            const int js = WriteStreamObject(LayerSwitchScript(target.substr(6)));
            dict += "/A << /S /JavaScript /JS " + std::to_string(js) + " 0 R >> ";
        } else {
            // Written at completion, once every name that will be defined is.
            if (!mOutput.file.IsOpen())
                throw NoFileOpen();
            const int object = ++mOutput.objCount;
            mNav.refLinks.push_back(
                {object, dict, "/" + EscapeName(mInfo.resPrefix + "REF_" + target.substr(4))});
            AddAnnotRefs(std::to_string(object) + " 0 R ");
            return;
        }
        WriteAnnotation(dict, {}, {}, {}, {}, false);
        return;
    }

    const bool page = StartsWith(target, "page:");
    if (!page && !StartsWith(target, "bookmark:@"))
        return;
    LinkRecord& record = AddLinkRecord();
    record.Name = "/" + mInfo.resPrefix + "LINK_" + std::to_string(mNav.links.size());
    record.Dest = " /Fit";
    const std::string dict = "<< /Type /Annot\r/Subtype /Link\r/Rect [" + rect + "]\r" + border +
                             "/Dest " + record.Name;
    if (page) {
        const std::string where = target.substr(5);
        if (!where.empty() && (where[0] == '#' || where[0] == '+' || where[0] == '-'))
            record.PageRef = where;
        else
            record.Page = WholePageNumber(where);
        record.Dest = " " + UserFitText(fitType, x * mGeometry.scale, mGeometry.height - y * mGeometry.scale, w, h, zoom);
    } else {
        const int number = WholePageNumber(target.substr(10));
        if (number < 1 || number > static_cast<int>(mNav.bookmarks.size())) {
            record.Page = 1;
            throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
        }
        // An action bookmark has no place to copy: its link shows the bookmark's page whole.
        const BookmarkRecord& bookmark = mNav.bookmarks[static_cast<std::size_t>(number - 1)];
        record.Page = bookmark.Page;
        if (bookmark.DestType != kActionBookmark && !bookmark.Dest.empty())
            record.Dest = " " + bookmark.Dest;
    }
    WriteAnnotation(dict, {}, {}, {}, {}, false);
}

// Only a name that DefineRef gave leads somewhere: a link to any other is kept, as an area
// that goes nowhere, rather than naming a destination the file does not hold.
void Pagelith::WriteRefLinks()
{
    for (const RefLinkRecord& link : mNav.refLinks) {
        const bool defined = mNav.linkNames.contains(link.Name);
        BeginObj(link.Object);
        WriteLine(link.Dict + (defined ? "/Dest " + link.Name : "") + " >>");
        EndObj();
    }
}

}  // namespace pdf
