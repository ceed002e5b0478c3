// From the forms' units to Qt's: 15 twips to a pixel (96 dots per inch), colours resolved,
// fonts sized in pixels, pointers mapped to cursors.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>

#include "forms/color.h"
#include "forms/font.h"

namespace forms::qt {

inline constexpr double kTwipsPerPixel = 15.0;

int Px(double twips);
double Twips(double pixels);
QColor ToQColor(Color color);
QFont ToQFont(const Font& font);
QCursor CursorFor(int mousePointer);

}  // namespace forms::qt
