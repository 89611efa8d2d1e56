#include <velloro/eventgraph/EventAdderProxy.h>

#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>

#include <memory>
#include <utility>

namespace Velloro {

EventAdderProxy::EventAdderProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData> data,
                                 bool flag) {
  if (EventGraphSettings::IsEnabled() && track && track->track()) {
    m_adder = std::make_unique<Tessel::UI::EventAdder>(track->track(), std::move(data), flag);
  }
}

} // namespace Velloro
