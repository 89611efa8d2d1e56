#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

namespace VelloroLocalise {

// The tool's console: result lines on standard output, and on a terminal a progress bar
// (files, bytes, rate) on standard error that result lines never break into.
//
// Threads: printLine may be called from any thread (the engine's observers run on workers);
// update and finish from the thread that waits for the work.
class ProgressReport {
public:
  ProgressReport(std::size_t totalFiles, bool showBar);

  void printLine(const std::string& line);
  void update(std::size_t doneFiles, std::uint64_t bytes);
  void finish();

  double elapsedSeconds() const;

private:
  void clearBar();

  std::mutex m_mutex;
  const std::size_t m_totalFiles;
  const bool m_showBar;
  const std::chrono::steady_clock::time_point m_started;
  std::string m_bar;
};

} // namespace VelloroLocalise
