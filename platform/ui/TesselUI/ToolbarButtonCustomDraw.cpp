#include <TesselUI/ToolbarButtonCustomDraw.h>

#include <QPainter>
#include <QPalette>

namespace Tessel::UI {

QColor ToolbarButtonCustomDraw::ToolbarWindowFillColor(const QPalette& palette) {
  return palette.color(QPalette::Window).darker(108);
}

void ToolbarButtonCustomDraw::FillBackground(QPainter& painter, const QRect& rect, const QPalette& palette) {
  painter.fillRect(rect, ToolbarWindowFillColor(palette));
}

} // namespace Tessel::UI
