#include "CommandLine.h"
#include "Sizes.h"

#include <velloro/localisation/LocalisationQueue.h>

#include <QCommandLineParser>
#include <QStringList>

#include <cstdlib>

namespace VelloroLocalise {

std::string defaultCacheDirectory() {
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  if (cacheHome && *cacheHome) {
    return std::string(cacheHome) + "/velloro";
  }
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.cache/velloro" : std::string();
}

std::string helpText() {
  return R"(Usage: velloro-localise [OPTIONS] COMMAND [PATH...]

Keeps size-limited local copies of media files from slow or remote storage in a cache
directory: checks on several threads, copies and removes on one.

Commands:
  check      tell for each file whether its local copy is current
  localise   copy each file into the cache unless its copy is current (also: localize)
  remove     delete the local copy of each file (a directory is taken from the cache)
  list       print the cached files with their sizes: all, or those under the PATHs

PATH is a file or a directory, which is walked recursively; "-" reads one path per line from
standard input. Relative paths are taken from the working directory.

Options:
  --cache DIR       the cache directory, created when missing
                    (default: $XDG_CACHE_HOME/velloro, else ~/.cache/velloro)
  --limit SIZE      the most the cache may hold (default: 10G)
  --min-free SIZE   instead of a limit, leave SIZE free on the cache's volume
  --watchers N      threads that check files (default: $ORVIK_LOCALIZATION_NUMWATCHERS, else 1)
  -h, --help        print this help

SIZE is a number of bytes with an optional K, M, G or T suffix (powers of 1024), such as
512M or 1.5G.

Each file gets one line with its outcome in words, then a summary follows. On a terminal,
standard error shows a progress bar with files, bytes and rate.

Exit status:
  0  every file reached the state asked for (check: its copy is current; localise: its copy
     is in place and current; remove: its copy is gone; list: always)
  1  some file did not (missing source, insufficient space, disk full, failed copy, copy
     out of date or absent), or the cache could not be opened
  2  bad usage
)";
}

ParsedCommandLine parseCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int index = 0; index < argc; ++index) {
    arguments << QString::fromLocal8Bit(argv[index]);
  }
  QCommandLineParser parser;
  const QCommandLineOption cacheOption("cache", "", "DIR");
  const QCommandLineOption limitOption("limit", "", "SIZE");
  const QCommandLineOption minFreeOption("min-free", "", "SIZE");
  const QCommandLineOption watchersOption("watchers", "", "N");
  const QCommandLineOption helpOption(QStringList{"h", "help"});
  parser.addOptions({cacheOption, limitOption, minFreeOption, watchersOption, helpOption});

  ParsedCommandLine result;
  if (!parser.parse(arguments)) {
    result.error = parser.errorText().toStdString();
    return result;
  }
  Options options;
  if (parser.isSet(helpOption)) {
    options.help = true;
    result.options = options;
    return result;
  }

  QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) {
    result.error = "no command given (check, localise, remove or list)";
    return result;
  }
  const QString command = positional.takeFirst();
  if (command == "check") {
    options.command = Command::eCheck;
  } else if (command == "localise" || command == "localize") {
    options.command = Command::eLocalise;
  } else if (command == "remove") {
    options.command = Command::eRemove;
  } else if (command == "list") {
    options.command = Command::eList;
  } else {
    result.error = "unknown command '" + command.toStdString() + "' (check, localise, remove or list)";
    return result;
  }
  for (const QString& path : positional) {
    options.paths.push_back(path.toLocal8Bit().toStdString());
  }
  if (options.paths.empty() && options.command != Command::eList) {
    result.error = "'" + command.toStdString() + "' needs at least one PATH (or - for standard input)";
    return result;
  }

  options.cacheDirectory = parser.isSet(cacheOption) ? parser.value(cacheOption).toLocal8Bit().toStdString()
                                                     : defaultCacheDirectory();
  if (options.cacheDirectory.empty()) {
    result.error = parser.isSet(cacheOption) ? "--cache needs a directory"
                                             : "neither XDG_CACHE_HOME nor HOME is set: pass --cache DIR";
    return result;
  }
  if (parser.isSet(limitOption) && parser.isSet(minFreeOption)) {
    result.error = "--limit and --min-free exclude each other";
    return result;
  }
  for (const QCommandLineOption* sizeOption : {&limitOption, &minFreeOption}) {
    if (parser.isSet(*sizeOption)) {
      const std::string text = parser.value(*sizeOption).toStdString();
      const std::optional<std::uint64_t> size = parseSize(text);
      if (!size) {
        result.error = "--" + sizeOption->names().first().toStdString() + ": '" + text +
                       "' is not a size (a number with an optional K, M, G or T suffix)";
        return result;
      }
      options.limit = *size;
      options.limitMode = sizeOption == &minFreeOption ? Velloro::LocalisationEngine::eMinimumFree
                                                       : Velloro::LocalisationEngine::eMaximumUsage;
    }
  }
  if (parser.isSet(watchersOption)) {
    bool valid = false;
    const int watchers = parser.value(watchersOption).toInt(&valid);
    if (!valid || watchers < 1 || watchers > Velloro::LocalisationQueue::kMaximumCheckThreads) {
      result.error = "--watchers: '" + parser.value(watchersOption).toStdString() +
                     "' is not a number from 1 to " +
                     std::to_string(Velloro::LocalisationQueue::kMaximumCheckThreads);
      return result;
    }
    options.watchers = watchers;
  }
  result.options = options;
  return result;
}

} // namespace VelloroLocalise
