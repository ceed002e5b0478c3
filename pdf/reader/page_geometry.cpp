// The box and turn of a source page, each taken from the node that holds it.
#include <array>
#include <cmath>

#include "pdf/reader/source_reader.h"

namespace pdf {

namespace {

// No page box corner lies further from the origin (points).
constexpr double kMaxBoxCoordinate = 1e7;

}  // namespace

PageGeometry SourceReader::ReadPageGeometry(const std::string& fileName, int page)
{
    const SourcePageEntry& entry = Current().pages[static_cast<std::size_t>(page)];
    PageGeometry geometry;
    if (entry.object < 0) {
        geometry.box = {0, 0, entry.width, entry.height};
        geometry.rotation = entry.rotation;
        return geometry;
    }
    SourceFileSession session(mFile, fileName);
    WithSoundTable([&] {
        PageObject(entry);
        geometry.box = PageBox(entry);
        geometry.rotation = PageTurn(entry);
    });
    return geometry;
}

Value SourceReader::HeldEntry(int holder, std::string_view key)
{
    return holder == 0 ? Value() : ObjectValue(holder).Get(key);
}

// Of four numbers (more are passed over), as left, bottom, right and top, whichever two
// opposite corners they give; corners given by reference are the numbers they name.
// Invalid-argument error when there are fewer than four numbers, one lies beyond
// kMaxBoxCoordinate, or the rectangle encloses no area.
std::array<double, 4> SourceReader::PageBox(const SourcePageEntry& entry)
{
    const Value box = DirectValue(HeldEntry(entry.mediaBoxHolder, "MediaBox"));
    std::array<double, 4> corners{};
    std::size_t count = 0;
    for (const Value& corner : box.Items()) {
        if (count == corners.size() || !corner.IsNumber())
            break;
        corners[count] = corner.Number();
        if (!(std::abs(corners[count]) <= kMaxBoxCoordinate))
            throw Error(err::kInvalidArgument, "A page box corner that is no number or lies beyond " +
                                                   std::to_string(static_cast<long>(kMaxBoxCoordinate)));
        ++count;
    }
    if (count < corners.size())
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");
    const std::array<double, 4> rectangle{std::min(corners[0], corners[2]), std::min(corners[1], corners[3]),
                                          std::max(corners[0], corners[2]), std::max(corners[1], corners[3])};
    if (rectangle[0] == rectangle[2] || rectangle[1] == rectangle[3])
        throw Error(err::kInvalidArgument, "A page box that encloses no area");
    return rectangle;
}

// As viewers turn the page: a whole multiple of 90 degrees as 0, 90, 180 or 270, anything
// else as 0.
int SourceReader::PageTurn(const SourcePageEntry& entry)
{
    const Value rotate = Resolved(HeldEntry(entry.rotateHolder, "Rotate"));
    const double degrees = std::nearbyint(rotate.Number());
    if (!std::isfinite(degrees) || std::fmod(degrees, 90) != 0)
        return 0;
    const double turn = std::fmod(degrees, 360);
    return static_cast<int>(turn < 0 ? turn + 360 : turn);
}

}  // namespace pdf
