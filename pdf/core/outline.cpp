// The document outline: the bookmark entries numbered, linked into a tree and written at
// completion.
#include <array>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kLevels = 256;

std::string RefLine(std::string_view key, int object)
{
    return std::string(key) + std::to_string(object) + " 0 R\r";
}

}  // namespace

// Numbers the entries after the outline dictionary and links parents, children and
// siblings.  The root sits at depth 0 whatever its Level; AddBookmark keeps every other
// level within one of the entry before, so each entry finds its parent.  Returns the count
// of the root's children.
int Pagelith::LinkOutlineTree(int outline)
{
    BookmarkRecord& root = mNav.bookmarks.front();
    root.ParentObj = outline;
    root.ObjNum = outline + 1;
    std::array<int, kLevels> lastAt{};
    lastAt[0] = 1;
    int topLevel = 0;

    const int count = static_cast<int>(mNav.bookmarks.size());
    for (int i = 2; i <= count; ++i) {
        BookmarkRecord& entry = mNav.bookmarks[static_cast<std::size_t>(i - 1)];
        entry.ObjNum = outline + i;
        const int level = entry.Level;
        lastAt[static_cast<std::size_t>(level)] = i;
        if (level + 1 < kLevels)
            lastAt[static_cast<std::size_t>(level + 1)] = 0;
        BookmarkRecord& parent =
            mNav.bookmarks[static_cast<std::size_t>(lastAt[static_cast<std::size_t>(level - 1)] - 1)];
        entry.ParentObj = parent.ObjNum;
        if (parent.FirstObj == 0)
            parent.FirstObj = entry.ObjNum;
        parent.LastObj = entry.ObjNum;
        if (level == 1)
            ++topLevel;
        for (int j = i + 1; j <= count; ++j) {
            BookmarkRecord& later = mNav.bookmarks[static_cast<std::size_t>(j - 1)];
            if (later.Level < level)
                break;
            if (later.Level == level) {
                entry.NextObj = outline + j;
                later.PrevObj = entry.ObjNum;
                break;
            }
        }
    }
    return topLevel;
}

int Pagelith::WriteOutlines()
{
    const int outline = mOutput.objCount + 1;
    const int topLevel = LinkOutlineTree(outline);

    BeginObj(outline);
    const std::string rootRef = std::to_string(outline + 1) + " 0 R";
    WriteLine("<< /Count 1 /First " + rootRef + " /Last " + rootRef + " >>");
    EndObj();

    for (std::size_t i = 0; i < mNav.bookmarks.size(); ++i) {
        const BookmarkRecord& entry = mNav.bookmarks[i];
        BeginObj(entry.ObjNum);
        std::string text = "<< /Title " + PdfDictText(entry.Title) + "\r";
        text += RefLine("/Parent ", entry.ParentObj);
        if (entry.FirstObj > 0)
            text += RefLine("/First ", entry.FirstObj);
        if (entry.LastObj > 0)
            text += RefLine("/Last ", entry.LastObj);
        if (entry.PrevObj > 0)
            text += RefLine("/Prev ", entry.PrevObj);
        if (entry.NextObj > 0)
            text += RefLine("/Next ", entry.NextObj);
        if (i == 0 && topLevel > 0)
            text += "/Count " + std::to_string(topLevel) + "\r";
        if (!entry.Dest.empty()) {
            if (entry.DestType == kActionBookmark)
                text += entry.Dest + "\r";
            else
                text += "/Dest [" + std::to_string(PageAt(entry.Page).PageObject) + " 0 R " +
                                    entry.Dest + "]\r";
        }
        if (!entry.Colour.empty())
            text += "/C [" + entry.Colour + "]\r";
        if (entry.Flags != 0)
            text += "/F " + std::to_string(entry.Flags) + "\r";
        text += ">>";
        WriteLine(text);
        EndObj();
    }
    return outline;
}

}  // namespace pdf
