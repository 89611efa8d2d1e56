#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/EventStopper.h>
#include <TesselUI/IEventUserData.h>

#include <memory>

namespace Velloro {

class EventTrackProxy;

// Marks its own lifetime as time the track spent stopped (see EventStopper), but only when recording is on
// and the track proxy holds a track: a proxy on a track made while recording was off stays empty even after
// recording is turned on. With recording off it is one flag test and allocates nothing.
class VELLORO_EXPORT EventStopperProxy {
public:
  EventStopperProxy(EventTrackProxy* track, std::shared_ptr<Tessel::UI::IEventUserData> data, bool flag);
  ~EventStopperProxy() = default;
  EventStopperProxy(EventStopperProxy&&) noexcept = default;
  EventStopperProxy& operator=(EventStopperProxy&&) noexcept = default;
  EventStopperProxy(const EventStopperProxy&) = delete;
  EventStopperProxy& operator=(const EventStopperProxy&) = delete;

  Tessel::UI::EventStopper* stopper() const { return m_stopper.get(); }

private:
  std::unique_ptr<Tessel::UI::EventStopper> m_stopper;
};

} // namespace Velloro
