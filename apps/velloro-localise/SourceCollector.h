#pragma once

#include "CommandLine.h"

#include <velloro/localisation/LocalisationEngine.h>

#include <istream>
#include <string>
#include <vector>

namespace VelloroLocalise {

// The source files a command works on, each once, in the order found: files as given,
// directories walked recursively ("remove" walks a directory's copy in the cache, where its
// cached files are), "-" replaced by the lines of the input stream. Paths are made absolute,
// since the cache names copies after the full path.
std::vector<std::string> collectSources(const Options& options, const Velloro::LocalisationEngine& engine,
                                        std::istream& input);

} // namespace VelloroLocalise
