#include <TesselUI/BubbleWidget.h>

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace Tessel::UI {

namespace {
constexpr int kArrowHeight = 8;
constexpr qreal kRadius = 6;
} // namespace

BubbleWidget::BubbleWidget(QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_layout(new QVBoxLayout(this))
    , m_message(new QLabel(this)) {
  setAttribute(Qt::WA_TranslucentBackground);
  m_layout->setContentsMargins(10, 8 + kArrowHeight, 10, 8);
  m_message->setWordWrap(true);
  m_message->setForegroundRole(QPalette::ToolTipText);
  m_message->hide();
  m_layout->addWidget(m_message);
}

void BubbleWidget::setMessage(const QString& message) {
  m_message->setText(message);
  m_message->setVisible(!message.isEmpty());
  adjustSize();
}

QString BubbleWidget::message() const {
  return m_message->text();
}

void BubbleWidget::showBelow(QWidget* anchor) {
  adjustSize();
  if (anchor) {
    const QPoint tip = anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height()));
    QRect frame(QPoint(tip.x() - width() / 2, tip.y()), size());
    if (QScreen* screen = anchor->screen()) {
      const QRect available = screen->availableGeometry();
      frame.moveLeft(std::clamp(frame.left(), available.left(),
                                std::max(available.left(), available.right() - width())));
    }
    move(frame.topLeft());
  }
  show();
}

void BubbleWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(rect()).adjusted(0.5, kArrowHeight + 0.5, -0.5, -0.5);
  QPainterPath outline;
  outline.addRoundedRect(body, kRadius, kRadius);
  const qreal middle = width() / 2.0;
  QPainterPath arrow;
  arrow.moveTo(middle - kArrowHeight, body.top() + 1);
  arrow.lineTo(middle, 0.5);
  arrow.lineTo(middle + kArrowHeight, body.top() + 1);
  arrow.closeSubpath();
  outline = outline.united(arrow);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::ToolTipBase));
  painter.drawPath(outline);
}

} // namespace Tessel::UI
