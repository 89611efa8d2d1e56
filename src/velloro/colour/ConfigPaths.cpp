#include <velloro/colour/ConfigPaths.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <map>

namespace Velloro::OpenColorIO {

const char kOCIOCustomConfigDisplayNameText[] = "custom";
const char kUseDisplayNameToken[] = "<USE_DISPLAY_NAME>";

const char kCGConfigName[] = "cg-config-v1.0.0_aces-v1.3_ocio-v2.1";
const char kStudioConfigName[] = "studio-config-v1.0.0_aces-v1.3_ocio-v2.1";
const char kOldCGConfigName[] = "ts-orvik_cg-config-v1.0.0_aces-v1.3_ocio-v2.1";
const char kOldStudioConfigName[] = "ts-orvik_studio-config-v1.0.0_aces-v1.3_ocio-v2.1";
const char kACES12ConfigName[] = "aces_1.2";

namespace {

const std::string kConfigsDirectory = "/OCIOConfigs/configs/";
const std::string kDirectoryConfigFile = "/config.ocio";
const std::string kConfigSuffix = ".ocio";

// Current built-in name -> names earlier releases used for the same configuration.
const std::map<std::string, std::vector<std::string>>& oldConfigNames() {
  static const std::map<std::string, std::vector<std::string>> table = {
      {kCGConfigName, {kOldCGConfigName}},
      {kStudioConfigName, {kOldStudioConfigName}},
  };
  return table;
}

std::string installPluginDirectory() {
  return QCoreApplication::applicationDirPath().toStdString() + "/plugins";
}

} // namespace

bool DoesConfigAppearToBeInInstallPath(const std::string& path) {
  return path.empty() || (boost::algorithm::ends_with(path, kConfigSuffix) &&
                          path.find(kConfigsDirectory) != std::string::npos);
}

std::string ExtractConfigNameFromPath(const std::string& path) {
  if (!DoesConfigAppearToBeInInstallPath(path)) {
    return kOCIOCustomConfigDisplayNameText;
  }
  const std::size_t directory = path.rfind(kConfigsDirectory);
  if (directory == std::string::npos) {
    return kOCIOCustomConfigDisplayNameText;
  }
  const std::size_t nameStart = directory + kConfigsDirectory.size();
  // Only matches after the start of the name count: a "/config.ocio" or ".ocio" further up the
  // path (or the configs directory's own slash) must not give a negative length.
  std::size_t nameEnd = path.rfind(kDirectoryConfigFile);
  if (nameEnd == std::string::npos || nameEnd <= nameStart) {
    nameEnd = path.rfind(kConfigSuffix);
  }
  if (nameEnd == std::string::npos || nameEnd <= nameStart) {
    return kOCIOCustomConfigDisplayNameText;
  }
  return path.substr(nameStart, nameEnd - nameStart);
}

std::string ConstructPathFromConfigName(const std::string& name) {
  const bool singleFile = name.find("aces-v1.3") != std::string::npos;
  return installPluginDirectory() + kConfigsDirectory + name +
         (singleFile ? kConfigSuffix : kDirectoryConfigFile);
}

std::string UpgradeConfigPath(const std::string& path) {
  if (!DoesConfigAppearToBeInInstallPath(path)) {
    return path;
  }
  const std::size_t directory = path.rfind("/OCIOConfigs/configs");
  if (directory == std::string::npos) {
    return path;
  }
  const std::string upgraded = installPluginDirectory() + path.substr(directory);
  return QFileInfo::exists(QString::fromStdString(upgraded)) ? upgraded : path;
}

std::string UpgradeConfigPathACES(const std::string& path) {
  const std::string name = ExtractConfigNameFromPath(path);
  for (const auto& [currentName, olderNames] : oldConfigNames()) {
    if (std::find(olderNames.begin(), olderNames.end(), name) != olderNames.end()) {
      return ConstructPathFromConfigName(currentName);
    }
  }
  return path;
}

std::vector<std::string> GetOldConfigNames(const std::string& name) {
  const auto found = oldConfigNames().find(name);
  return found != oldConfigNames().end() ? found->second : std::vector<std::string>();
}

bool IsACESConfig(const std::string& name) {
  static const std::vector<std::string> acesNames = {kACES12ConfigName, kCGConfigName, kStudioConfigName,
                                                     kOldCGConfigName, kOldStudioConfigName};
  return std::find(acesNames.begin(), acesNames.end(), name) != acesNames.end();
}

} // namespace Velloro::OpenColorIO
