#include <TesselUI/EventGraph.h>

#include <TesselUI/EventTrack.h>
#include <TesselUI/IEventUserData.h>
#include <TesselUI/internal/EventTrackRecording.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <atomic>

namespace Tessel::UI {

namespace {
std::atomic<EventGraph*> s_instance{nullptr};

double Microseconds(std::chrono::nanoseconds time) {
  return static_cast<double>(time.count()) / 1000.0;
}

const char* Phase(EventTrack::Type type) {
  switch (type) {
  case EventTrack::eBegin:
    return "B";
  case EventTrack::eEnd:
    return "E";
  case EventTrack::eComplete:
  case EventTrack::eStopped:
    return "X";
  case EventTrack::eInstant:
    break;
  }
  return "i";
}
} // namespace

struct EventGraph::Tracks {
  mutable std::mutex mutex;
  std::vector<std::shared_ptr<EventTrack::Recording>> recordings;
};

EventGraph::EventGraph()
    : m_tracks(std::make_unique<Tracks>()) {
  EventGraph* none = nullptr;
  s_instance.compare_exchange_strong(none, this);
}

EventGraph::~EventGraph() {
  EventGraph* self = this;
  s_instance.compare_exchange_strong(self, nullptr);
}

EventGraph* EventGraph::instance() {
  return s_instance.load();
}

void EventGraph::addTrack(EventTrack* track) {
  if (!track) {
    return;
  }
  const std::lock_guard<std::mutex> lock(m_tracks->mutex);
  for (const auto& recording : m_tracks->recordings) {
    if (recording == track->recording()) {
      return;
    }
  }
  m_tracks->recordings.push_back(track->recording());
}

int EventGraph::trackCount() const {
  const std::lock_guard<std::mutex> lock(m_tracks->mutex);
  return static_cast<int>(m_tracks->recordings.size());
}

QByteArray EventGraph::toChromeTrace() const {
  std::vector<std::shared_ptr<EventTrack::Recording>> recordings;
  {
    const std::lock_guard<std::mutex> lock(m_tracks->mutex);
    recordings = m_tracks->recordings;
  }
  QJsonArray events;
  for (const auto& recording : recordings) {
    const QJsonObject row{{"pid", recording->processId}, {"tid", recording->threadId}};
    QJsonObject name = row;
    name.insert("ph", "M");
    name.insert("name", "thread_name");
    name.insert("args", QJsonObject{{"name", recording->name}, {"colour", recording->colour.name()}});
    events.append(name);
    QJsonObject order = row;
    order.insert("ph", "M");
    order.insert("name", "thread_sort_index");
    order.insert("args", QJsonObject{{"sort_index", recording->sortIndex}});
    events.append(order);
    for (const EventTrack::Event& event : recording->snapshot()) {
      QJsonObject entry = row;
      const QString text = event.data ? event.data->text() : QString();
      entry.insert("ph", Phase(event.type));
      entry.insert("ts", Microseconds(event.time));
      entry.insert("cat", event.type == EventTrack::eStopped ? "stopped" : "event");
      entry.insert("name", event.type == EventTrack::eStopped ? QStringLiteral("Stopped")
                           : text.isEmpty()                   ? recording->name
                                                              : text);
      if (event.type == EventTrack::eComplete || event.type == EventTrack::eStopped) {
        entry.insert("dur", Microseconds(event.duration));
      }
      if (event.type == EventTrack::eInstant) {
        entry.insert("s", "t");
      }
      if (!text.isEmpty()) {
        entry.insert("args", QJsonObject{{"data", text}});
      }
      events.append(entry);
    }
  }
  const QJsonObject trace{{"traceEvents", events}, {"displayTimeUnit", "ns"}};
  return QJsonDocument(trace).toJson(QJsonDocument::Compact);
}

bool EventGraph::writeChromeTrace(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  file.write(toChromeTrace());
  return file.commit();
}

} // namespace Tessel::UI
