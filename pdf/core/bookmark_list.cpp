// The outline entries of the document, in reading order; entry 1 is the root.
#include <algorithm>

#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kRefusedLevel = 255;

}  // namespace

// The action of a bookmark of fit type 5, written at once; empty for a link of another kind.
std::string Pagelith::ActionBookmarkDest(const std::string& link)
{
    if (StartsWith(link, "http:") || StartsWith(link, "https:") || StartsWith(link, "mailto:")) {
        const int action = BeginObj(0);
        WriteLine("<< /S /URI /URI " + PdfTextString(link) + " >> ");
        EndObj();
        return "/A " + std::to_string(action) + " 0 R ";
    }
    if (StartsWith(link, "file:")) {
        const int action = BeginObj(0);
        WriteLine("<< /Type /Action /S /GoToR /F " + PdfTextString(link.substr(5)) +
                  " /D [-1 /XYZ 0 0 0] >> ");
        EndObj();
        return "/A " + std::to_string(action) + " 0 R ";
    }
    if (StartsWith(link, "script:") && !mPDFA) {
        const int script = WriteStreamObject(link.substr(7));
        return "/A << /S /JavaScript /JS " + std::to_string(script) + " 0 R >>";
    }
    return {};
}

std::string Pagelith::AddBookmark(const std::string& title, int depth, int fitType, float v1,
                                  float v2, float v3, float v4, const std::string& link,
                                  const std::string& colour, int style)
{
    RequireFinite({v1, v2, v3, v4});
    // The root sits at depth 0 in the tree, so the entry after it can only be a child of it;
    // every entry stays within one level of the one before, which gives each a parent.
    int level = 1;
    if (!mBookmarks.empty()) {
        const int last = mBookmarks.size() == 1 ? 0 : mBookmarks.back().Level;
        level = depth == -1 ? last + 1 : depth == 0 ? last : depth;
        level = std::clamp(level, 1, last + 1);
    }
    if (level >= kRefusedLevel)
        return {};

    BookmarkRecord entry;
    entry.DestType = fitType;
    entry.Title = title;
    entry.Level = level;
    // Added with no document open, it leads to the first page of the next one.
    entry.Page = !mFile.IsOpen() || mCurPage < 1 ? 1 : mCurPage;

    if (fitType == kActionBookmark) {
        entry.Dest = ActionBookmarkDest(link);
    } else {
        const float left = v1 * mScale;
        const float top = mPageHeight - (fitType == 2 ? v1 : v2) * mScale;
        entry.Dest = FitText(fitType, left, top, left + v3 * mScale, top - v4 * mScale, v3 / 100);
    }

    if (!colour.empty()) {
        std::string notation = colour;
        std::string fallback;
        ParseColor(notation, fallback);
        // Outline colours are RGB only.
        if (!notation.empty() && notation.front() == '#')
            entry.Colour = notation.substr(1);
        RequireVersion(1);
    }
    if (style != 0) {
        entry.Flags = ((style & 2) ? 1 : 0) + ((style & 1) ? 2 : 0);
        RequireVersion(1);
    }

    ReserveFor(mBookmarks, static_cast<int>(mBookmarks.size()) + 1, mMemoryUsage);
    mBookmarks.push_back(std::move(entry));
    return "@" + std::to_string(mBookmarks.size());
}

}  // namespace pdf
