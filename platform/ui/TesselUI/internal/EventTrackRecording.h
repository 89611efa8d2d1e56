#pragma once

#include <TesselUI/EventTrack.h>

#include <TesselUI/IEventUserData.h>

#include <mutex>

namespace Tessel::UI {

// What a track records, shared by the track and the graph it was added to. The fixed fields
// are written once before sharing; the events are guarded by the mutex.
struct EventTrack::Recording {
  QString name;
  QColor colour;
  int processId = 0;
  int threadId = 0;
  int sortIndex = 0;
  mutable std::mutex mutex;
  std::vector<EventTrack::Event> events;

  void add(EventTrack::Type type, std::shared_ptr<IEventUserData> data, std::chrono::nanoseconds duration) {
    const bool interval = type == EventTrack::eComplete || type == EventTrack::eStopped;
    const std::chrono::nanoseconds now = EventTrack::Now();
    EventTrack::Event event{type, interval ? now - duration : now,
                            interval ? duration : std::chrono::nanoseconds(0), std::move(data)};
    const std::lock_guard<std::mutex> lock(mutex);
    events.push_back(std::move(event));
  }

  std::vector<EventTrack::Event> snapshot() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return events;
  }
};

} // namespace Tessel::UI
