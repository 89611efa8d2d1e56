#include <velloro/eventgraph/EventStopperProxy.h>

#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>

#include <memory>

namespace Velloro {

// The stopper takes neither user data nor a flag; both are accepted for symmetry with the
// adder proxy and not passed on.
EventStopperProxy::EventStopperProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData>,
                                     bool) {
  if (EventGraphSettings::IsEnabled() && track && track->track()) {
    m_stopper = std::make_unique<Tessel::UI::EventStopper>(track->track());
  }
}

} // namespace Velloro
