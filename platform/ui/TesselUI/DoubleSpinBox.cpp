#include <TesselUI/DoubleSpinBox.h>

namespace Tessel::UI {

DoubleSpinBox::DoubleSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent) {
  setDecimals(6);
  // Wide enough for any knob value, narrow enough for a sensible size hint.
  setRange(-1e9, 1e9);
  setButtonSymbols(QAbstractSpinBox::NoButtons);
  setKeyboardTracking(false);
  setAccelerated(true);
}

QString DoubleSpinBox::textFromValue(double value) const {
  QString text = locale().toString(value, 'f', decimals());
  if (text.contains(locale().decimalPoint())) {
    while (text.endsWith(QLatin1Char('0'))) {
      text.chop(1);
    }
    if (text.endsWith(locale().decimalPoint())) {
      text.chop(1);
    }
  }
  if (text == QLatin1String("-0")) {
    text = QStringLiteral("0");
  }
  return text.remove(locale().groupSeparator());
}

} // namespace Tessel::UI
