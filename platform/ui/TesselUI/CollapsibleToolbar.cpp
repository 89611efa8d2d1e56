#include <TesselUI/CollapsibleToolbar.h>

#include <TesselUI/Button.h>
#include <TesselUI/CollapsibleToolbarItem.h>
#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/Menu.h>

#include <QHBoxLayout>

#include <algorithm>

namespace Tessel::UI {

CollapsibleToolbar::CollapsibleToolbar(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_overflowMenu(new Menu(this))
    , m_overflowButton(new Button(this)) {
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(2);
  // The bar may be narrower than its items: that is when it collapses them.
  m_layout->setSizeConstraint(QLayout::SetNoConstraint);
  m_overflowButton->setObjectName(QStringLiteral("overflow"));
  m_overflowButton->setText(QStringLiteral("\u00bb"));
  m_overflowButton->setToolTip(QStringLiteral("More"));
  m_overflowButton->setPopupMode(QToolButton::InstantPopup);
  m_overflowButton->setMenu(m_overflowMenu);
  m_overflowButton->hide();
  m_layout->addWidget(m_overflowButton);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CollapsibleToolbar::addItem(CollapsibleToolbarItem* item) {
  m_layout->insertWidget(m_layout->count() - 1, item);
  m_items.append(item);
  rebuildOverflowMenu();
  collapseToFit();
}

void CollapsibleToolbar::addWidget(QWidget* widget) {
  m_layout->insertWidget(m_layout->count() - 1, widget);
}

void CollapsibleToolbar::addStretch() {
  m_layout->insertStretch(m_layout->count() - 1);
}

QList<CollapsibleToolbarItem*> CollapsibleToolbar::items() const {
  QList<CollapsibleToolbarItem*> alive;
  for (const QPointer<CollapsibleToolbarItem>& item : m_items) {
    if (item) {
      alive.append(item);
    }
  }
  return alive;
}

QSize CollapsibleToolbar::minimumSizeHint() const {
  // Everything but the items may be needed; the items themselves can all collapse.
  return QSize(m_overflowButton->sizeHint().width(), QWidget::minimumSizeHint().height());
}

void CollapsibleToolbar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  collapseToFit();
}

void CollapsibleToolbar::rebuildOverflowMenu() {
  QList<CollapsibleToolbarItem*> sorted = items();
  std::stable_sort(sorted.begin(), sorted.end(), [](CollapsibleToolbarItem* a, CollapsibleToolbarItem* b) {
    return a->menuPosition() < b->menuPosition();
  });
  m_overflowMenu->clear();
  for (CollapsibleToolbarItem* item : sorted) {
    m_overflowMenu->addAction(item->overflowAction());
  }
}

void CollapsibleToolbar::collapseToFit() {
  const QList<CollapsibleToolbarItem*> all = items();
  // Width of everything with every item shown, then collapse until it fits.
  int needed = 0;
  int visibleWidgets = 0;
  for (int index = 0; index < m_layout->count(); ++index) {
    QWidget* widget = m_layout->itemAt(index)->widget();
    if (!widget || widget == m_overflowButton) {
      continue;
    }
    auto* item = qobject_cast<CollapsibleToolbarItem*>(widget);
    if (!item && widget->isHidden()) {
      continue;
    }
    needed += widget->sizeHint().width();
    ++visibleWidgets;
  }
  needed += std::max(0, visibleWidgets - 1) * m_layout->spacing();

  QList<CollapsibleToolbarItem*> order = all;
  std::stable_sort(order.begin(), order.end(), [](CollapsibleToolbarItem* a, CollapsibleToolbarItem* b) {
    return a->priority() < b->priority();
  });
  QList<CollapsibleToolbarItem*> collapse;
  const int overflowWidth = m_overflowButton->sizeHint().width() + m_layout->spacing();
  for (CollapsibleToolbarItem* item : order) {
    const int room = width() - (collapse.isEmpty() ? 0 : overflowWidth);
    if (needed <= room) {
      break;
    }
    if (collapse.contains(item)) {
      continue;
    }
    QList<CollapsibleToolbarItem*> together{item};
    if (item->group()) {
      together = item->group()->items();
    }
    for (CollapsibleToolbarItem* member : together) {
      if (all.contains(member) && !collapse.contains(member)) {
        collapse.append(member);
        needed -= member->sizeHint().width() + m_layout->spacing();
      }
    }
  }
  for (CollapsibleToolbarItem* item : all) {
    item->setCollapsed(collapse.contains(item));
  }
  m_overflowButton->setVisible(!collapse.isEmpty());
}

} // namespace Tessel::UI
