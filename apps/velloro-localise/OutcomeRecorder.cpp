#include "OutcomeRecorder.h"
#include "SourceCollector.h"

#include <boost/filesystem/operations.hpp>

#include <cstdio>

namespace VelloroLocalise {

using Engine = Velloro::LocalisationEngine;

OutcomeRecorder::OutcomeRecorder(const Engine& engine, ProgressReport& report)
    : m_engine(engine)
    , m_report(report) {}

const char* OutcomeRecorder::describe(Engine::FileEvent event) {
  switch (event) {
  case Engine::eSourceMissing:
    return "missing source";
  case Engine::eNotLocal:
    return "not cached";
  case Engine::eUpToDate:
    return "up to date";
  case Engine::eOutOfDate:
    return "out of date";
  case Engine::eFileLocalised:
    return "localised";
  case Engine::eInsufficientSpace:
    return "insufficient space";
  case Engine::eDiskFull:
    return "disk full";
  case Engine::eFileRemoved:
    return "removed";
  }
  return "unknown";
}

void OutcomeRecorder::onFileEvent(const std::string& sourcePath, Engine::FileEvent event) {
  if (event == Engine::eFileLocalised) {
    boost::system::error_code error;
    const std::uint64_t size = boost::filesystem::file_size(m_engine.localPathFor(sourcePath), error);
    if (!error) {
      m_bytesCopied += size;
    }
  }
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_outcomes[sourcePath] = event;
  }
  char line[32];
  std::snprintf(line, sizeof line, "%-20s", describe(event));
  m_report.printLine(line + printablePath(sourcePath));
}

std::optional<Engine::FileEvent> OutcomeRecorder::outcome(const std::string& sourcePath) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_outcomes.find(sourcePath);
  if (found == m_outcomes.end()) {
    return std::nullopt;
  }
  return found->second;
}

} // namespace VelloroLocalise
