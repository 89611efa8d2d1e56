#pragma once

#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/TesselUIExport.h>

#include <QPointer>
#include <QWidget>

class QAction;
class QHBoxLayout;

namespace Tessel::UI {

// One piece of a collapsible tool bar. When the bar runs short of room it collapses its items
// of lowest priority first; a collapsed item hides and is offered instead in the bar's
// overflow menu under its label (a button is clicked from there, a choice button shows its
// choices). Outside such a bar an item simply shows its widgets. GUI thread only.
class TESSEL_UI_EXPORT CollapsibleToolbarItem : public QWidget {
  Q_OBJECT
public:
  explicit CollapsibleToolbarItem(int priority = 0, QWidget* parent = nullptr);
  explicit CollapsibleToolbarItem(QWidget* parent);

  // An item around one widget. priority orders collapsing (lowest first), menuPosition orders
  // the overflow menu; group may be null.
  static CollapsibleToolbarItem* CreateOverflowItem(QWidget* widget, const QString& label, int priority,
                                                    int menuPosition, CollapsibleToolbarItemGroup* group);

  void addWidget(QWidget* widget, Qt::Alignment alignment = {});
  QHBoxLayout* itemLayout() const { return m_layout; }

  int priority() const { return m_priority; }
  void setPriority(int priority) { m_priority = priority; }
  int menuPosition() const { return m_menuPosition; }
  QString label() const { return m_label; }
  // Defined out of line: the group is only declared here.
  CollapsibleToolbarItemGroup* group() const;
  // The widget the overflow entry acts on; null for an item made with addWidget() only.
  QWidget* overflowWidget() const { return m_overflowWidget; }

  bool isCollapsed() const { return m_collapsed; }
  void setCollapsed(bool collapsed);
  // The entry for the overflow menu, visible while the item is collapsed.
  QAction* overflowAction();

signals:
  void collapsedChanged(bool collapsed);

private:
  QHBoxLayout* m_layout;
  int m_priority;
  int m_menuPosition = 0;
  QString m_label;
  QPointer<CollapsibleToolbarItemGroup> m_group;
  QPointer<QWidget> m_overflowWidget;
  QAction* m_overflowAction = nullptr;
  bool m_collapsed = false;
};

} // namespace Tessel::UI
