#pragma once

#include "ProgressReport.h"

#include <velloro/localisation/LocalisationEngine.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace VelloroLocalise {

// Hears the engine's outcome for each file, prints it as a line of words, and keeps it for the
// summary; counts the bytes copied in.
//
// Threads: onFileEvent runs on the queue's workers; the queries run on the waiting thread.
class OutcomeRecorder : public Velloro::LocalisationEngine::FileEventObserver {
public:
  OutcomeRecorder(const Velloro::LocalisationEngine& engine, ProgressReport& report);

  void onFileEvent(const std::string& sourcePath, Velloro::LocalisationEngine::FileEvent event) override;

  std::optional<Velloro::LocalisationEngine::FileEvent> outcome(const std::string& sourcePath) const;
  std::uint64_t bytesCopied() const { return m_bytesCopied.load(); }

  static const char* describe(Velloro::LocalisationEngine::FileEvent event);

private:
  const Velloro::LocalisationEngine& m_engine;
  ProgressReport& m_report;
  mutable std::mutex m_mutex;
  std::unordered_map<std::string, Velloro::LocalisationEngine::FileEvent> m_outcomes;
  std::atomic<std::uint64_t> m_bytesCopied{0};
};

} // namespace VelloroLocalise
