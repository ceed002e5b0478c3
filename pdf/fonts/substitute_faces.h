// The installed TrueType faces whose widths are those of the standard families, for the
// documents that must embed every font they use.
#pragma once

#include <string>
#include <string_view>

namespace pdf {

// The file of the face that stands for a family ("TimesNewRoman", "CourierNew"; any other
// name but "Symbol" and "ZapfDingbats" is drawn as Arial) in a style (1 bold, 2 italic);
// empty when the family has none or it is not installed.
std::string SubstituteFaceFile(std::string_view family, int style);

}  // namespace pdf
