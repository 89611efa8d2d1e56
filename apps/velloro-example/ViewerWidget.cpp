#include "ViewerWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace Velloro::Example {

ViewerWidget::ViewerWidget(QWidget* parent)
    : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 180);
  setCursor(Qt::CrossCursor);
}

void ViewerWidget::setImage(const QImage& image) {
  m_image = image;
  m_message.clear();
  update();
}

void ViewerWidget::setMessage(const QString& message) {
  m_image = QImage();
  m_message = message;
  update();
}

void ViewerWidget::selectPixel(const QPoint& pixel) {
  if (pixel == m_selected) {
    return;
  }
  m_selected = pixel;
  update();
  emit pixelSelected(pixel);
}

QRect ViewerWidget::pictureRect() const {
  if (m_image.isNull()) {
    return {};
  }
  QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
  QRect rect(QPoint(), fitted);
  rect.moveCenter(this->rect().center());
  return rect;
}

void ViewerWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(26, 26, 26));
  if (m_image.isNull()) {
    painter.setPen(QColor(230, 120, 100));
    painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, m_message);
    return;
  }
  const QRect target = pictureRect();
  painter.drawImage(target, m_image);
  if (m_selected.x() < 0) {
    return;
  }
  const double scale = double(target.width()) / m_image.width();
  const QPointF centre(target.left() + (m_selected.x() + 0.5) * scale,
                       target.top() + (m_selected.y() + 0.5) * scale);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const auto& [colour, width] :
       {std::pair{QColor(0, 0, 0, 160), 3.0}, std::pair{QColor(255, 255, 255), 1.0}}) {
    painter.setPen(QPen(colour, width));
    painter.drawLine(QPointF(centre.x() - 12, centre.y()), QPointF(centre.x() - 3, centre.y()));
    painter.drawLine(QPointF(centre.x() + 3, centre.y()), QPointF(centre.x() + 12, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - 12), QPointF(centre.x(), centre.y() - 3));
    painter.drawLine(QPointF(centre.x(), centre.y() + 3), QPointF(centre.x(), centre.y() + 12));
  }
}

void ViewerWidget::selectAt(const QPoint& widgetPoint) {
  const QRect target = pictureRect();
  if (!target.contains(widgetPoint)) {
    return;
  }
  const double scale = double(m_image.width()) / target.width();
  selectPixel(QPoint(std::min(int((widgetPoint.x() - target.left()) * scale), m_image.width() - 1),
                     std::min(int((widgetPoint.y() - target.top()) * scale), m_image.height() - 1)));
}

void ViewerWidget::mousePressEvent(QMouseEvent* event) {
  selectAt(event->position().toPoint());
}

void ViewerWidget::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) {
    selectAt(event->position().toPoint());
  }
}

} // namespace Velloro::Example
