#include <TesselUI/EventAdder.h>

#include <TesselUI/internal/EventTrackRecording.h>

namespace Tessel::UI {

EventAdder::EventAdder(EventTrack* track, std::shared_ptr<IEventUserData> data, bool asBeginAndEnd)
    : m_recording(track ? track->recording() : nullptr)
    , m_data(std::move(data))
    , m_asBeginAndEnd(asBeginAndEnd)
    , m_start(EventTrack::Now()) {
  if (m_recording && m_asBeginAndEnd) {
    m_recording->add(EventTrack::eBegin, m_data, std::chrono::nanoseconds(0));
  }
}

EventAdder::~EventAdder() {
  if (!m_recording) {
    return;
  }
  if (m_asBeginAndEnd) {
    m_recording->add(EventTrack::eEnd, m_data, std::chrono::nanoseconds(0));
  } else {
    m_recording->add(EventTrack::eComplete, m_data, EventTrack::Now() - m_start);
  }
}

} // namespace Tessel::UI
