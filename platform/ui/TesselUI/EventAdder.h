#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselUI/EventTrack.h>

#include <chrono>
#include <memory>

namespace Tessel::UI {

class IEventUserData;

// Marks the interval of its own lifetime on a track: one complete event when it goes, or,
// with asBeginAndEnd, a begin event now and an end event when it goes (so that the interval
// shows while it is still open). A null track records nothing. Use on one thread.
class TESSEL_UI_EXPORT EventAdder {
public:
  EventAdder(EventTrack* track, std::shared_ptr<IEventUserData> data, bool asBeginAndEnd);
  ~EventAdder();
  EventAdder(const EventAdder&) = delete;
  EventAdder& operator=(const EventAdder&) = delete;

private:
  // The track's recording, so that an interval still open when its track goes is kept.
  std::shared_ptr<EventTrack::Recording> m_recording;
  std::shared_ptr<IEventUserData> m_data;
  bool m_asBeginAndEnd;
  std::chrono::nanoseconds m_start;
};

} // namespace Tessel::UI
