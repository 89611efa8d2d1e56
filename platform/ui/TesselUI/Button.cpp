#include <TesselUI/Button.h>

#include <QMouseEvent>

namespace Tessel::UI {

Button::Button(QWidget* parent)
    : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
}

Button::Button(const QIcon& icon, const QString& toolTip, QWidget* parent)
    : Button(parent) {
  setIcon(icon);
  setToolTip(toolTip);
}

void Button::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QToolButton::mousePressEvent(event);
}

void Button::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    if (rect().contains(event->position().toPoint())) {
      emit rightClicked();
    }
    return;
  }
  QToolButton::mouseReleaseEvent(event);
}

} // namespace Tessel::UI
