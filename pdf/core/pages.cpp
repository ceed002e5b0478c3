// Pages: the page list and its order, opening, closing, reopening and exchanging pages,
// and page transitions.
#include <array>
#include <utility>

#include "pdf/core/fixed_objects.h"
#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// Entries of the transition styles 1 to 17; style 0 is no transition.
constexpr std::array<const char*, 18> kTransitions{{
    "",
    "/S /Split /Dm /H /M /I >> ",
    "/S /Split /Dm /V /M /I >> ",
    "/S /Split /Dm /H /M /O >> ",
    "/S /Split /Dm /V /M /O >> ",
    "/S /Wipe /Di 180 >> ",
    "/S /Wipe /Di 0 >> ",
    "/S /Wipe /Di 270 >> ",
    "/S /Wipe /Di 90 >> ",
    "/S /Box /M /I >> ",
    "/S /Box /M /O >> ",
    "/S /Blinds /Dm /H >> ",
    "/S /Blinds /Dm /V >> ",
    "/S /Dissolve >> ",
    "/S /Glitter /Di 0 >> ",
    "/S /Glitter /Di 270 >> ",
    "/S /Glitter /Di 315 >> ",
    "/S /R >> ",
}};

Error BadPagePosition(int position)
{
    return Error(err::kInvalidArgument,
                 "Invalid procedure call or argument: page " + std::to_string(position));
}

void SwapPosition(int& position, int a, int b)
{
    if (position == a)
        position = b;
    else if (position == b)
        position = a;
}

Bytes ToBytes(std::string_view first, std::string_view second = {})
{
    Bytes bytes;
    bytes.reserve(first.size() + second.size());
    for (std::string_view text : {first, second}) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
        bytes.insert(bytes.end(), data, data + text.size());
    }
    return bytes;
}

}  // namespace

int Pagelith::BeginPage(int& pageNo)
{
    // Without a document the page could never be written: say so now, not at EndPage.
    if (!mOutput.file.IsOpen())
        throw NoFileOpen();
    if (pageNo < 0 || pageNo > mPageList.count + 1)
        throw BadPagePosition(pageNo);
    CloseOpenPage();

    ++mPageList.count;
    if (pageNo == 0)
        pageNo = mPageList.count;
    ReserveFor(mPageList.pages, mPageList.count, mOutput.memoryUsage);
    ReserveFor(mPageList.order, mPageList.count, mOutput.memoryUsage);
    mPageList.pages.emplace_back();
    mPageList.order.insert(mPageList.order.begin() + (pageNo - 1), 0);

    mPageList.current = pageNo;
    mPageList.annots.clear();
    ClearPageScripts();
    BeginContent(mContent.pageBuf, mContent.openPaths.Page, mContent.serials.Page);
    mContent.pageOpen = true;
    mContent.pageReopened = false;
    WriteDrawingStateInForce();
    if (!mTemplates.Objects.empty())
        DrawPageObjects(false);

    mGeometry.view = mGeometry.defaultView;
    ResetPageState();
    mGeometry.transition = mGeometry.defaultTransition;
    mGeometry.duration = mGeometry.defaultDuration;
    mForm.ClearPageFields();
    return mPageList.current;
}

void Pagelith::EndPage()
{
    if (!mContent.pageOpen)
        return;
    if (mContent.pageReopened) {
        EndOnPage();
        return;
    }
    ClosePagePart();
    if (!mTemplates.Objects.empty())
        DrawPageObjects(true);

    // The page stays open until its content is written, so that a failed write leaves no
    // page without an object behind.
    Bytes content = ToBytes(PageLeadingText(), BufView(mContent.pageBuf));
    const std::string scriptEntry = WritePageScripts();
    // The widgets name the page, whose number comes right after them.
    WritePageFields(mOutput.objCount + static_cast<int>(mForm.Fields.size()) + 1);
    const int pageObject = mOutput.objCount + 1;
    BeginObj(pageObject + 1);
    WriteLine("<<");
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    mContent.pageOpen = false;

    PageRecord& record = mPageList.pages.back();
    record.PageObject = pageObject;
    record.PageDict = PageDictText(scriptEntry);
    record.Annots = mPageList.annots;
    record.HasPlaceholders = mPageList.annots.find("##") != std::string::npos;
    mPageList.order[static_cast<std::size_t>(mPageList.current - 1)] = static_cast<int>(mPageList.pages.size());
}

// Turns the y-down user space into PDF space, with the origin at the top-left corner of
// the area inside the margins, and clips to that area when asked: the page's default
// state, in which every later content stream of the page starts too.  What the page
// draws then starts in a state of its own (ClosePagePart).
std::string Pagelith::PageLeadingText() const
{
    std::string text = "1 0 0 -1 " + FormatReal(mGeometry.marginLeft) + " " +
                       FormatReal(mGeometry.height - mGeometry.marginTop) + " cm \r";
    if (mGeometry.clipMargins != 0) {
        text += "0 0 " + FormatReal(mGeometry.width - mGeometry.marginRight - mGeometry.marginLeft) + " " +
                FormatReal(mGeometry.height - mGeometry.marginBottom - mGeometry.marginTop) + " re W n\r";
    }
    return text + "q" + mPageList.stateText;
}

// Ends what a part of the page drew (its first content, or what BeginOnPage added): its
// open path, its layer sections, the local spaces it left open and the state saved as it
// began, so that a clip, a transform or a space of it reaches nothing drawn after it.
void Pagelith::ClosePagePart()
{
    EndOpenPath(mContent.pageBuf, mContent.openPaths.Page);
    CloseMarkedSections(mContent.pageBuf, mLayers.OpenInPage);
    CloseOpenSpaces(mContent.pageBuf, mContent.serials.Page);
    BufAppend(mContent.pageBuf, "\rQ");
}

std::string Pagelith::PageDictText(const std::string& scriptEntry) const
{
    std::string text = "/Parent " + IndirectRef(kPageTreeObject) + " \r";
    switch (mGeometry.view) {
    case 1: text += "/Rotate 270\r"; break;
    case 2: text += "/Rotate 180\r"; break;
    case 3: text += "/Rotate 90\r"; break;
    default: break;
    }
    const std::string box = "[0 0 " + FormatReal(mGeometry.width) + " " + FormatReal(mGeometry.height) + "]";
    text += "/MediaBox " + box + "\r/CropBox " + box + "\r/BleedBox " + box + "\r";
    text += "/Resources " + IndirectRef(kResourcesObject);
    if (!mGeometry.transition.empty())
        text += "\r/Dur " + FormatReal(mGeometry.duration) + " /Trans " + mGeometry.transition;
    return text + scriptEntry + ">>";
}

// A page's content starts in the readers' defaults (black, one point wide).  It is given
// the colours and the line width the writer holds, so that a drawing that takes them shows
// them from the page's start, and not only once a saved state is put back.  They lead the
// page's stream, after its coordinate space.
void Pagelith::WriteDrawingStateInForce()
{
    const bool inObject = std::exchange(mContent.inTemplate, false);
    const bool inTiling = std::exchange(mContent.inTiling, false);
    const bool patternFlag = std::exchange(mContent.patternFlag, false);
    const bool noFill = mColours.noFill;
    const bool noLine = mColours.noLine;
    const std::string black = "#0 0 0";
    if (mColours.fill != black)
        FillColorOperator(mColours.fill, mColours.fillAlt);
    if (mColours.line != black)
        StrokeColorOperator(mColours.line, mColours.lineAlt);
    if (mGs.lineWidth != 1)
        PutLine(FormatReal(mGs.lineWidth) + " w");
    mPageList.stateText = BufToString(mContent.pageBuf);
    BufReset(mContent.pageBuf);
    mColours.noFill = noFill;
    mColours.noLine = noLine;
    mContent.inTemplate = inObject;
    mContent.inTiling = inTiling;
    mContent.patternFlag = patternFlag;
}

void Pagelith::ResetPageState()
{
    mText.charSpacing = 0;
    mText.wordSpacing = 0;
    mText.horizScaling = 100;
    mText.x = 0;
    mText.y = 0;
    mText.lineSpacing = 1;
}

// Closes the open page the way it was opened.
void Pagelith::CloseOpenPage()
{
    if (mContent.pageReopened)
        EndOnPage();
    else
        EndPage();
}

void Pagelith::BeginOnPage(int& pageNo)
{
    if (pageNo < 1 || pageNo > mPageList.count)
        throw BadPagePosition(pageNo);
    CloseOpenPage();

    mPageList.current = pageNo;
    BeginContent(mContent.pageBuf, mContent.openPaths.Page, mContent.serials.Page);
    BufAppend(mContent.pageBuf, "q");
    mContent.pageOpen = true;
    mContent.pageReopened = true;
    SetColorFill("Black");
    SetColorLine("Black");
    SetColorText("Black");
    // The stream starts in the readers' line width, not in the one the writer holds.
    if (mGs.lineWidth != 1)
        PutLine(FormatReal(mGs.lineWidth) + " w");
    ResetPageState();
    mPageList.annots.clear();
}

// The reopened page's content becomes a further content stream of its page, drawn in the
// page's default state, which its first stream set up and put back.
void Pagelith::EndOnPage()
{
    if (!mContent.pageOpen)
        return;
    if (!mContent.pageReopened) {
        EndPage();
        return;
    }

    PageRecord& record =
        mPageList.pages[static_cast<std::size_t>(mPageList.order[static_cast<std::size_t>(mPageList.current - 1)] - 1)];
    WritePageFields(record.PageObject);
    ClosePagePart();
    Bytes content = ToBytes(BufView(mContent.pageBuf));
    const int object = BeginObj(0);
    WriteLine("<<");
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    mContent.pageOpen = false;
    mContent.pageReopened = false;

    record.Annots += mPageList.annots;
    record.HasPlaceholders = record.HasPlaceholders || mPageList.annots.find("##") != std::string::npos;
    record.ExtraContents += std::to_string(object) + " 0 R ";
}

void Pagelith::SwapPages(int a, int b)
{
    if (a < 1 || a > mPageList.count || b < 1 || b > mPageList.count || a == b)
        return;
    if (mContent.pageOpen && (a == mPageList.current || b == mPageList.current))
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: page " + std::to_string(mPageList.current) +
                        " is open");

    std::swap(mPageList.order[static_cast<std::size_t>(a - 1)],
              mPageList.order[static_cast<std::size_t>(b - 1)]);
    for (LinkRecord& link : mNav.links)
        SwapPosition(link.Page, a, b);
    for (BookmarkRecord& bookmark : mNav.bookmarks)
        SwapPosition(bookmark.Page, a, b);
}

const PageRecord& Pagelith::PageAt(int position) const
{
    return mPageList.pages[static_cast<std::size_t>(mPageList.order[static_cast<std::size_t>(position - 1)] - 1)];
}

int Pagelith::GetPage() const
{
    return mPageList.current;
}

int Pagelith::GetPages() const
{
    return mPageList.count;
}

void Pagelith::SetPageTransition(int style, float pageDuration, float transitionDuration)
{
    RequireFinite({pageDuration, transitionDuration});
    if (style < 0 || style > 17)
        style = 0;
    const std::string text =
        style == 0 ? std::string()
                   : "<< /Type /Trans /D " + FormatReal(transitionDuration) + " " +
                         kTransitions[static_cast<std::size_t>(style)];
    if (mContent.pageOpen) {
        mGeometry.transition = text;
        mGeometry.duration = pageDuration;
    } else {
        mGeometry.defaultTransition = text;
        mGeometry.defaultDuration = pageDuration;
    }
}

}  // namespace pdf
