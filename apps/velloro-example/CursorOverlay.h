#pragma once

#include <QImage>
#include <QPoint>

namespace Velloro::Example {

// Draws the library's crosshair cursor op over a display picture, on the CPU, centred on a pixel.
//
// Threads: any; each call builds its own op.
class CursorOverlay {
public:
  // The picture with the cursor drawn over it; the picture unchanged when the pixel lies outside.
  static QImage Draw(const QImage& picture, const QPoint& pixel);
};

} // namespace Velloro::Example
