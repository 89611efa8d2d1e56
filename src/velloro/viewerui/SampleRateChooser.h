#pragma once

#include <velloro/viewerui/TimeBaseChooser.h>

namespace Velloro {

// Chooses an audio sample rate: 32000, 44100 or 48000, or a rate appended by setTimeBase().
// Entries hold their rate as a float. GUI thread only.
class VELLORO_EXPORT SampleRateChooser : public TimeBaseChooser {
  Q_OBJECT
public:
  explicit SampleRateChooser(QWidget* parent = nullptr);

  // Invalid with no entry selected.
  Tessel::Base::TimeBase timeBase() const override;
};

} // namespace Velloro
