#pragma once

#include "CommandLine.h"

#include <velloro/localisation/LocalisationEngine.h>

#include <istream>
#include <string>
#include <vector>

namespace VelloroLocalise {

struct CollectedSources {
  std::vector<std::string> sources;
  // "<path>: <reason>" for every path that could not be read or walked; the rest goes on.
  std::vector<std::string> problems;
};

// The source files a command works on, each once, in the order found: files as given,
// directories walked recursively without following links and without entering the cache
// ("remove" walks a directory's copy in the cache, where its cached files are), "-" replaced
// by the lines of the input stream. Paths are made absolute, since the cache names copies
// after the full path.
CollectedSources collectSources(const Options& options, const Velloro::LocalisationEngine& engine,
                                std::istream& input);

// A path as one line of output: names with control characters (a newline would split the
// line) are quoted with C escapes.
std::string printablePath(const std::string& path);

} // namespace VelloroLocalise
