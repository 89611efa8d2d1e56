#pragma once

#include <TesselUI/TesselUIExport.h>

#include <chrono>

namespace Tessel {
namespace UI {

class EventTrack;

// Marks its lifetime on a track as time spent stopped (waiting), recorded when it goes.
// A null track records nothing. Use on one thread.
class TESSEL_UI_EXPORT EventStopper {
public:
  explicit EventStopper(EventTrack* track);
  ~EventStopper();
  EventStopper(const EventStopper&) = delete;
  EventStopper& operator=(const EventStopper&) = delete;

private:
  EventTrack* m_track;
  std::chrono::nanoseconds m_start;
};

} // namespace UI
} // namespace Tessel
