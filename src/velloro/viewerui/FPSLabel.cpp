#include <velloro/viewerui/FPSLabel.h>

#include <QPainter>

namespace Velloro::ViewerUI {

FPSLabel::FPSLabel(QWidget* parent)
    : QWidget(parent) {}

void FPSLabel::setText(const QString& text) {
  m_text = text;
  update();
}

QSize FPSLabel::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.horizontalAdvance(QStringLiteral("000.00 fps x0.25")), metrics.height() + 4};
}

void FPSLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft, m_text);
}

} // namespace Velloro::ViewerUI
