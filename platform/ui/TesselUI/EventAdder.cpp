#include <TesselUI/EventAdder.h>

#include <TesselUI/EventTrack.h>

namespace Tessel {
namespace UI {

EventAdder::EventAdder(EventTrack* track, std::shared_ptr<IEventUserData> data, bool asBeginAndEnd)
    : m_track(track)
    , m_data(std::move(data))
    , m_asBeginAndEnd(asBeginAndEnd)
    , m_start(EventTrack::Now()) {
  if (m_track && m_asBeginAndEnd) {
    m_track->addEvent(EventTrack::eBegin, m_data, std::chrono::nanoseconds(0));
  }
}

EventAdder::~EventAdder() {
  if (!m_track) {
    return;
  }
  if (m_asBeginAndEnd) {
    m_track->addEvent(EventTrack::eEnd, m_data, std::chrono::nanoseconds(0));
  } else {
    m_track->addEvent(EventTrack::eComplete, m_data, EventTrack::Now() - m_start);
  }
}

} // namespace UI
} // namespace Tessel
