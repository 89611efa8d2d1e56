#pragma once

#include <velloro/localisation/LocalisationEngine.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VelloroLocalise {

enum class Command { eCheck, eLocalise, eRemove, eList };

struct Options {
  Command command = Command::eCheck;
  std::string cacheDirectory;
  Velloro::LocalisationEngine::StorageLimitMode limitMode = Velloro::LocalisationEngine::eMaximumUsage;
  std::uint64_t limit = std::uint64_t(10) << 30;
  std::optional<int> watchers;
  std::vector<std::string> paths; // as given; "-" stands for standard input
  bool help = false;
};

// The options, or a message saying what is wrong with the command line.
struct ParsedCommandLine {
  std::optional<Options> options;
  std::string error;
};

ParsedCommandLine parseCommandLine(int argc, char** argv);
std::string helpText();
// $XDG_CACHE_HOME/velloro, else ~/.cache/velloro; empty when neither variable is set.
std::string defaultCacheDirectory();

} // namespace VelloroLocalise
