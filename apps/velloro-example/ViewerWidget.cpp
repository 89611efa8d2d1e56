#include "ViewerWidget.h"

#include "CursorOverlay.h"

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
  drawCursor();
}

void ViewerWidget::drawCursor() {
  m_withCursor = m_selected.x() < 0 ? QImage() : CursorOverlay::Draw(m_image, m_selected);
  update();
}

void ViewerWidget::setMessage(const QString& message) {
  m_image = QImage();
  m_withCursor = QImage();
  m_message = message;
  update();
}

void ViewerWidget::selectPixel(const QPoint& pixel) {
  if (pixel == m_selected) {
    return;
  }
  m_selected = pixel;
  drawCursor();
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
  painter.drawImage(pictureRect(), m_withCursor.isNull() ? m_image : m_withCursor);
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
