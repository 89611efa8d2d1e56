#include "ProgressReport.h"
#include "Sizes.h"

#include <cstdio>
#include <iostream>

namespace VelloroLocalise {

ProgressReport::ProgressReport(std::size_t totalFiles, bool showBar)
    : m_totalFiles(totalFiles)
    , m_showBar(showBar)
    , m_started(std::chrono::steady_clock::now()) {}

double ProgressReport::elapsedSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
}

void ProgressReport::clearBar() {
  if (!m_bar.empty()) {
    std::cerr << "\r\033[K" << std::flush;
  }
}

void ProgressReport::printLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(m_mutex);
  clearBar();
  std::cout << line << '\n';
  if (!m_bar.empty()) {
    std::cout << std::flush;
    std::cerr << m_bar << std::flush;
  }
}

void ProgressReport::update(std::size_t doneFiles, std::uint64_t bytes) {
  if (!m_showBar) {
    return;
  }
  constexpr std::size_t width = 30;
  const std::size_t filled = m_totalFiles ? width * doneFiles / m_totalFiles : width;
  const double seconds = elapsedSeconds();
  const std::uint64_t rate = seconds > 0 ? static_cast<std::uint64_t>(double(bytes) / seconds) : 0;
  std::string bar = "[" + std::string(filled, '#') + std::string(width - filled, '-') + "] " +
                    std::to_string(doneFiles) + "/" + std::to_string(m_totalFiles) + " files  " +
                    formatSize(bytes) + "  " + formatSize(rate) + "/s";
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bar = std::move(bar);
  std::cerr << "\r\033[K" << m_bar << std::flush;
}

void ProgressReport::finish() {
  std::lock_guard<std::mutex> lock(m_mutex);
  clearBar();
  m_bar.clear();
  std::cout << std::flush;
}

} // namespace VelloroLocalise
