// Counting the pixels of a control in a screenshot of its window.
#pragma once

#include <QImage>
#include <cstdlib>

#include "forms/forms.h"
#include "forms/qt/units.h"

// The pixels of `control`'s rectangle inside the window whose colour is close to `rgb`
// (text is drawn smoothed).
inline bool Close(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance &&
         std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The top-left pixel of `control` in its window.
inline QPoint WindowOrigin(const forms::Control& control) {
  using forms::qt::Px;
  QPoint origin(Px(control.Left()), Px(control.Top()));
  for (forms::Control* frame = control.Parent().AsControl(); frame != nullptr;
       frame = frame->Parent().AsControl())
    origin += QPoint(Px(frame->Left()), Px(frame->Top()));
  return origin;
}

inline int PixelsOfColour(const QImage& image, const forms::Control& control, QRgb rgb,
                          int tolerance = 24) {
  using forms::qt::Px;
  const QPoint origin = WindowOrigin(control);
  int count = 0;
  for (int y = origin.y(); y < origin.y() + Px(control.Height()); ++y)
    for (int x = origin.x(); x < origin.x() + Px(control.Width()); ++x)
      if (image.rect().contains(x, y) && Close(image.pixel(x, y), rgb, tolerance)) ++count;
  return count;
}
