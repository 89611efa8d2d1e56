#include <velloro/viewerui/ViewerInOutButton.h>

#include <QMouseEvent>

namespace Velloro::ViewerUI {

ViewerInOutButton::ViewerInOutButton(QWidget* parent)
    : QToolButton(parent) {}

void ViewerInOutButton::mousePressEvent(QMouseEvent* event) {
  // Taken, so that the release of the same button comes back here.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QToolButton::mousePressEvent(event);
}

void ViewerInOutButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightClicked();
    return;
  }
  QToolButton::mouseReleaseEvent(event);
}

} // namespace Velloro::ViewerUI
