#include <TesselUI/CollapsibleToolbarItem.h>

#include <TesselUI/ChoiceButton.h>
#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/Menu.h>

#include <QAbstractButton>
#include <QAction>
#include <QHBoxLayout>

namespace Tessel::UI {

CollapsibleToolbarItem::CollapsibleToolbarItem(int priority, QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_priority(priority) {
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
}

CollapsibleToolbarItem::CollapsibleToolbarItem(QWidget* parent)
    : CollapsibleToolbarItem(0, parent) {}

CollapsibleToolbarItemGroup* CollapsibleToolbarItem::group() const {
  return m_group;
}

CollapsibleToolbarItem* CollapsibleToolbarItem::CreateOverflowItem(QWidget* widget, const QString& label,
                                                                   int priority, int menuPosition,
                                                                   CollapsibleToolbarItemGroup* group) {
  auto* item = new CollapsibleToolbarItem(priority);
  item->m_label = label;
  item->m_menuPosition = menuPosition;
  item->m_overflowWidget = widget;
  item->m_group = group;
  if (group) {
    group->addItem(item);
  }
  if (widget) {
    item->addWidget(widget);
  }
  return item;
}

void CollapsibleToolbarItem::addWidget(QWidget* widget, Qt::Alignment alignment) {
  m_layout->addWidget(widget, 0, alignment);
}

void CollapsibleToolbarItem::setCollapsed(bool collapsed) {
  if (collapsed == m_collapsed) {
    return;
  }
  m_collapsed = collapsed;
  setVisible(!collapsed);
  overflowAction()->setVisible(collapsed);
  emit collapsedChanged(collapsed);
}

QAction* CollapsibleToolbarItem::overflowAction() {
  if (!m_overflowAction) {
    m_overflowAction = new QAction(m_label.isEmpty() ? objectName() : m_label, this);
    m_overflowAction->setVisible(m_collapsed);
    if (auto* choice = qobject_cast<ChoiceButton*>(m_overflowWidget.data())) {
      m_overflowAction->setMenu(choice->menuOfItems());
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_overflowWidget.data())) {
      m_overflowAction->setIcon(button->icon());
      m_overflowAction->setCheckable(button->isCheckable());
      connect(m_overflowAction, &QAction::triggered, button, [button] { button->click(); });
    }
  }
  return m_overflowAction;
}

} // namespace Tessel::UI
