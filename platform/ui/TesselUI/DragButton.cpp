#include <TesselUI/DragButton.h>

#include <QApplication>
#include <QMouseEvent>

namespace Tessel::UI {

DragButton::DragButton(QWidget* parent)
    : QToolButton(parent) {}

void DragButton::finishedDrag() {
  m_dragging = false;
  m_pressed = false;
  setDown(false);
}

void DragButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_pressPosition = event->position().toPoint();
    m_pressed = true;
  }
  QToolButton::mousePressEvent(event);
}

void DragButton::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragEnabled && m_pressed && !m_dragging && (event->buttons() & Qt::LeftButton) &&
      (event->position().toPoint() - m_pressPosition).manhattanLength() >=
          QApplication::startDragDistance()) {
    m_dragging = true;
    // Released after a drag, the button must not click.
    setDown(false);
    emit dragged();
    return;
  }
  if (!m_dragging) {
    QToolButton::mouseMoveEvent(event);
  }
}

void DragButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_pressed = false;
  }
  if (m_dragging) {
    event->accept();
    return;
  }
  QToolButton::mouseReleaseEvent(event);
}

} // namespace Tessel::UI
