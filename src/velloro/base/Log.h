#pragma once

#include <velloro/VelloroExport.h>

#include <ostream>
#include <sstream>
#include <string>

// The process-wide text log: one stream (the log file, or standard error), a level threshold,
// optional categories, and a header in front of every line.
//
// Threads: any thread may log, and setLogFile() may run meanwhile. The level is atomic;
// choosing and replacing the stream, the category sets and the names are guarded by one mutex.
// Every line reaches the stream whole, under that mutex: a LogLine writes its line when it ends,
// and logStream() hands each thread a stream of its own that passes its text on at each flush.
namespace Tessel::Log {

enum Level { eQuiet = 0, eError = 1, eWarning = 2, eMessage = 3, eVerbose = 4, eUnset = 5 };

// The level; on first use (level still unset) it becomes Error, then TESSEL_LOG_LEVEL applies.
VELLORO_EXPORT int logLevel();
// Stores the level; with allowEnvironment, TESSEL_LOG_LEVEL is applied afterwards and wins.
VELLORO_EXPORT void setLogLevel(int level, bool allowEnvironment);
VELLORO_EXPORT void setLogLevel(const std::string& name, bool allowEnvironment);
// "quiet", "error", "warning", "message", "verbose" or "all" in any case; anything else is eUnset.
VELLORO_EXPORT int parseLogLevel(const std::string& name);

// TESSEL_LOG_FILE when set (even empty); otherwise "tessel.log" in the temporary directory.
// Chosen on the first call that gives a non-empty path, then kept.
VELLORO_EXPORT std::string logFilePath();
// Chooses the stream on first use: the log file (opened for appending), or standard error when
// there is no path or the file cannot be opened. Returns the calling thread's own stream into
// the log: what is written to it reaches the chosen stream at each flush (std::endl) and when
// the thread ends. It stays valid for the thread's life, whatever setLogFile() does.
VELLORO_EXPORT std::ostream& logStream();
// Switches to a new file (the old one is closed); on failure reports on standard error and
// changes nothing.
VELLORO_EXPORT void setLogFile(const std::string& path);

VELLORO_EXPORT void enableCategory(unsigned category);
VELLORO_EXPORT void disableCategory(unsigned category);
// A plain category's lines carry only "[name] " as their header.
VELLORO_EXPORT void enablePlainCategory(unsigned category);
VELLORO_EXPORT void disablePlainCategory(unsigned category);
VELLORO_EXPORT void setCategoryName(unsigned category, std::string name);
VELLORO_EXPORT std::string categoryName(unsigned category);
VELLORO_EXPORT void setApplicationName(std::string name);

// Whether a line of this level and category is written; when it is, writes the line's header
// to logStream() (so it goes out with the rest of the line at the next flush) and returns true.
VELLORO_EXPORT bool beginLogLine(int level, unsigned category);

// One log line: streams its pieces only when the line is to be written, and ends the line
// (with a flush) when destroyed.
class VELLORO_EXPORT LogLine {
public:
  LogLine(int level, unsigned category);
  ~LogLine();
  LogLine(const LogLine&) = delete;
  LogLine& operator=(const LogLine&) = delete;

  bool enabled() const { return m_enabled; }

  template <typename T> LogLine& operator<<(const T& piece) {
    if (m_enabled) {
      m_text << piece;
    }
    return *this;
  }

private:
  bool m_enabled;
  std::ostringstream m_text;
};

} // namespace Tessel::Log
