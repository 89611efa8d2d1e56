#include "Profiler.h"

#include <velloro/eventgraph/EventGraphSettings.h>

#include <QColor>

namespace Velloro::Example {

Profiler::Profiler() = default;

Profiler::~Profiler() {
  setRecording(false);
}

bool Profiler::isRecording() const {
  return EventGraphSettings::IsEnabled();
}

void Profiler::setRecording(bool recording) {
  EventGraphSettings::SetEnabled(recording);
  if (recording && !m_read) {
    m_read = std::make_unique<EventTrackProxy>(QStringLiteral("Read"), QColor(90, 160, 220), 1, 1, 0);
    m_display =
        std::make_unique<EventTrackProxy>(QStringLiteral("Display transform"), QColor(214, 160, 48), 1, 2, 1);
  }
}

bool Profiler::writeChromeTrace(const QString& path) const {
  return m_graph.writeChromeTrace(path);
}

} // namespace Velloro::Example
