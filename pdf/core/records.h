// The records of the document's page, outline and page-label lists, and the page list.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace pdf {

struct PageRecord {
    // Reserved for the page dictionary; the first content stream has the next number.
    int PageObject = 0;
    // The dictionary's entries after /Contents and /Annots, ending with ">>".
    std::string PageDict;
    // References ("n 0 R ") of the content streams added by reopening the page.
    std::string ExtraContents;
    // References of the page's annotations.
    std::string Annots;
    // Annots holds a placeholder ("##" + hexadecimal name + "## ") of a template painted
    // before it was defined.
    bool HasPlaceholders = false;
};

// The fit type of a bookmark that runs an action instead of opening a place.
constexpr int kActionBookmark = 5;

struct BookmarkRecord {
    int DestType = 0;  // fit type 0 to 4, or 5 for an action
    std::string Title;
    int Level = 1;     // the root has 1; its children have 1 too (the root is depth 0)
    int Page = 1;      // page position
    std::string Colour;
    int Flags = 0;     // 1 italic, 2 bold
    std::string Dest;  // fit text, or the action for type 5
    int ParentObj = 0;
    int ObjNum = 0;
    int FirstObj = 0;
    int LastObj = 0;
    int NextObj = 0;
    int PrevObj = 0;
};

// Pages: records in creation order, and for each position the record's index + 1.
struct PageList {
    std::vector<PageRecord> pages;
    std::vector<int> order;
    int count = 0;
    int current = 0;
    std::string annots;
    std::string stateText;  // the open page's drawing state, leading its content
    // The box of the last drawn element, in points with y up from the bottom of the page,
    // as the drawing operation gives it (for a link placed over it).
    std::array<float, 4> lastBox{};
};

struct PageLabel {
    int PageIndex = 0;  // from 0
    int Style = 1;      // 1 decimal, 2 and 3 roman, 4 and 5 letters
    std::string Prefix;
    int Start = -1;     // -1: no start number
};

}  // namespace pdf
