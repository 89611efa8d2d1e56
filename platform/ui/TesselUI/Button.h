#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QToolButton>

namespace Tessel::UI {

// The tool-bar button of the widget library: auto-raised, no keyboard focus, and a
// rightClicked() signal for the secondary action many tool-bar buttons carry (a right click
// does not emit clicked()). GUI thread only.
class TESSEL_UI_EXPORT Button : public QToolButton {
  Q_OBJECT
public:
  explicit Button(QWidget* parent = nullptr);
  Button(const QIcon& icon, const QString& toolTip, QWidget* parent = nullptr);

signals:
  void rightClicked();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace Tessel::UI
