#include <TesselUI/EventTrack.h>

#include <TesselUI/internal/EventTrackRecording.h>

namespace Tessel::UI {

EventTrack::EventTrack(const QString& name, const QColor& colour, int processId, int threadId, int sortIndex)
    : m_recording(std::make_shared<Recording>()) {
  m_recording->name = name;
  m_recording->colour = colour;
  m_recording->processId = processId;
  m_recording->threadId = threadId;
  m_recording->sortIndex = sortIndex;
}

EventTrack::~EventTrack() = default;

std::chrono::nanoseconds EventTrack::Now() {
  static const auto start = std::chrono::steady_clock::now();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
}

void EventTrack::addEvent(Type type, std::shared_ptr<IEventUserData> data,
                          std::chrono::nanoseconds duration) {
  m_recording->add(type, std::move(data), duration);
}

std::vector<EventTrack::Event> EventTrack::events() const {
  return m_recording->snapshot();
}

QString EventTrack::name() const {
  return m_recording->name;
}

QColor EventTrack::colour() const {
  return m_recording->colour;
}

int EventTrack::processId() const {
  return m_recording->processId;
}

int EventTrack::threadId() const {
  return m_recording->threadId;
}

int EventTrack::sortIndex() const {
  return m_recording->sortIndex;
}

} // namespace Tessel::UI
