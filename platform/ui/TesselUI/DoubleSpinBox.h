#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QDoubleSpinBox>

namespace Tessel::UI {

// A spin box for knob values: it keeps six decimals of precision but shows only the
// digits a value needs (0.5, not 0.500000). GUI thread only.
class TESSEL_UI_EXPORT DoubleSpinBox : public QDoubleSpinBox {
  Q_OBJECT
public:
  explicit DoubleSpinBox(QWidget* parent = nullptr);

  QString textFromValue(double value) const override;
};

} // namespace Tessel::UI
