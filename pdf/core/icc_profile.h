// The RGB display profile that a PDF/A output intent names.
#pragma once

#include "pdf/codec/filters.h"

namespace pdf {

// An ICC version 2.1 display profile of the Adobe RGB (1998) colour space, computed from its
// published primaries, white point (D65) and gamma (563/256).
Bytes BuildRgbDisplayProfile();

}  // namespace pdf
