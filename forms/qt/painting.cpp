#include "forms/qt/painting.h"

#include <QDir>
#include <QFontMetrics>
#include <QPixmap>
#include <QPixmapCache>

#include "forms/qt/units.h"

namespace forms::qt {

namespace {

QRect PixelRect(const Control& control) {
  return QRect(Px(control.Left()), Px(control.Top()), Px(control.Width()),
               Px(control.Height()));
}

Qt::PenStyle PenStyleFor(int borderStyle) {
  switch (borderStyle) {
    case kBorderTransparent: return Qt::NoPen;
    case kBorderDash: return Qt::DashLine;
    case kBorderDot: return Qt::DotLine;
    case kBorderDashDot: return Qt::DashDotLine;
    case kBorderDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle BrushStyleFor(int fillStyle) {
  switch (fillStyle) {
    case kFillSolid: return Qt::SolidPattern;
    case kFillHorizontalLine: return Qt::HorPattern;
    case kFillVerticalLine: return Qt::VerPattern;
    case kFillUpwardDiagonal: return Qt::BDiagPattern;
    case kFillDownwardDiagonal: return Qt::FDiagPattern;
    case kFillCross: return Qt::CrossPattern;
    case kFillDiagonalCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
  }
}

QString CaptionText(const std::string& caption) {
  return QString::fromStdString(caption).remove(QChar('\r'));
}

}  // namespace

void PaintLabel(QPainter& painter, const Label& label) {
  const QRect rect = PixelRect(label);
  if (label.BackStyle() == kOpaque) painter.fillRect(rect, ToQColor(label.BackColor()));
  QRect textRect = rect;
  if (label.BorderStyle() != 0 && label.Appearance() == k3D) {
    // Sunken: shadow above and left, light below and right.
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(ToQColor(kButtonShadow), 1));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    textRect.adjust(1, 1, -1, -1);
  } else if (label.BorderStyle() != 0) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    textRect.adjust(1, 1, -1, -1);
  }
  const int padding = Px(label.Padding());
  textRect.adjust(padding, padding, -padding, -padding);
  int flags = Qt::AlignTop | (label.Ellipsis() ? Qt::TextSingleLine : Qt::TextWordWrap);
  if (label.Alignment() == kAlignCenter)
    flags |= Qt::AlignHCenter;
  else if (label.Alignment() == kAlignRight)
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  const QFont font = ToQFont(label.Font());
  painter.setFont(font);
  painter.setPen(label.Enabled() ? ToQColor(label.ForeColor()) : ToQColor(kGrayText));
  QString text = CaptionText(label.Caption());
  if (label.Ellipsis()) {
    text = QFontMetrics(font).elidedText(text.replace(QChar('\n'), QChar(' ')), Qt::ElideRight,
                                         textRect.width());
  }
  painter.save();
  painter.setClipRect(rect);
  painter.drawText(textRect, flags, text);
  painter.restore();
}

void PaintShape(QPainter& painter, const Shape& shape) {
  QRectF rect = PixelRect(shape);
  const int kind = shape.ShapeKind();
  if (kind == kShapeSquare || kind == kShapeCircle || kind == kShapeRoundedSquare) {
    const double side = std::min(rect.width(), rect.height());
    rect = QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
  }
  QPen pen(ToQColor(shape.BorderColor()), std::max(1, shape.BorderWidth()),
           PenStyleFor(shape.BorderStyle()));
  pen.setJoinStyle(Qt::MiterJoin);
  // The border lies inside the control's rectangle.
  const double inset = std::max(1, shape.BorderWidth()) / 2.0;
  const QRectF outline = rect.adjusted(inset, inset, -inset, -inset);

  auto draw = [&](const QBrush& brush, const QPen& outlinePen) {
    painter.setBrush(brush);
    painter.setPen(outlinePen);
    const double radius = std::min(outline.width(), outline.height()) / 6.0;
    switch (kind) {
      case kShapeOval:
      case kShapeCircle: painter.drawEllipse(outline); break;
      case kShapeRoundedRectangle:
      case kShapeRoundedSquare: painter.drawRoundedRect(outline, radius, radius); break;
      default: painter.drawRect(outline);
    }
  };
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, kind != kShapeRectangle && kind != kShapeSquare);
  if (shape.BackStyle() == kOpaque) draw(QBrush(ToQColor(shape.BackColor())), Qt::NoPen);
  draw(QBrush(ToQColor(shape.FillColor()), BrushStyleFor(shape.FillStyle())), pen);
  painter.restore();
}

void PaintLine(QPainter& painter, const Line& line) {
  if (line.BorderStyle() == kBorderTransparent) return;
  painter.setPen(QPen(ToQColor(line.BorderColor()), std::max(1, line.BorderWidth()),
                      PenStyleFor(line.BorderStyle())));
  painter.drawLine(Px(line.X1()), Px(line.Y1()), Px(line.X2()), Px(line.Y2()));
}

void PaintImage(QPainter& painter, const Image& image, const QString& folder) {
  if (image.Picture().empty()) return;
  const QString path = QDir(folder).filePath(QString::fromStdString(image.Picture()));
  QPixmap pixmap;
  if (!QPixmapCache::find(path, &pixmap)) {
    if (!pixmap.load(path)) return;
    QPixmapCache::insert(path, pixmap);
  }
  const QRect rect = PixelRect(image);
  if (image.Stretch())
    painter.drawPixmap(rect, pixmap);
  else
    painter.drawPixmap(rect.topLeft(), pixmap, QRect(QPoint(0, 0), rect.size()));
}

void PaintFrameFace(QPainter& painter, const Frame& frame) {
  const QRect rect(0, 0, Px(frame.Width()), Px(frame.Height()));
  painter.fillRect(rect, ToQColor(frame.BackColor()));
  if (frame.BorderStyle() == 0) return;
  const QFont font = ToQFont(frame.Font());
  const QFontMetrics metrics(font);
  const QString caption = CaptionText(frame.Caption());
  const int lineY = caption.isEmpty() ? 0 : metrics.height() / 2;
  painter.setPen(QPen(ToQColor(kButtonShadow), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, lineY, -1, -1));
  if (caption.isEmpty()) return;
  const QRect textRect(6, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
  painter.fillRect(textRect, ToQColor(frame.BackColor()));
  painter.setFont(font);
  painter.setPen(ToQColor(frame.ForeColor()));
  painter.drawText(textRect, Qt::AlignCenter, caption);
}

}  // namespace forms::qt
