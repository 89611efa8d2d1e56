#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QToolButton>
#include <QVariant>

namespace Tessel::UI {

class Menu;

// A tool-bar button that shows one of several items and pops up a menu of all of them when
// clicked. Items are actions: disabling or hiding an item's action keeps it from being chosen.
// GUI thread only.
class TESSEL_UI_EXPORT ChoiceButton : public QToolButton {
  Q_OBJECT
public:
  explicit ChoiceButton(QWidget* parent = nullptr);

  // Adds an item and returns its action. A text item shows its label on the button, any other
  // its icon (the label then becomes the tool tip). icon and data may be null.
  QAction* addItem(const QString& label, const QIcon* icon = nullptr, const QVariant* data = nullptr,
                   bool isTextItem = false);
  QAction* addItem(const QString& label, const QIcon& icon);
  int count() const;
  QAction* itemAction(int index) const;
  QString itemText(int index) const;
  QVariant itemData(int index) const;

  // -1 when there are no items.
  int currentIndex() const { return m_currentIndex; }
  // An index outside the items changes nothing.
  void setCurrentIndex(int index);

  Menu* menuOfItems() const { return m_menu; }
  QSize sizeHint() const override;

signals:
  void currentIndexChanged(int index);

private:
  void showItem();
  void popUpMenu();

  Menu* m_menu;
  QList<QAction*> m_items;
  QList<bool> m_isTextItem;
  int m_currentIndex = -1;
};

} // namespace Tessel::UI
