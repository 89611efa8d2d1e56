#include <velloro/viewerui/SampleRateChooser.h>

#include <iterator>

namespace Velloro {

using Tessel::Base::TimeBase;

namespace {

const TimeBase kSampleRates[] = {{32000, 1}, {44100, 1}, {48000, 1}};

} // namespace

SampleRateChooser::SampleRateChooser(QWidget* parent)
    : TimeBaseChooser(parent) {
  for (const TimeBase& rate : kSampleRates) {
    addItem(QString::fromStdString(rate.label()), rate.toFloat());
  }
  connect(this, &QComboBox::currentIndexChanged, this, &TimeBaseChooser::timeBaseChanged);
}

TimeBase SampleRateChooser::timeBase() const {
  const int index = currentIndex();
  if (index < 0) {
    return TimeBase();
  }
  if (index < static_cast<int>(std::size(kSampleRates))) {
    return kSampleRates[index];
  }
  return TimeBase(itemData(index).toFloat());
}

} // namespace Velloro
