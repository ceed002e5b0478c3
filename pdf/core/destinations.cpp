// Named destinations and the targets of internal links, written together as the catalog's
// /Dests dictionary at completion.
#include <algorithm>

#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

// The fit part of a destination, from values in points of PDF page space.  A fit type
// outside 0-4 shows the whole page, so that no destination is left without a fit.
std::string Pagelith::FitText(int fitType, float left, float top, float right, float bottom,
                              float zoom) const
{
    switch (fitType) {
    case 0: return "/FitB";
    case 1: return "/FitV " + FormatReal(left);
    case 2: return "/FitH " + FormatReal(top);
    case 3:
        return "/FitR " + FormatReal(left) + " " + FormatReal(top) + " " + FormatReal(right) +
               " " + FormatReal(bottom);
    case 4: return "/XYZ " + FormatReal(left) + " " + FormatReal(top) + " " + FormatReal(zoom);
    default: return "/Fit";
    }
}

// The fit part for a place given in user units, as DefineRef and LinkTo take it.
std::string Pagelith::UserFitText(int fitType, float left, float top, float w, float h,
                                  float zoom) const
{
    return FitText(fitType, left, top, left + w * mGeometry.scale, top - h * mGeometry.scale, zoom / 100);
}

LinkRecord& Pagelith::AddLinkRecord()
{
    ReserveFor(mNav.links, static_cast<int>(mNav.links.size()) + 1, mOutput.memoryUsage);
    LinkRecord& record = mNav.links.emplace_back();
    record.Page = mPageList.current;
    return record;
}

void Pagelith::DefineRef(const std::string& name, int fitType, float x, float y, float w,
                         float h, float zoom)
{
    RequireFinite({x, y, w, h, zoom});
    const float left = x == 0 ? mText.x : x * mGeometry.scale;
    const float top = y == 0 ? mGeometry.height - mText.y : mGeometry.height - y * mGeometry.scale;
    const std::string refName = "/" + EscapeName(mInfo.resPrefix + "REF_" + name);
    // A name defined again moves to its new place: /Dests holds each name once.
    const auto [earlier, added] = mNav.linkNames.try_emplace(refName, mNav.links.size());
    LinkRecord& record = added ? AddLinkRecord() : mNav.links[earlier->second];
    record.Page = mPageList.current;
    record.Name = refName;
    record.Dest = UserFitText(fitType, left, top, w, h, zoom);
}

// Moves the record's page by its page reference, then into the document's pages: beyond
// the last page (or -1) means the last page, anything below 1 the first.
void Pagelith::ResolveLinkPage(LinkRecord& record) const
{
    const std::string& ref = record.PageRef;
    if (!ref.empty() && (ref[0] == '+' || ref[0] == '-')) {
        record.Page += static_cast<int>(std::clamp(LeadingNumber(ref), -1e9, 1e9));
    } else if (!ref.empty() && ref[0] == '#') {
        const std::string keyword = UpperAscii(ref.substr(1));
        if (keyword == "LAST")
            record.Page = mPageList.count;
        else if (keyword == "NEXT")
            record.Page += 1;
        else if (keyword == "PREV")
            record.Page -= 1;
        else if (keyword == "FIRST")
            record.Page = 1;
    }
    if (record.Page >= mPageList.count || record.Page == -1)
        record.Page = mPageList.count;
    if (record.Page < 1)
        record.Page = 1;
}

int Pagelith::WriteDestinations()
{
    const int object = BeginObj(0);
    WriteLine("<<");
    for (LinkRecord& record : mNav.links) {
        ResolveLinkPage(record);
        WriteLine(record.Name + " [" + std::to_string(PageAt(record.Page).PageObject) + " 0 R " +
                  record.Dest + "] ");
    }
    WriteLine(">>");
    EndObj();
    return object;
}

}  // namespace pdf
