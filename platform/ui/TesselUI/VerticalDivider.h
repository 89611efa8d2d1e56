#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QFrame>

namespace Tessel::UI {

// A thin vertical line between groups of tool-bar items, in the palette's mid colour so that
// it stays quiet on dark and light tool bars alike. GUI thread only.
class TESSEL_UI_EXPORT VerticalDivider : public QFrame {
  Q_OBJECT
public:
  explicit VerticalDivider(QWidget* parent = nullptr);

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};

} // namespace Tessel::UI
