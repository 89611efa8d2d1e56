#include <TesselUI/DragDoubleSpinBox.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace Tessel::UI {

namespace {
constexpr double kPixelsPerStep = 2.0;
}

DragDoubleSpinBox::DragDoubleSpinBox(QWidget* parent)
    : DoubleSpinBox(parent) {
  lineEdit()->installEventFilter(this);
  lineEdit()->setCursor(Qt::SizeHorCursor);
}

bool DragDoubleSpinBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lineEdit() || !isEnabled() || isReadOnly()) {
    return DoubleSpinBox::eventFilter(watched, event);
  }
  switch (event->type()) {
  case QEvent::MouseButtonPress: {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      m_pressed = true;
      m_dragging = false;
      m_pressPosition = mouse->globalPosition();
      m_pressValue = value();
    }
    break;
  }
  case QEvent::MouseMove: {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!m_pressed) {
      break;
    }
    const double distance = mouse->globalPosition().x() - m_pressPosition.x();
    if (!m_dragging && std::abs(distance) >= QApplication::startDragDistance()) {
      m_dragging = true;
    }
    if (m_dragging) {
      double step = singleStep();
      if (mouse->modifiers() & Qt::ShiftModifier) {
        step /= 10;
      } else if (mouse->modifiers() & Qt::ControlModifier) {
        step *= 10;
      }
      setValue(m_pressValue + std::round(distance / kPixelsPerStep) * step);
      return true;
    }
    break;
  }
  case QEvent::MouseButtonRelease:
    m_pressed = false;
    if (m_dragging) {
      m_dragging = false;
      emit editingFinished();
      return true;
    }
    break;
  default:
    break;
  }
  return DoubleSpinBox::eventFilter(watched, event);
}

} // namespace Tessel::UI
