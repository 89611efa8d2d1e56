#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/EventTrack.h>

#include <QColor>
#include <QString>

#include <chrono>
#include <memory>

namespace Velloro {

// An event-graph track that exists only if recording was on when the proxy was made, so that
// profiling calls can stay in hot paths: with recording off every operation is one flag test
// and allocates nothing. Use from the threads the event graph's tracks accept.
class VELLORO_EXPORT EventTrackProxy {
public:
  // The three numbers go unchanged to the track (process row, thread row, sort index).
  EventTrackProxy(const QString& name, const QColor& colour, int processId, int threadId, int sortIndex);
  ~EventTrackProxy() = default;
  EventTrackProxy(EventTrackProxy&&) noexcept = default;
  EventTrackProxy& operator=(EventTrackProxy&&) noexcept = default;
  EventTrackProxy(const EventTrackProxy&) = delete;
  EventTrackProxy& operator=(const EventTrackProxy&) = delete;

  // Records while recording is on and a track is held; otherwise does nothing.
  void addEvent(Tessel::UI::EventTrack::Type type, std::shared_ptr<Tessel::UI::IEventUserData> data,
                std::chrono::nanoseconds duration);

  // The track, or null when recording was off at construction.
  Tessel::UI::EventTrack* track() const { return m_track.get(); }

private:
  std::unique_ptr<Tessel::UI::EventTrack> m_track;
};

} // namespace Velloro
