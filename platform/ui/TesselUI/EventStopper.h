#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselUI/EventTrack.h>

#include <chrono>
#include <memory>

namespace Tessel::UI {

// Marks its lifetime on a track as time spent stopped (waiting), recorded when it goes.
// A null track records nothing; the interval is kept even if the track object goes first.
// Use on one thread.
class TESSEL_UI_EXPORT EventStopper {
public:
  explicit EventStopper(EventTrack* track);
  ~EventStopper();
  EventStopper(const EventStopper&) = delete;
  EventStopper& operator=(const EventStopper&) = delete;

private:
  // The track's recording, so that an interval still open when its track goes is kept.
  std::shared_ptr<EventTrack::Recording> m_recording;
  std::chrono::nanoseconds m_start;
};

} // namespace Tessel::UI
