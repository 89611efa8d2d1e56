#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QList>
#include <QPointer>
#include <QWidget>

class QBoxLayout;

namespace Tessel::UI {

// A tool bar of pushed widgets that its owner can float by dragging it out (the owner runs the
// drag). Persistent widgets (a divider after a leading button, say) stay when the pushed
// widgets are cleared for a new set. GUI thread only.
class TESSEL_UI_EXPORT DraggableToolbar : public QWidget {
  Q_OBJECT
public:
  explicit DraggableToolbar(QWidget* parent = nullptr);

  void pushWidget(QWidget* widget);
  void addPersistentWidget(QWidget* widget);
  // Deletes every pushed widget that is not persistent.
  void clearWidgets();
  // Pushed and persistent widgets in order.
  QList<QWidget*> widgets() const;
  bool isPersistent(QWidget* widget) const;

  void setOrientation(Qt::Orientation orientation);
  Qt::Orientation orientation() const;

private:
  QBoxLayout* m_layout;
  QList<QPointer<QWidget>> m_widgets;
  QList<QPointer<QWidget>> m_persistent;
};

} // namespace Tessel::UI
