#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/EventAdder.h>
#include <TesselUI/IEventUserData.h>

#include <memory>

namespace Velloro {

class EventTrackProxy;

// Marks the interval of its own lifetime on the track (see EventAdder), but only when recording is on and the
// track proxy holds a track: a proxy on a track made while recording was off stays empty even after recording
// is turned on. With recording off it is one flag test and allocates nothing.
class VELLORO_EXPORT EventAdderProxy {
public:
  EventAdderProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData> data, bool flag);
  ~EventAdderProxy() = default;
  EventAdderProxy(EventAdderProxy&&) noexcept = default;
  EventAdderProxy& operator=(EventAdderProxy&&) noexcept = default;
  EventAdderProxy(const EventAdderProxy&) = delete;
  EventAdderProxy& operator=(const EventAdderProxy&) = delete;

  Tessel::UI::EventAdder* adder() const { return m_adder.get(); }

private:
  std::unique_ptr<Tessel::UI::EventAdder> m_adder;
};

} // namespace Velloro
