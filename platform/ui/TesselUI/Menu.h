#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QMenu>

namespace Tessel::UI {

// A menu that stays open while checkable entries are toggled, so that several can be switched
// in one visit; other entries close it as usual. GUI thread only.
class TESSEL_UI_EXPORT Menu : public QMenu {
  Q_OBJECT
public:
  explicit Menu(QWidget* parent = nullptr);
  explicit Menu(const QString& title, QWidget* parent = nullptr);

  void setStaysOpenOnToggle(bool staysOpen) { m_staysOpenOnToggle = staysOpen; }
  bool staysOpenOnToggle() const { return m_staysOpenOnToggle; }

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  bool m_staysOpenOnToggle = false;
};

} // namespace Tessel::UI
