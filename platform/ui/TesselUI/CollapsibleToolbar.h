#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QList>
#include <QPointer>
#include <QWidget>

class QHBoxLayout;

namespace Tessel::UI {

class Button;
class CollapsibleToolbarItem;
class Menu;

// A horizontal tool bar that collapses its items, lowest priority first and groups together,
// when it is too narrow for all of them, and offers the collapsed ones in an overflow menu
// behind a button at its end. GUI thread only.
class TESSEL_UI_EXPORT CollapsibleToolbar : public QWidget {
  Q_OBJECT
public:
  explicit CollapsibleToolbar(QWidget* parent = nullptr);

  void addItem(CollapsibleToolbarItem* item);
  // A widget that never collapses.
  void addWidget(QWidget* widget);
  void addStretch();
  QList<CollapsibleToolbarItem*> items() const;
  Menu* overflowMenu() const { return m_overflowMenu; }
  Button* overflowButton() const { return m_overflowButton; }

  QSize minimumSizeHint() const override;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void collapseToFit();
  void rebuildOverflowMenu();

  QHBoxLayout* m_layout;
  QList<QPointer<CollapsibleToolbarItem>> m_items;
  Menu* m_overflowMenu;
  Button* m_overflowButton;
};

} // namespace Tessel::UI
