#include <TesselUI/EventStopper.h>

#include <TesselUI/EventTrack.h>

namespace Tessel {
namespace UI {

EventStopper::EventStopper(EventTrack* track)
    : m_track(track)
    , m_start(EventTrack::Now()) {}

EventStopper::~EventStopper() {
  if (m_track) {
    m_track->addEvent(EventTrack::eStopped, nullptr, EventTrack::Now() - m_start);
  }
}

} // namespace UI
} // namespace Tessel
