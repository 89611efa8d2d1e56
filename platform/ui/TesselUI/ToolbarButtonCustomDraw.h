#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QColor>

class QPainter;
class QPalette;
class QRect;

namespace Tessel::UI {

// The tool-bar look shared by widgets that paint themselves inside tool bars.
class TESSEL_UI_EXPORT ToolbarButtonCustomDraw {
public:
  // The fill behind tool-bar items: the palette's window colour, a shade darker.
  static QColor ToolbarWindowFillColor(const QPalette& palette);
  static void FillBackground(QPainter& painter, const QRect& rect, const QPalette& palette);
};

} // namespace Tessel::UI
