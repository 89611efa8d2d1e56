#pragma once

#include <velloro/viewerui/FrameRateChooser.h>

namespace Velloro {

// A frame-rate chooser in which the user may also type a rate (0.1 to 1000, two decimals).
// A typed rate selects the entry it matches, or is appended and selected. GUI thread only.
class VELLORO_EXPORT EditableFrameRateChooser : public FrameRateChooser {
  Q_OBJECT
public:
  explicit EditableFrameRateChooser(QWidget* parent = nullptr);

  // Selects the rate, appending it when the list lacks it, without emitting
  // timeBaseChanged(): for following a rate set elsewhere.
  void syncTimeBase(Tessel::Base::TimeBase timeBase);

protected:
  // Keeps the keys that type a rate from triggering application shortcuts.
  bool event(QEvent* event) override;
  // Shows the plain rate, without the default's mark, ready for editing.
  void focusInEvent(QFocusEvent* event) override;

private slots:
  void handleLineEditChange();
};

} // namespace Velloro
