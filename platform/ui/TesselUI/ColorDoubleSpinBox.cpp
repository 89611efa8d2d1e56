#include <TesselUI/ColorDoubleSpinBox.h>

#include <QPainter>

namespace Tessel::UI {

ColorDoubleSpinBox::ColorDoubleSpinBox(const QColor& colour, QWidget* parent)
    : DragDoubleSpinBox(parent)
    , m_colour(colour) {
  setSingleStep(0.01);
  setRange(0.0, 1000.0);
  // Leave room for the bar so that the text never runs under it.
  setStyleSheet(QStringLiteral("QDoubleSpinBox { padding-left: 4px; }"));
}

void ColorDoubleSpinBox::setChannelColor(const QColor& colour) {
  m_colour = colour;
  update();
}

void ColorDoubleSpinBox::paintEvent(QPaintEvent* event) {
  DragDoubleSpinBox::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(QRect(1, 1, 3, height() - 2), m_colour);
}

} // namespace Tessel::UI
