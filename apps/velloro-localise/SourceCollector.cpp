#include "SourceCollector.h"

#include <boost/filesystem.hpp>

#include <algorithm>
#include <cstdio>
#include <unordered_set>

namespace fs = boost::filesystem;

namespace VelloroLocalise {

namespace {

std::string absoluteText(const std::string& text) {
  boost::system::error_code error;
  const fs::path current = fs::path(text).is_absolute() ? fs::path() : fs::current_path(error);
  std::string absolute = (current / text).lexically_normal().string();
  // A directory written with a trailing slash comes back as ".../."; the name is the directory.
  if (absolute.size() > 2 && absolute.compare(absolute.size() - 2, 2, "/.") == 0) {
    absolute.resize(absolute.size() - 2);
  }
  return absolute;
}

// Walks a folder, never following a link nor entering the skipped folder (the cache, when it
// lies inside the folder); unreadable folders are noted and the walk goes on.
class Walker {
public:
  Walker(const fs::path& skipped, CollectedSources& collected)
      : m_skipped(skipped)
      , m_collected(collected) {}

  void walk(const fs::path& directory, std::vector<std::string>& files) {
    boost::system::error_code error;
    std::vector<fs::path> subdirectories;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
      boost::system::error_code statusError;
      const fs::file_status status = entry->symlink_status(statusError);
      if (fs::is_regular_file(status)) {
        files.push_back(entry->path().string());
      } else if (fs::is_directory(status) && entry->path() != m_skipped) {
        subdirectories.push_back(entry->path());
      }
    }
    if (error) {
      m_collected.problems.push_back(printablePath(directory.string()) + ": " + error.message());
    }
    std::sort(subdirectories.begin(), subdirectories.end());
    for (const fs::path& subdirectory : subdirectories) {
      walk(subdirectory, files);
    }
  }

private:
  const fs::path m_skipped;
  CollectedSources& m_collected;
};

} // namespace

std::string printablePath(const std::string& path) {
  if (std::none_of(path.begin(), path.end(),
                   [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
    return path;
  }
  std::string quoted = "\"";
  for (const char c : path) {
    switch (c) {
    case '\n':
      quoted += "\\n";
      break;
    case '\t':
      quoted += "\\t";
      break;
    case '"':
    case '\\':
      quoted += '\\';
      quoted += c;
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
        quoted += escaped;
      } else {
        quoted += c;
      }
    }
  }
  return quoted + "\"";
}

CollectedSources collectSources(const Options& options, const Velloro::LocalisationEngine& engine,
                                std::istream& input) {
  std::vector<std::string> arguments;
  for (const std::string& path : options.paths) {
    if (path == "-") {
      for (std::string line; std::getline(input, line);) {
        if (!line.empty()) {
          arguments.push_back(line);
        }
      }
    } else {
      arguments.push_back(path);
    }
  }

  CollectedSources collected;
  Walker walker(engine.localisedFilesRootDirectory(), collected);
  for (const std::string& argument : arguments) {
    const std::string path = absoluteText(argument);
    boost::system::error_code error;
    if (options.command == Command::eRemove && path.find_first_not_of('/') == std::string::npos) {
      collected.problems.push_back(printablePath(argument) +
                                   ": refusing to remove the copies of every file; name a folder below it");
      continue;
    }
    if (options.command == Command::eRemove) {
      const fs::path cached = engine.localPathFor(path);
      if (fs::is_directory(fs::symlink_status(cached, error))) {
        std::vector<std::string> copies;
        walker.walk(cached, copies);
        std::sort(copies.begin(), copies.end());
        for (const std::string& copy : copies) {
          if (fs::path(copy).extension() != ".tmp") {
            collected.sources.push_back(engine.sourcePathFor(copy));
          }
        }
      } else {
        collected.sources.push_back(path);
      }
      continue;
    }
    const fs::file_status status = fs::status(path, error);
    if (error && error != boost::system::errc::no_such_file_or_directory) {
      collected.problems.push_back(printablePath(path) + ": " + error.message());
    } else if (fs::is_directory(status)) {
      std::vector<std::string> files;
      walker.walk(path, files);
      std::sort(files.begin(), files.end());
      collected.sources.insert(collected.sources.end(), files.begin(), files.end());
    } else {
      collected.sources.push_back(path);
    }
  }

  std::unordered_set<std::string> seen;
  std::vector<std::string>& sources = collected.sources;
  sources.erase(std::remove_if(sources.begin(), sources.end(),
                               [&seen](const std::string& source) { return !seen.insert(source).second; }),
                sources.end());
  return collected;
}

} // namespace VelloroLocalise
