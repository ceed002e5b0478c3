// Painting of what has no window of its own: labels, shapes, lines, images, and the face of
// a frame.  Coordinates of the painter are pixels of the container.
#pragma once

#include <QPainter>
#include <QString>

#include "forms/frame.h"
#include "forms/image.h"
#include "forms/label.h"
#include "forms/line.h"
#include "forms/shape.h"

namespace forms::qt {

void PaintLabel(QPainter& painter, const Label& label);
void PaintShape(QPainter& painter, const Shape& shape);
void PaintLine(QPainter& painter, const Line& line);
// `folder` is where relative picture names are looked up.
void PaintImage(QPainter& painter, const Image& image, const QString& folder);
// Background, border and caption of a frame, in the frame's own pixels.
void PaintFrameFace(QPainter& painter, const Frame& frame);

}  // namespace forms::qt
