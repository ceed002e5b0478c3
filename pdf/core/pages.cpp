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
    if (!mFile.IsOpen())
        throw NoFileOpen();
    if (pageNo < 0 || pageNo > mPageCount + 1)
        throw BadPagePosition(pageNo);
    CloseOpenPage();

    ++mPageCount;
    if (pageNo == 0)
        pageNo = mPageCount;
    ReserveFor(mPages, mPageCount, mMemoryUsage);
    ReserveFor(mPageOrder, mPageCount, mMemoryUsage);
    mPages.emplace_back();
    mPageOrder.insert(mPageOrder.begin() + (pageNo - 1), 0);

    mCurPage = pageNo;
    mPageAnnots.clear();
    ClearPageScripts();
    BeginContent(mPageBuf, mOpenPaths.Page, mContentSerials.Page);
    mPageOpen = true;
    mOnPage = false;
    WriteDrawingStateInForce();
    if (!mTemplates.Objects.empty())
        DrawPageObjects(false);

    mPageView = mDefaultPageView;
    ResetPageState();
    mPageTransition = mDefaultTransition;
    mPageDuration = mDefaultDuration;
    mForm.ClearPageFields();
    return mCurPage;
}

void Pagelith::EndPage()
{
    if (!mPageOpen)
        return;
    if (mOnPage) {
        EndOnPage();
        return;
    }
    ClosePagePart();
    if (!mTemplates.Objects.empty())
        DrawPageObjects(true);

    // The page stays open until its content is written, so that a failed write leaves no
    // page without an object behind.
    Bytes content = ToBytes(PageLeadingText(), BufView(mPageBuf));
    const std::string scriptEntry = WritePageScripts();
    // The widgets name the page, whose number comes right after them.
    WritePageFields(mObjCount + static_cast<int>(mForm.Fields.size()) + 1);
    const int pageObject = mObjCount + 1;
    BeginObj(pageObject + 1);
    WriteLine("<<");
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    mPageOpen = false;

    PageRecord& record = mPages.back();
    record.PageObject = pageObject;
    record.PageDict = PageDictText(scriptEntry);
    record.Annots = mPageAnnots;
    record.HasPlaceholders = mPageAnnots.find("##") != std::string::npos;
    mPageOrder[static_cast<std::size_t>(mCurPage - 1)] = static_cast<int>(mPages.size());
}

// Turns the y-down user space into PDF space, with the origin at the top-left corner of
// the area inside the margins, and clips to that area when asked: the page's default
// state, in which every later content stream of the page starts too.  What the page
// draws then starts in a state of its own (ClosePagePart).
std::string Pagelith::PageLeadingText() const
{
    std::string text = "1 0 0 -1 " + FormatReal(mMarginLeft) + " " +
                       FormatReal(mPageHeight - mMarginTop) + " cm \r";
    if (mClipMargins != 0) {
        text += "0 0 " + FormatReal(mPageWidth - mMarginRight - mMarginLeft) + " " +
                FormatReal(mPageHeight - mMarginBottom - mMarginTop) + " re W n\r";
    }
    return text + "q" + mPageStateText;
}

// Ends what a part of the page drew (its first content, or what BeginOnPage added): its
// open path, its layer sections, the local spaces it left open and the state saved as it
// began, so that a clip, a transform or a space of it reaches nothing drawn after it.
void Pagelith::ClosePagePart()
{
    EndOpenPath(mPageBuf, mOpenPaths.Page);
    CloseMarkedSections(mPageBuf, mLayers.OpenInPage);
    CloseOpenSpaces(mPageBuf, mContentSerials.Page);
    BufAppend(mPageBuf, "\rQ");
}

std::string Pagelith::PageDictText(const std::string& scriptEntry) const
{
    std::string text = "/Parent " + IndirectRef(kPageTreeObject) + " \r";
    switch (mPageView) {
    case 1: text += "/Rotate 270\r"; break;
    case 2: text += "/Rotate 180\r"; break;
    case 3: text += "/Rotate 90\r"; break;
    default: break;
    }
    const std::string box = "[0 0 " + FormatReal(mPageWidth) + " " + FormatReal(mPageHeight) + "]";
    text += "/MediaBox " + box + "\r/CropBox " + box + "\r/BleedBox " + box + "\r";
    text += "/Resources " + IndirectRef(kResourcesObject);
    if (!mPageTransition.empty())
        text += "\r/Dur " + FormatReal(mPageDuration) + " /Trans " + mPageTransition;
    return text + scriptEntry + ">>";
}

// A page's content starts in the readers' defaults (black, one point wide).  It is given
// the colours and the line width the writer holds, so that a drawing that takes them shows
// them from the page's start, and not only once a saved state is put back.  They lead the
// page's stream, after its coordinate space.
void Pagelith::WriteDrawingStateInForce()
{
    const bool inObject = std::exchange(mInObject, false);
    const bool inTiling = std::exchange(mInTiling, false);
    const bool patternFlag = std::exchange(mPatternFlag, false);
    const bool noFill = mNoFill;
    const bool noLine = mNoLine;
    const std::string black = "#0 0 0";
    if (mColorFill != black)
        FillColorOperator(mColorFill, mColorFillAlt);
    if (mColorLine != black)
        StrokeColorOperator(mColorLine, mColorLineAlt);
    if (mLineWidth != 1)
        PutLine(FormatReal(mLineWidth) + " w");
    mPageStateText = BufToString(mPageBuf);
    BufReset(mPageBuf);
    mNoFill = noFill;
    mNoLine = noLine;
    mInObject = inObject;
    mInTiling = inTiling;
    mPatternFlag = patternFlag;
}

void Pagelith::ResetPageState()
{
    mCharSpacing = 0;
    mWordSpacing = 0;
    mHorizScaling = 100;
    mX = 0;
    mY = 0;
    mLineSpacing = 1;
}

// Closes the open page the way it was opened.
void Pagelith::CloseOpenPage()
{
    if (mOnPage)
        EndOnPage();
    else
        EndPage();
}

void Pagelith::BeginOnPage(int& pageNo)
{
    if (pageNo < 1 || pageNo > mPageCount)
        throw BadPagePosition(pageNo);
    CloseOpenPage();

    mCurPage = pageNo;
    BeginContent(mPageBuf, mOpenPaths.Page, mContentSerials.Page);
    BufAppend(mPageBuf, "q");
    mPageOpen = true;
    mOnPage = true;
    SetColorFill("Black");
    SetColorLine("Black");
    SetColorText("Black");
    // The stream starts in the readers' line width, not in the one the writer holds.
    if (mLineWidth != 1)
        PutLine(FormatReal(mLineWidth) + " w");
    ResetPageState();
    mPageAnnots.clear();
}

// The reopened page's content becomes a further content stream of its page, drawn in the
// page's default state, which its first stream set up and put back.
void Pagelith::EndOnPage()
{
    if (!mPageOpen)
        return;
    if (!mOnPage) {
        EndPage();
        return;
    }

    PageRecord& record =
        mPages[static_cast<std::size_t>(mPageOrder[static_cast<std::size_t>(mCurPage - 1)] - 1)];
    WritePageFields(record.PageObject);
    ClosePagePart();
    Bytes content = ToBytes(BufView(mPageBuf));
    const int object = BeginObj(0);
    WriteLine("<<");
    WriteStream(content, 0, {}, 0, StreamKind::Content);
    EndObj();
    mPageOpen = false;
    mOnPage = false;

    record.Annots += mPageAnnots;
    record.HasPlaceholders = record.HasPlaceholders || mPageAnnots.find("##") != std::string::npos;
    record.ExtraContents += std::to_string(object) + " 0 R ";
}

void Pagelith::SwapPages(int a, int b)
{
    if (a < 1 || a > mPageCount || b < 1 || b > mPageCount || a == b)
        return;
    if (mPageOpen && (a == mCurPage || b == mCurPage))
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: page " + std::to_string(mCurPage) +
                        " is open");

    std::swap(mPageOrder[static_cast<std::size_t>(a - 1)],
              mPageOrder[static_cast<std::size_t>(b - 1)]);
    for (LinkRecord& link : mLinks)
        SwapPosition(link.Page, a, b);
    for (BookmarkRecord& bookmark : mBookmarks)
        SwapPosition(bookmark.Page, a, b);
}

const PageRecord& Pagelith::PageAt(int position) const
{
    return mPages[static_cast<std::size_t>(mPageOrder[static_cast<std::size_t>(position - 1)] - 1)];
}

int Pagelith::GetPage() const
{
    return mCurPage;
}

int Pagelith::GetPages() const
{
    return mPageCount;
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
    if (mPageOpen) {
        mPageTransition = text;
        mPageDuration = pageDuration;
    } else {
        mDefaultTransition = text;
        mDefaultDuration = pageDuration;
    }
}

}  // namespace pdf
