// Booked hours as the title shows them: the shortest decimal form, with the decimal
// separator of the user's regional settings.
#pragma once

#include <string>

namespace mainwindow {

// At most 15 significant digits, so that sums of minutes in sixtieths read as written
// (7.5, not 7.500000000000001); "8" for whole hours.
std::string HoursText(double hours, char decimalSeparator);

// The decimal separator of the user's locale; "." when it cannot be read.
char RegionalDecimalSeparator();

}  // namespace mainwindow
