#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>
#include <vector>

namespace Tessel::UI {

class EventTrack;

// The profiling event graph: the tracks of the process and their recordings. The host makes
// one, which then answers instance() until it is destroyed; with none, instance() is null and
// tracks record for nobody. Tracks may be added and exported from any thread.
class TESSEL_UI_EXPORT EventGraph {
public:
  EventGraph();
  ~EventGraph();
  EventGraph(const EventGraph&) = delete;
  EventGraph& operator=(const EventGraph&) = delete;

  // The graph the host made, or null. A second graph made while one lives does not replace it.
  static EventGraph* instance();

  // Keeps the track's recording, which outlives the track itself.
  void addTrack(EventTrack* track);
  int trackCount() const;

  // The recording as a Chrome trace (a JSON object with "traceEvents"), which standard trace
  // viewers open: one row per track, intervals as slices, event texts as arguments.
  QByteArray toChromeTrace() const;
  bool writeChromeTrace(const QString& path) const;

private:
  struct Tracks;
  std::unique_ptr<Tracks> m_tracks;
};

} // namespace Tessel::UI
