#include <velloro/eventgraph/EventAdderProxy.h>

#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>

#include <utility>

namespace Velloro {

EventAdderProxy::EventAdderProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData> data,
                                 bool flag) {
  if (EventGraphSettings::IsEnabled() && track && track->track()) {
    m_adder = new Tessel::UI::EventAdder(track->track(), std::move(data), flag);
  }
}

EventAdderProxy::~EventAdderProxy() {
  delete m_adder;
}

EventAdderProxy::EventAdderProxy(EventAdderProxy&& other) noexcept
    : m_adder(std::exchange(other.m_adder, nullptr)) {}

EventAdderProxy& EventAdderProxy::operator=(EventAdderProxy&& other) noexcept {
  if (this != &other) {
    delete m_adder;
    m_adder = std::exchange(other.m_adder, nullptr);
  }
  return *this;
}

} // namespace Velloro
