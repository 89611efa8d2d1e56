#pragma once

// Small profile-2.1 OpenColorIO configurations written by the colour tests, and the layout of an
// installation's configuration folder.

#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace ColourTest {

// The built-in configurations of this release, spelled out here rather than taken from the library.
inline const std::string kCG = "cg-config-v1.0.0_aces-v1.3_ocio-v2.1";
inline const std::string kStudio = "studio-config-v1.0.0_aces-v1.3_ocio-v2.1";

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

// A temporary folder of loose configuration files, removed with the object.
class ConfigFolder {
public:
  std::string write(const std::string& name, const std::string& text);

private:
  QTemporaryDir _directory;
};

// A case on the process-wide manager: configurations go to a temporary folder, and the roles
// behaviour returns to the manager's default afterwards.
class ManagerTest : public ::testing::Test {
protected:
  void TearDown() override { manager.setOcioRolesBehavior(Velloro::OpenColorIO::RolesFirst); }
  // Writes the configuration under a name of its own and reloads it under the behaviour.
  Velloro::OpenColorIO::ConfigInfo reload(const ConfigText& text,
                                          Velloro::OpenColorIO::OCIORolesBehavior behavior);

  ConfigFolder folder;
  int configCount = 0;
  Velloro::OpenColorIO::OCIOConfigManager& manager =
      Velloro::OpenColorIO::OCIOConfigManager::getConfigManager();
};

// The six defaults in LUTDataType order, read through the named accessors; tests compare them
// with getDefaultLUT too, so a swapped accessor or case shows.
std::vector<std::string> defaultsOf(const Velloro::OpenColorIO::ColorTransforms& transforms);

} // namespace ColourTest
