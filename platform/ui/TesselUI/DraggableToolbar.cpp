#include <TesselUI/DraggableToolbar.h>

#include <QBoxLayout>

namespace Tessel::UI {

DraggableToolbar::DraggableToolbar(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QBoxLayout(QBoxLayout::LeftToRight, this)) {
  m_layout->setContentsMargins(2, 2, 2, 2);
  m_layout->setSpacing(0);
  m_layout->addStretch();
}

void DraggableToolbar::pushWidget(QWidget* widget) {
  m_layout->insertWidget(m_layout->count() - 1, widget);
  m_widgets.append(widget);
}

void DraggableToolbar::addPersistentWidget(QWidget* widget) {
  pushWidget(widget);
  m_persistent.append(widget);
}

void DraggableToolbar::clearWidgets() {
  for (const QPointer<QWidget>& widget : QList<QPointer<QWidget>>(m_widgets)) {
    if (widget && !isPersistent(widget)) {
      m_widgets.removeAll(widget);
      delete widget.data();
    }
  }
  m_widgets.removeAll(nullptr);
}

QList<QWidget*> DraggableToolbar::widgets() const {
  QList<QWidget*> alive;
  for (const QPointer<QWidget>& widget : m_widgets) {
    if (widget) {
      alive.append(widget);
    }
  }
  return alive;
}

bool DraggableToolbar::isPersistent(QWidget* widget) const {
  return widget && m_persistent.contains(widget);
}

void DraggableToolbar::setOrientation(Qt::Orientation orientation) {
  m_layout->setDirection(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

Qt::Orientation DraggableToolbar::orientation() const {
  return m_layout->direction() == QBoxLayout::LeftToRight ? Qt::Horizontal : Qt::Vertical;
}

} // namespace Tessel::UI
