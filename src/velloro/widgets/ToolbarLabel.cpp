#include <velloro/widgets/ToolbarLabel.h>

#include <TesselUI/ToolbarButtonCustomDraw.h>

#include <QPainter>

namespace Tessel::UI {

ToolbarLabel::ToolbarLabel(const QString& text, QWidget* parent, Qt::WindowFlags flags)
    : QFrame(parent, flags) {
  setText(text);
}

ToolbarLabel::ToolbarLabel(QWidget* parent, Qt::WindowFlags flags)
    : QFrame(parent, flags) {}

QSize ToolbarLabel::sizeForContents() const {
  const QMargins margins = contentsMargins();
  return fontMetrics().boundingRect(m_text).size() +
         QSize(margins.left() + margins.right() + 2, margins.top() + margins.bottom() + 2);
}

QSize ToolbarLabel::sizeHint() const {
  return sizeForContents();
}

QSize ToolbarLabel::minimumSizeHint() const {
  return sizeForContents();
}

void ToolbarLabel::setText(const QString& text) {
  if (text == m_text) {
    return;
  }
  m_text = text;
  setMaximumWidth(sizeForContents().width());
  updateGeometry();
  update();
}

void ToolbarLabel::setTextColor(const QColor& colour) {
  QPalette colours = palette();
  colours.setBrush(QPalette::Active, QPalette::WindowText, colour);
  colours.setBrush(QPalette::Inactive, QPalette::WindowText, colour);
  setPalette(colours);
  update();
}

void ToolbarLabel::setAlignment(Qt::Alignment alignment) {
  m_alignment = alignment;
  update();
}

void ToolbarLabel::setElideMode(Qt::TextElideMode mode) {
  m_elideMode = mode;
  update();
}

void ToolbarLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  ToolbarButtonCustomDraw::FillBackground(painter, rect(), palette());
  drawFrame(&painter);
  const QRect area = contentsRect();
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(area, static_cast<int>(m_alignment),
                   fontMetrics().elidedText(m_text, m_elideMode, area.width()));
}

} // namespace Tessel::UI
