// The outline entries of the document, in reading order; entry 1 is the root.
#include <algorithm>

#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kRefusedLevel = 255;

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string Pagelith::AddBookmark(const std::string& title, int depth, int fitType, float v1,
                                  float v2, float v3, float v4, const std::string& link,
                                  const std::string& colour, int style)
{
    RequireFinite({v1, v2, v3, v4});
    int level = 1;
    if (!mBookmarks.empty()) {
        const int last = mBookmarks.back().Level;
        if (depth == -1)
            level = last + 1;
        else if (depth == 0)
            level = last;
        else
            level = std::max(1, std::min(depth, last + 1));
    }
    if (level >= kRefusedLevel)
        return {};

    BookmarkRecord entry;
    entry.DestType = fitType;
    entry.Title = title;
    entry.Level = level;
    entry.Page = mCurPage < 1 ? 1 : mCurPage;

    switch (fitType) {
    case 0: entry.Dest = "/FitB"; break;
    case 1: entry.Dest = "/FitV " + FormatReal(v1 * mScale); break;
    case 2: entry.Dest = "/FitH " + FormatReal(mPageHeight - v1 * mScale); break;
    case 3: {
        const float left = v1 * mScale;
        const float top = mPageHeight - v2 * mScale;
        entry.Dest = "/FitR " + FormatReal(left) + " " + FormatReal(top) + " " +
                     FormatReal(left + v3 * mScale) + " " + FormatReal(top - v4 * mScale);
        break;
    }
    case 4:
        entry.Dest = "/XYZ " + FormatReal(v1 * mScale) + " " +
                     FormatReal(mPageHeight - v2 * mScale) + " " + FormatReal(v3 / 100);
        break;
    case 5:
        if (StartsWith(link, "http:") || StartsWith(link, "https:") || StartsWith(link, "mailto:")) {
            const int action = BeginObj(0);
            WriteLine("<< /S /URI /URI " + PdfTextString(link) + " >> ");
            EndObj();
            entry.Dest = "/A " + std::to_string(action) + " 0 R ";
        } else if (StartsWith(link, "file:")) {
            const int action = BeginObj(0);
            WriteLine("<< /Type /Action /S /GoToR /F " + PdfTextString(link.substr(5)) +
                      " /D [-1 /XYZ 0 0 0] >> ");
            EndObj();
            entry.Dest = "/A " + std::to_string(action) + " 0 R ";
        } else if (StartsWith(link, "script:")) {
            const int script = WriteStreamObject(link.substr(7));
            entry.Dest = "/A << /S /JavaScript /JS " + std::to_string(script) + " 0 R >>";
        }
        break;
    default: break;
    }

    if (!colour.empty()) {
        std::string notation = colour;
        std::string fallback;
        ParseColor(notation, fallback);
        entry.Colour = notation.empty() ? notation : notation.substr(1);
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
