#include <TesselUI/VerticalDivider.h>

#include <QPainter>

namespace Tessel::UI {

VerticalDivider::VerticalDivider(QWidget* parent)
    : QFrame(parent) {
  setFrameShape(QFrame::NoFrame);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize VerticalDivider::sizeHint() const {
  return QSize(7, 18);
}

void VerticalDivider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  const int x = width() / 2;
  painter.drawLine(x, 3, x, height() - 4);
}

} // namespace Tessel::UI
