#include <TesselUI/CollapsibleToolbarItemGroup.h>

#include <TesselUI/CollapsibleToolbarItem.h>

namespace Tessel::UI {

CollapsibleToolbarItemGroup::CollapsibleToolbarItemGroup(QObject* parent)
    : QObject(parent) {}

void CollapsibleToolbarItemGroup::addItem(CollapsibleToolbarItem* item) {
  if (item && !items().contains(item)) {
    m_items.append(item);
  }
}

QList<CollapsibleToolbarItem*> CollapsibleToolbarItemGroup::items() const {
  QList<CollapsibleToolbarItem*> alive;
  for (const QPointer<CollapsibleToolbarItem>& item : m_items) {
    if (item) {
      alive.append(item);
    }
  }
  return alive;
}

} // namespace Tessel::UI
