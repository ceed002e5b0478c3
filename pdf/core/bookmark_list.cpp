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
    if (StartsWith(link, "script:") && !mPdfa.on) {
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
    if (!mNav.bookmarks.empty()) {
        const int last = mNav.bookmarks.size() == 1 ? 0 : mNav.bookmarks.back().Level;
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
    entry.Page = !mOutput.file.IsOpen() || mPageList.current < 1 ? 1 : mPageList.current;

    if (fitType == kActionBookmark) {
        entry.Dest = ActionBookmarkDest(link);
    } else {
        const float left = v1 * mGeometry.scale;
        const float top = mGeometry.height - (fitType == 2 ? v1 : v2) * mGeometry.scale;
        entry.Dest = FitText(fitType, left, top, left + v3 * mGeometry.scale, top - v4 * mGeometry.scale, v3 / 100);
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

    ReserveFor(mNav.bookmarks, static_cast<int>(mNav.bookmarks.size()) + 1, mOutput.memoryUsage);
    mNav.bookmarks.push_back(std::move(entry));
    return "@" + std::to_string(mNav.bookmarks.size());
}

}  // namespace pdf
