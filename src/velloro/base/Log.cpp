#include <velloro/base/Log.h>

#include <boost/algorithm/string/case_conv.hpp>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <stdexcept>

namespace Tessel::Log {

namespace {

constexpr const char* kLevelNames[] = {"Quiet", "Error", "Warning", "Message", "Verbose"};
constexpr std::size_t kLongPathLength = 260;

struct LogState {
  std::mutex mutex;
  std::atomic<int> level{eUnset};
  std::string filePath;
  bool streamChosen = false;
  std::unique_ptr<std::ofstream> file;
  std::ostream* stream = &std::cerr;
  std::string applicationName;
  std::optional<std::set<unsigned>> enabledCategories;
  std::optional<std::set<unsigned>> plainCategories;
  std::map<unsigned, std::string> categoryNames;
};

LogState& state() {
  static LogState instance;
  return instance;
}

void applyEnvironmentLevel() {
  if (const char* value = std::getenv("TESSEL_LOG_LEVEL")) {
    const int parsed = parseLogLevel(value);
    if (parsed != eUnset) {
      state().level = parsed;
    }
  }
}

std::string defaultLogFilePath() {
  if (const char* path = std::getenv("TESSEL_LOG_FILE")) {
    return path;
  }
#ifdef _WIN32
  const char* temp = std::getenv("TEMP");
  return std::string(temp ? temp : "\\WINDOWS\\Temp") + "\\" + "tessel.log";
#else
  const char* directory = std::getenv("TEMP");
  if (!directory) {
    directory = std::getenv("TMPDIR");
  }
  return std::string(directory ? directory : "/tmp") + "/" + "tessel.log";
#endif
}

// Caller holds the mutex.
std::string logFilePathLocked() {
  LogState& s = state();
  if (s.filePath.empty()) {
    s.filePath = defaultLogFilePath();
  }
  return s.filePath;
}

void reportUnopenable(const std::string& path) {
  std::cerr << "Tessel::Log Error cannot open " + path + " for writing " << std::endl;
}

// Caller holds the mutex.
std::ostream& logStreamLocked() {
  LogState& s = state();
  if (s.streamChosen) {
    return *s.stream;
  }
  s.streamChosen = true;
  s.stream = &std::cerr;
  const std::string path = logFilePathLocked();
  if (!path.empty()) {
    auto file = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::app);
    if (file->is_open()) {
      s.file = std::move(file);
      s.stream = s.file.get();
    } else {
      reportUnopenable(path);
      if (path.size() >= kLongPathLength) {
        std::cerr << "Possibly failing because log name is too long. In the Windows API maximum "
                     "length for a path is 260 characters (including null terminating char)."
                  << std::endl;
      }
    }
  }
  return *s.stream;
}

// What a thread writes through logStream() collects here and reaches the log stream, whole and
// under the log's mutex, at every flush (std::endl, std::flush) and when the thread ends. So
// writers never hold a reference to a stream that setLogFile() may replace, and their lines do
// not interleave.
class ThreadLineBuffer : public std::stringbuf {
public:
  ~ThreadLineBuffer() override { writeOut(); }

protected:
  int sync() override {
    writeOut();
    return 0;
  }

private:
  void writeOut() {
    if (pptr() == pbase()) {
      return;
    }
    const std::string text = str();
    str(std::string());
    std::lock_guard<std::mutex> lock(state().mutex);
    logStreamLocked() << text << std::flush;
  }
};

struct ThreadStream {
  ThreadLineBuffer buffer;
  std::ostream stream{&buffer};
};

std::ostream& threadStream() {
  thread_local ThreadStream instance;
  return instance.stream;
}

bool inSet(const std::optional<std::set<unsigned>>& set, unsigned category) {
  return set && set->count(category) > 0;
}

std::string categoryNameLocked(unsigned category) {
  const auto& names = state().categoryNames;
  const auto found = names.find(category);
  return found != names.end() ? found->second : std::to_string(category);
}

// Decides whether the line is written and, if so, appends its header. Caller holds the mutex.
bool formatHeader(int level, unsigned category, std::ostream& out) {
  if (level > logLevel()) {
    return false;
  }
  LogState& s = state();
  if (category != 0 && !inSet(s.enabledCategories, category)) {
    return false;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!localtime_r(&now, &local)) {
    throw std::runtime_error("could not convert calendar time to local time");
  }
  if (inSet(s.plainCategories, category)) {
    out << "[" << categoryNameLocked(category) << "] ";
    return true;
  }
  out << "[";
  const bool named = !s.applicationName.empty();
  out << s.applicationName;
  if (category != 0) {
    if (named) {
      out << "/";
    }
    out << categoryNameLocked(category) << " ";
  } else if (named) {
    out << " ";
  }
  if (level >= eQuiet && level <= eVerbose) {
    out << kLevelNames[level];
  } else {
    out << level;
  }
  out << "]";
  const char fill = out.fill('0');
  out << "[" << (local.tm_year + 1900) << "/" << std::setw(2) << (local.tm_mon + 1) << "/" << std::setw(2)
      << local.tm_mday << ":" << std::setw(2) << local.tm_hour << ":" << std::setw(2) << local.tm_min << ":"
      << std::setw(2) << local.tm_sec << "] ";
  out.fill(fill);
  return true;
}

void setMembership(std::optional<std::set<unsigned>>& set, unsigned category, bool member) {
  if (category == 0) {
    return;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  if (member) {
    if (!set) {
      set.emplace();
    }
    set->insert(category);
  } else if (set) {
    set->erase(category);
  }
}

} // namespace

int logLevel() {
  LogState& s = state();
  int expected = eUnset;
  if (s.level.compare_exchange_strong(expected, eError)) {
    applyEnvironmentLevel();
  }
  return s.level;
}

void setLogLevel(int level, bool allowEnvironment) {
  state().level = level;
  if (allowEnvironment) {
    applyEnvironmentLevel();
  }
}

void setLogLevel(const std::string& name, bool allowEnvironment) {
  setLogLevel(parseLogLevel(name), allowEnvironment);
}

int parseLogLevel(const std::string& name) {
  const std::string word = boost::algorithm::to_lower_copy(name, std::locale());
  if (word == "quiet") {
    return eQuiet;
  }
  if (word == "error") {
    return eError;
  }
  if (word == "warning") {
    return eWarning;
  }
  if (word == "message") {
    return eMessage;
  }
  if (word == "verbose" || word == "all") {
    return eVerbose;
  }
  return eUnset;
}

std::string logFilePath() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return logFilePathLocked();
}

std::ostream& logStream() {
  {
    // Chooses (and on first use opens) the log stream now, so that a failure shows at once.
    std::lock_guard<std::mutex> lock(state().mutex);
    logStreamLocked();
  }
  return threadStream();
}

void setLogFile(const std::string& path) {
  auto file = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::app);
  std::lock_guard<std::mutex> lock(state().mutex);
  if (!file->is_open()) {
    reportUnopenable(path);
    return;
  }
  LogState& s = state();
  s.filePath = path;
  s.file = std::move(file);
  s.stream = s.file.get();
  s.streamChosen = true;
}

void enableCategory(unsigned category) {
  setMembership(state().enabledCategories, category, true);
}

void disableCategory(unsigned category) {
  setMembership(state().enabledCategories, category, false);
}

void enablePlainCategory(unsigned category) {
  setMembership(state().plainCategories, category, true);
}

void disablePlainCategory(unsigned category) {
  setMembership(state().plainCategories, category, false);
}

void setCategoryName(unsigned category, std::string name) {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().categoryNames[category] = std::move(name);
}

std::string categoryName(unsigned category) {
  std::lock_guard<std::mutex> lock(state().mutex);
  return categoryNameLocked(category);
}

void setApplicationName(std::string name) {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().applicationName = std::move(name);
}

bool beginLogLine(int level, unsigned category) {
  std::ostringstream header;
  {
    std::lock_guard<std::mutex> lock(state().mutex);
    if (!formatHeader(level, category, header)) {
      return false;
    }
    logStreamLocked();
  }
  // The header waits in this thread's buffer for the rest of the line.
  threadStream() << header.str();
  return true;
}

LogLine::LogLine(int level, unsigned category) {
  std::lock_guard<std::mutex> lock(state().mutex);
  m_enabled = formatHeader(level, category, m_text);
}

LogLine::~LogLine() {
  if (!m_enabled) {
    return;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  logStreamLocked() << m_text.str() << std::endl;
}

} // namespace Tessel::Log
