#pragma once

#include <TesselUI/DoubleSpinBox.h>

namespace Tessel::UI {

// A spin box whose value follows a horizontal drag on its field: one step per two pixels,
// ten times finer with Shift and ten times coarser with Ctrl. A click without a drag edits
// the text as usual. GUI thread only.
class TESSEL_UI_EXPORT DragDoubleSpinBox : public DoubleSpinBox {
  Q_OBJECT
public:
  explicit DragDoubleSpinBox(QWidget* parent = nullptr);

  bool isDragging() const { return m_dragging; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QPointF m_pressPosition;
  double m_pressValue = 0;
  bool m_pressed = false;
  bool m_dragging = false;
};

} // namespace Tessel::UI
