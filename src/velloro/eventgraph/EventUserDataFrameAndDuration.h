#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/IEventUserData.h>

namespace Velloro::UI {

// A frame and the wait that playback wanted before it; reads "12, Desired Wait=40".
class VELLORO_EXPORT EventUserDataFrameAndDuration : public Tessel::UI::IEventUserData {
public:
  EventUserDataFrameAndDuration(int frame, int desiredWait);
  QString text() const override;

  int frame;
  int desiredWait;
};

} // namespace Velloro::UI
