#include "forms/qt/units.h"

#include "forms/control.h"
#include "runtime/rounding.h"

namespace forms::qt {

int Px(double twips) { return static_cast<int>(runtime::RoundHalfEven(twips / kTwipsPerPixel)); }

double Twips(double pixels) { return pixels * kTwipsPerPixel; }

QColor ToQColor(Color color) {
  const Color rgb = ResolveColor(color);
  return QColor(Red(rgb), Green(rgb), Blue(rgb));
}

QFont ToQFont(const Font& font) {
  QFont result(QString::fromStdString(font.name));
  // Points at 96 dots per inch, whatever the screen reports.
  result.setPixelSize(static_cast<int>(runtime::RoundHalfEven(font.size * 96.0 / 72.0)));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  return result;
}

QCursor CursorFor(int mousePointer) {
  switch (mousePointer) {
    case kCrossPointer: return Qt::CrossCursor;
    case kIBeamPointer: return Qt::IBeamCursor;
    case kSizeAllPointer: return Qt::SizeAllCursor;
    case kSizeNESWPointer: return Qt::SizeBDiagCursor;
    case kSizeNSPointer: return Qt::SizeVerCursor;
    case kSizeNWSEPointer: return Qt::SizeFDiagCursor;
    case kSizeWEPointer: return Qt::SizeHorCursor;
    case kUpArrowPointer: return Qt::UpArrowCursor;
    case kHourglassPointer: return Qt::WaitCursor;
    case kNoDropPointer: return Qt::ForbiddenCursor;
    case kArrowHourglassPointer: return Qt::BusyCursor;
    case kHandPointer: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace forms::qt
