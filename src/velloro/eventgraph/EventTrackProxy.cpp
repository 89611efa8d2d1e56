#include <velloro/eventgraph/EventTrackProxy.h>

#include <velloro/eventgraph/EventGraphSettings.h>

#include <TesselUI/EventGraph.h>

#include <memory>
#include <utility>

namespace Velloro {

EventTrackProxy::EventTrackProxy(const QString& name, const QColor& colour, int processId, int threadId,
                                 int sortIndex) {
  if (!EventGraphSettings::IsEnabled()) {
    return;
  }
  m_track = std::make_unique<Tessel::UI::EventTrack>(name, colour, processId, threadId, sortIndex);
  if (Tessel::UI::EventGraph* graph = Tessel::UI::EventGraph::instance()) {
    graph->addTrack(m_track.get());
  }
}

void EventTrackProxy::addEvent(Tessel::UI::EventTrack::Type type,
                               std::shared_ptr<Tessel::UI::IEventUserData> data,
                               std::chrono::nanoseconds duration) {
  if (EventGraphSettings::IsEnabled() && m_track) {
    m_track->addEvent(type, std::move(data), duration);
  }
}

} // namespace Velloro
