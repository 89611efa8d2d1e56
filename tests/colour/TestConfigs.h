#pragma once

// Small profile-2.1 OpenColorIO configurations written by the colour tests, and the layout of an
// installation's configuration folder.

#include <string>
#include <utility>
#include <vector>

namespace ColourTest {

struct ConfigText {
  // role -> colour space
  std::vector<std::pair<std::string, std::string>> roles;
  // display -> view names; every view shows the colour space viewColorSpace
  std::vector<std::pair<std::string, std::vector<std::string>>> displays = {{"sRGB", {"Raw"}}};
  std::string viewColorSpace = "Raw";
  // Whole YAML flow mappings, e.g. {name: Raw, family: Utility, isdata: true}
  std::vector<std::string> colorSpaces = {"{name: Raw, family: Utility, isdata: true}"};
  // Further top-level lines, e.g. active_displays
  std::string extra;

  // The configuration as YAML; its Default file rule uses viewColorSpace, so a configuration
  // without the default role still loads.
  std::string yaml() const;
};

// Writes a file, creating its parent directories; fails the calling test when it cannot.
void writeFile(const std::string& path, const std::string& text);

// Installs a configuration below pluginDirectory/OCIOConfigs/configs/ as "<name>.ocio", or as
// "<name>/config.ocio" when directoryStyle is set, and returns its path.
std::string installConfig(const std::string& pluginDirectory, const std::string& name,
                          const std::string& text, bool directoryStyle = false);

} // namespace ColourTest
