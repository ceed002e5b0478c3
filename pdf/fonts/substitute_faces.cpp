#include "pdf/fonts/substitute_faces.h"

#include "pdf/core/input_file.h"

namespace pdf {

namespace {

// The Liberation fonts, as either Debian package installs them.
constexpr std::string_view kFolders[] = {
    "/usr/share/fonts/truetype/liberation/",
    "/usr/share/fonts/truetype/liberation2/",
};

constexpr std::string_view kStyles[] = {"Regular", "Bold", "Italic", "BoldItalic"};

}  // namespace

std::string SubstituteFaceFile(std::string_view family, int style)
{
    if (family == "Symbol" || family == "ZapfDingbats")
        return {};
    const std::string face = family == "TimesNewRoman" ? "LiberationSerif-"
                             : family == "CourierNew"  ? "LiberationMono-"
                                                       : "LiberationSans-";
    const std::string fileName = face + std::string(kStyles[style & 3]) + ".ttf";
    for (std::string_view folder : kFolders) {
        const std::string path = std::string(folder) + fileName;
        if (IsReadableFile(path))
            return path;
    }
    return {};
}

}  // namespace pdf
