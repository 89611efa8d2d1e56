#include <velloro/viewerui/TimeBaseChooser.h>

namespace Velloro {

TimeBaseChooser::TimeBaseChooser(QWidget* parent)
    : QComboBox(parent) {}

void TimeBaseChooser::setTimeBase(Tessel::Base::TimeBase timeBase) {
  const float rate = timeBase.toFloat();
  int index = findData(rate);
  if (index < 0) {
    addItem(QString::fromStdString(timeBase.label()), rate);
    index = count() - 1;
  }
  setCurrentIndex(index);
}

} // namespace Velloro
