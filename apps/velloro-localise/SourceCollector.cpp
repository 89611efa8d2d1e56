#include "SourceCollector.h"

#include <boost/filesystem.hpp>

#include <algorithm>
#include <unordered_set>

namespace fs = boost::filesystem;

namespace VelloroLocalise {

namespace {

std::string absoluteText(const std::string& text) {
  std::string absolute = fs::absolute(fs::path(text)).lexically_normal().string();
  // A directory written with a trailing slash comes back as ".../."; the name is the directory.
  if (absolute.size() > 2 && absolute.compare(absolute.size() - 2, 2, "/.") == 0) {
    absolute.resize(absolute.size() - 2);
  }
  return absolute;
}

void walk(const fs::path& directory, std::vector<std::string>& found) {
  std::vector<std::string> files;
  boost::system::error_code error;
  for (fs::recursive_directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    if (fs::is_regular_file(entry->path())) {
      files.push_back(entry->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  found.insert(found.end(), files.begin(), files.end());
}

} // namespace

std::vector<std::string> collectSources(const Options& options, const Velloro::LocalisationEngine& engine,
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

  std::vector<std::string> sources;
  for (const std::string& argument : arguments) {
    const std::string path = absoluteText(argument);
    const fs::path cached = engine.localPathFor(path);
    if (options.command == Command::eRemove && fs::is_directory(cached)) {
      std::vector<std::string> copies;
      walk(cached, copies);
      for (const std::string& copy : copies) {
        if (fs::path(copy).extension() != ".tmp") {
          sources.push_back(engine.sourcePathFor(copy));
        }
      }
    } else if (options.command != Command::eRemove && fs::is_directory(path)) {
      walk(path, sources);
    } else {
      sources.push_back(path);
    }
  }

  std::unordered_set<std::string> seen;
  sources.erase(std::remove_if(sources.begin(), sources.end(),
                               [&seen](const std::string& source) { return !seen.insert(source).second; }),
                sources.end());
  return sources;
}

} // namespace VelloroLocalise
