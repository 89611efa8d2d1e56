#include <velloro/eventgraph/EventStopperProxy.h>

#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>

#include <utility>

namespace Velloro {

// The stopper takes neither user data nor a flag; both are accepted for symmetry with the
// adder proxy and not passed on.
EventStopperProxy::EventStopperProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData>,
                                     bool) {
  if (EventGraphSettings::IsEnabled() && track && track->track()) {
    m_stopper = new Tessel::UI::EventStopper(track->track());
  }
}

EventStopperProxy::~EventStopperProxy() {
  delete m_stopper;
}

EventStopperProxy::EventStopperProxy(EventStopperProxy&& other) noexcept
    : m_stopper(std::exchange(other.m_stopper, nullptr)) {}

EventStopperProxy& EventStopperProxy::operator=(EventStopperProxy&& other) noexcept {
  if (this != &other) {
    delete m_stopper;
    m_stopper = std::exchange(other.m_stopper, nullptr);
  }
  return *this;
}

} // namespace Velloro
