#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QList>
#include <QObject>
#include <QPointer>

namespace Tessel::UI {

class CollapsibleToolbarItem;

// Items that a collapsible tool bar collapses and restores together (for example the in and
// out buttons around the transport). GUI thread only.
class TESSEL_UI_EXPORT CollapsibleToolbarItemGroup : public QObject {
  Q_OBJECT
public:
  explicit CollapsibleToolbarItemGroup(QObject* parent = nullptr);

  void addItem(CollapsibleToolbarItem* item);
  QList<CollapsibleToolbarItem*> items() const;

private:
  QList<QPointer<CollapsibleToolbarItem>> m_items;
};

} // namespace Tessel::UI
