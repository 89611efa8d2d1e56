#pragma once

#include <velloro/VelloroExport.h>

#include <QToolButton>

namespace Velloro::ViewerUI {

// The button that sets an in or out point. A left click emits clicked() as usual; a right
// click emits only rightClicked() (clearing the point). GUI thread only.
class VELLORO_EXPORT ViewerInOutButton : public QToolButton {
  Q_OBJECT
public:
  explicit ViewerInOutButton(QWidget* parent = nullptr);

signals:
  void rightClicked();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace Velloro::ViewerUI
