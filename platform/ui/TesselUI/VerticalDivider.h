#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QFrame>

namespace Tessel {
namespace UI {

// A thin vertical line between groups of tool-bar items. GUI thread only.
class TESSEL_UI_EXPORT VerticalDivider : public QFrame {
  Q_OBJECT
public:
  explicit VerticalDivider(QWidget* parent = nullptr);

  QSize sizeHint() const override;
};

} // namespace UI
} // namespace Tessel
