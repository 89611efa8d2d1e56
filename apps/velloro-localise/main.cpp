// velloro-localise: the localisation engine and queue as a command-line tool.

#include "CommandLine.h"
#include "OutcomeRecorder.h"
#include "ProgressReport.h"
#include "Sizes.h"
#include "SourceCollector.h"

#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <boost/filesystem.hpp>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <thread>

namespace fs = boost::filesystem;
using namespace VelloroLocalise;
using Velloro::LocalisationEngine;
using Velloro::LocalisationQueue;

namespace {

int listCache(const Options& options, const LocalisationEngine& engine) {
  std::vector<std::string> prefixes;
  for (const std::string& path : options.paths) {
    prefixes.push_back(fs::absolute(path).lexically_normal().string());
  }
  std::size_t count = 0;
  std::uint64_t bytes = 0;
  for (const auto& [source, size] : engine.reportLocalFileSizes()) {
    const bool wanted =
        prefixes.empty() || std::any_of(prefixes.begin(), prefixes.end(), [&](const std::string& p) {
          return source == p || source.rfind(p + "/", 0) == 0;
        });
    if (!wanted) {
      continue;
    }
    char sizeText[32];
    std::snprintf(sizeText, sizeof sizeText, "%12s  ", formatSize(size).c_str());
    std::cout << sizeText << printablePath(source) << '\n';
    ++count;
    bytes += size;
  }
  std::cout << count << (count == 1 ? " cached file, " : " cached files, ") << formatSize(bytes) << ", in "
            << engine.localisedFilesRootDirectory().string() << '\n';
  return 0;
}

// Whether the engine itself finds the copy current (a path that reaches the source through a
// link planted in the cache must not pass for its copy).
bool copyIsCurrent(LocalisationEngine& engine, const std::string& source) {
  struct Verdict : LocalisationEngine::FileEventObserver {
    bool current = false;
    void onFileEvent(const std::string&, LocalisationEngine::FileEvent event) override {
      current = event == LocalisationEngine::eUpToDate;
    }
  } verdict;
  engine.addFileEventObserver(&verdict);
  engine.checkFile(source);
  engine.removeFileEventObserver(&verdict);
  return verdict.current;
}

// What became of a file the engine sent no event about: the localise operation is silent when
// the source is missing, when the copy is current, and when the copy failed.
std::string outcomeWithoutEvent(Command command, LocalisationEngine& engine, const std::string& source,
                                bool& reached) {
  reached = false;
  switch (command) {
  case Command::eLocalise: {
    boost::system::error_code error;
    const fs::file_status status = fs::status(source, error);
    if (!fs::exists(status)) {
      return "missing source";
    }
    if (!fs::is_regular_file(status)) {
      return "not a regular file";
    }
    if (copyIsCurrent(engine, source)) {
      reached = true;
      return "already up to date";
    }
    return "copy failed";
  }
  case Command::eRemove:
    return "not removed";
  default:
    return "check failed";
  }
}

int runFileCommand(const Options& options, LocalisationEngine& engine) {
  const CollectedSources collected = collectSources(options, engine, std::cin);
  for (const std::string& problem : collected.problems) {
    std::cerr << "velloro-localise: " << problem << '\n';
  }
  // Names without a copy of their own are reported, never queued.
  std::vector<std::string> sources;
  std::vector<std::string> refused;
  for (const std::string& source : collected.sources) {
    (engine.acceptsSource(source) ? sources : refused).push_back(source);
  }
  ProgressReport report(sources.size(), ::isatty(STDERR_FILENO) != 0);
  OutcomeRecorder recorder(engine, report);
  engine.addFileEventObserver(&recorder);

  const LocalisationQueue::FileTask kind = options.command == Command::eCheck ? LocalisationQueue::eCheckFile
                                           : options.command == Command::eLocalise
                                               ? LocalisationQueue::eLocaliseFile
                                               : LocalisationQueue::eRemoveFile;
  {
    LocalisationQueue queue(engine);
    for (const std::string& source : sources) {
      queue.queueTask(kind, 0, source);
    }
    for (std::uint64_t pending = queue.pendingTasks(); pending > 0; pending = queue.pendingTasks()) {
      report.update(sources.size() - pending, recorder.bytesCopied());
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    report.update(sources.size(), recorder.bytesCopied());
  }
  engine.removeFileEventObserver(&recorder);
  report.finish();

  const LocalisationEngine::FileEvent wanted =
      options.command == Command::eCheck      ? LocalisationEngine::eUpToDate
      : options.command == Command::eLocalise ? LocalisationEngine::eFileLocalised
                                              : LocalisationEngine::eFileRemoved;
  std::map<std::string, std::size_t> counts;
  bool everyFileReached = collected.problems.empty() && refused.empty();
  for (const std::string& source : refused) {
    report.printLine("refused name        " + printablePath(source));
    ++counts["refused name"];
  }
  for (const std::string& source : sources) {
    const std::optional<LocalisationEngine::FileEvent> event = recorder.outcome(source);
    if (event) {
      ++counts[OutcomeRecorder::describe(*event)];
      everyFileReached = everyFileReached && *event == wanted;
      continue;
    }
    bool reached = false;
    const std::string outcome = outcomeWithoutEvent(options.command, engine, source, reached);
    char line[32];
    std::snprintf(line, sizeof line, "%-20s", outcome.c_str());
    report.printLine(line + printablePath(source));
    ++counts[outcome];
    everyFileReached = everyFileReached && reached;
  }

  const double seconds = report.elapsedSeconds();
  const std::size_t fileCount = sources.size() + refused.size();
  std::cout << fileCount << (fileCount == 1 ? " file in " : " files in ") << std::fixed;
  std::cout.precision(2);
  std::cout << seconds << " s:";
  const char* separator = " ";
  for (const auto& [outcome, count] : counts) {
    std::cout << separator << count << " " << outcome;
    separator = ", ";
  }
  std::cout << '\n';
  if (recorder.bytesCopied() > 0) {
    std::cout << "copied " << formatSize(recorder.bytesCopied()) << " at "
              << formatSize(
                     static_cast<std::uint64_t>(double(recorder.bytesCopied()) / std::max(seconds, 1e-3)))
              << "/s\n";
  }
  std::cout << "cache " << engine.localisedFilesRootDirectory().string() << ": "
            << formatSize(engine.usedSpace()) << " used";
  try {
    std::cout << " of " << formatSize(engine.maximumSpaceUsage()) << " allowed";
  } catch (const fs::filesystem_error&) {
  }
  std::cout << std::endl;
  return everyFileReached ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine parsed = parseCommandLine(argc, argv);
  if (!parsed.options) {
    std::cerr << "velloro-localise: " << parsed.error
              << "\nTry 'velloro-localise --help' for more information.\n";
    return 2;
  }
  const Options& options = *parsed.options;
  if (options.help) {
    std::cout << helpText();
    return 0;
  }
  if (options.watchers) {
    ::setenv("ORVIK_LOCALIZATION_NUMWATCHERS", std::to_string(*options.watchers).c_str(), 1);
  } else if (const char* watchers = std::getenv("ORVIK_LOCALIZATION_NUMWATCHERS")) {
    if (std::atoll(watchers) > LocalisationQueue::kMaximumCheckThreads) {
      std::cerr << "velloro-localise: ORVIK_LOCALIZATION_NUMWATCHERS=" << watchers << " is too many; using "
                << LocalisationQueue::kMaximumCheckThreads << " check threads\n";
    }
  }

  std::unique_ptr<LocalisationEngine> engine;
  try {
    const fs::path cache = fs::absolute(options.cacheDirectory);
    fs::create_directories(cache);
    engine = std::make_unique<LocalisationEngine>(cache);
  } catch (const fs::filesystem_error& error) {
    std::cerr << "velloro-localise: cannot open the cache " << options.cacheDirectory << ": "
              << error.code().message() << '\n';
    return 1;
  }
  engine->setDiskSizeLimit(options.limitMode, options.limit);
  if (options.command == Command::eList) {
    return listCache(options, *engine);
  }
  return runFileCommand(options, *engine);
}
