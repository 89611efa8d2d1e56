#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QColor>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

namespace Tessel::UI {

class IEventUserData;

// One row of the event graph (a decoder, a render thread...) and the events recorded on it.
// Events may be added from any thread; the recording lives on in the graph after the track
// object is gone.
class TESSEL_UI_EXPORT EventTrack {
public:
  enum Type {
    eInstant = 0,  // a moment
    eBegin = 1,    // an interval opens now
    eEnd = 2,      // the last open interval closes now
    eComplete = 3, // an interval of the given duration ended now
    eStopped = 4,  // the track waited for the given duration, ending now
  };

  struct Event {
    Type type;
    std::chrono::nanoseconds time;     // since the graph's clock started; the interval's start
    std::chrono::nanoseconds duration; // of a complete or stopped interval, else zero
    std::shared_ptr<IEventUserData> data;
  };

  // Tracks with the same process and thread number share one row of the trace; rows sort by
  // sortIndex.
  EventTrack(const QString& name, const QColor& colour, int processId, int threadId, int sortIndex);
  ~EventTrack();
  EventTrack(const EventTrack&) = delete;
  EventTrack& operator=(const EventTrack&) = delete;

  void addEvent(Type type, std::shared_ptr<IEventUserData> data, std::chrono::nanoseconds duration);
  std::vector<Event> events() const;

  QString name() const;
  QColor colour() const;
  int processId() const;
  int threadId() const;
  int sortIndex() const;

  // Time on the clock that stamps events.
  static std::chrono::nanoseconds Now();

  struct Recording;
  std::shared_ptr<Recording> recording() const { return m_recording; }

private:
  std::shared_ptr<Recording> m_recording;
};

} // namespace Tessel::UI
