#include <velloro/eventgraph/EventGraphCoreMediaOperationTimer.h>

namespace Velloro::UI {

EventGraphCoreMediaOperationTimer::EventGraphCoreMediaOperationTimer(
    Tessel::UI::EventTrack* track, std::shared_ptr<Tessel::UI::IEventUserData> data)
    : m_track(track)
    , m_data(std::move(data)) {}

// Copies share the track and the user data but start with a reference count of their own.
EventGraphCoreMediaOperationTimer::EventGraphCoreMediaOperationTimer(
    const EventGraphCoreMediaOperationTimer& other)
    : Tessel::Profile::OperationTimer(other)
    , m_track(other.m_track)
    , m_data(other.m_data) {}

EventGraphCoreMediaOperationTimer&
EventGraphCoreMediaOperationTimer::operator=(const EventGraphCoreMediaOperationTimer& other) {
  m_track = other.m_track;
  m_data = other.m_data;
  return *this;
}

EventGraphCoreMediaOperationTimer::~EventGraphCoreMediaOperationTimer() = default;

void EventGraphCoreMediaOperationTimer::startOperation() {
  if (m_track) {
    m_track->addEvent(Tessel::UI::EventTrack::eBegin, m_data, std::chrono::nanoseconds(0));
  }
}

void EventGraphCoreMediaOperationTimer::endOperation() {
  if (m_track) {
    m_track->addEvent(Tessel::UI::EventTrack::eEnd, m_data, std::chrono::nanoseconds(0));
  }
}

} // namespace Velloro::UI
