#include <TesselUI/EventStopper.h>

#include <TesselUI/internal/EventTrackRecording.h>

namespace Tessel::UI {

EventStopper::EventStopper(EventTrack* track)
    : m_recording(track ? track->recording() : nullptr)
    , m_start(EventTrack::Now()) {}

EventStopper::~EventStopper() {
  if (m_recording) {
    m_recording->add(EventTrack::eStopped, nullptr, EventTrack::Now() - m_start);
  }
}

} // namespace Tessel::UI
