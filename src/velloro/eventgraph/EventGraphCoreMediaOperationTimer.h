#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/EventTrack.h>
#include <TesselUI/IEventUserData.h>
#include <TesselUI/OperationTimer.h>

#include <memory>

namespace Velloro::UI {

// Marks the start and end of a media operation on an event track, with the operation's user
// data: a begin event at the start and an end event at the end. Without a track it records
// nothing. Use from the threads the event graph's tracks accept.
class VELLORO_EXPORT EventGraphCoreMediaOperationTimer : public Tessel::Profile::OperationTimer {
public:
  // The track is not owned and may be null.
  EventGraphCoreMediaOperationTimer(Tessel::UI::EventTrack* track,
                                    std::shared_ptr<Tessel::UI::IEventUserData> data);
  EventGraphCoreMediaOperationTimer(const EventGraphCoreMediaOperationTimer& other);
  EventGraphCoreMediaOperationTimer& operator=(const EventGraphCoreMediaOperationTimer& other);
  ~EventGraphCoreMediaOperationTimer() override;

  void startOperation() override;
  void endOperation() override;

private:
  Tessel::UI::EventTrack* m_track;
  std::shared_ptr<Tessel::UI::IEventUserData> m_data;
};

} // namespace Velloro::UI
