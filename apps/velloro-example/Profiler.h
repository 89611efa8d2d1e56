#pragma once

#include <velloro/eventgraph/EventTrackProxy.h>

#include <TesselUI/EventGraph.h>

#include <QString>

#include <memory>

namespace Velloro::Example {

// The example's profiling: one event graph for the process and a track each for reading frames
// and for converting them for display. Nothing is recorded until recording is turned
// on; the recording so far can be written as a Chrome trace at any time.
//
// Threads: the GUI thread only.
class Profiler {
public:
  Profiler();
  ~Profiler();

  bool isRecording() const;
  // Tracks are made when recording starts, as a track made while it is off never records.
  void setRecording(bool recording);
  bool writeChromeTrace(const QString& path) const;

  EventTrackProxy* readTrack() const { return m_read.get(); }
  EventTrackProxy* displayTrack() const { return m_display.get(); }

private:
  Tessel::UI::EventGraph m_graph;
  std::unique_ptr<EventTrackProxy> m_read;
  std::unique_ptr<EventTrackProxy> m_display;
};

} // namespace Velloro::Example
