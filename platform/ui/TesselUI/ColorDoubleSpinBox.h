#pragma once

#include <TesselUI/DragDoubleSpinBox.h>

#include <QColor>

namespace Tessel::UI {

// A draggable spin box for one colour channel, marked by a bar in the channel's colour along
// its left edge. GUI thread only.
class TESSEL_UI_EXPORT ColorDoubleSpinBox : public DragDoubleSpinBox {
  Q_OBJECT
public:
  explicit ColorDoubleSpinBox(const QColor& colour, QWidget* parent = nullptr);

  QColor channelColor() const { return m_colour; }
  void setChannelColor(const QColor& colour);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QColor m_colour;
};

} // namespace Tessel::UI
