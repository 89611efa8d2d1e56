#include <velloro/colour/OCIOConfigManager.h>

#include <velloro/base/Log.h>
#include <velloro/colour/ConfigPaths.h>

#include <KXImage/PluginPath.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/predicate.hpp>

namespace Velloro::OpenColorIO {

namespace OCIO = OCIO_NAMESPACE;

namespace {

std::vector<std::string> roleEntries(const OCIO::Config& config, OCIORolesBehavior behavior) {
  std::vector<std::string> entries;
  const std::string submenu = behavior == RolesInSubmenu ? "Roles/" : "";
  for (int index = 0; index < config.getNumRoles(); ++index) {
    const std::string role = config.getRoleName(index);
    const OCIO::ConstColorSpaceRcPtr colorSpace = config.getColorSpace(role.c_str());
    if (colorSpace) {
      entries.push_back(role + "\t" + submenu + role + " (" + colorSpace->getName() + ")");
    }
  }
  return entries;
}

std::vector<std::string> colorSpaceEntries(const OCIO::Config& config, OCIORolesBehavior behavior) {
  std::vector<std::string> entries;
  const std::string submenu = behavior == RolesFirst ? "Colorspaces/" : "";
  for (int index = 0; index < config.getNumColorSpaces(); ++index) {
    const std::string name = config.getColorSpaceNameByIndex(index);
    const OCIO::ConstColorSpaceRcPtr colorSpace = config.getColorSpace(name.c_str());
    if (!colorSpace) {
      continue;
    }
    const std::string family = colorSpace->getFamily();
    std::string entry = name + "\t" + submenu + (family.empty() ? "" : family + "/") + name;
    if (colorSpace->getNumAliases() > 0) {
      std::vector<std::string> aliases;
      for (std::size_t alias = 0; alias < colorSpace->getNumAliases(); ++alias) {
        aliases.emplace_back(colorSpace->getAlias(alias));
      }
      entry += "\t\t" + boost::algorithm::join(aliases, ",");
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The colour-space menu of a configuration for a roles behaviour.
std::vector<std::string> menuEntries(const OCIO::Config& config, OCIORolesBehavior behavior) {
  std::vector<std::string> entries = colorSpaceEntries(config, behavior);
  if (behavior == RolesFirst || behavior == RolesInSubmenu) {
    std::vector<std::string> roles = roleEntries(config, behavior);
    entries.insert(behavior == RolesFirst ? entries.begin() : entries.end(), roles.begin(), roles.end());
  }
  return entries;
}

} // namespace

OCIOConfigManager& OCIOConfigManager::getConfigManager() {
  static OCIOConfigManager manager;
  return manager;
}

OCIOConfigManager::OCIOConfigManager() {
  const std::vector<const char*>& pluginPath = KX::Image::getPluginPath();
  loadConfigs(std::vector<std::string>(pluginPath.begin(), pluginPath.end()));
}

void OCIOConfigManager::loadConfigs(const std::vector<std::string>& pluginPaths) {
  for (const std::string& pluginPath : pluginPaths) {
    const std::string directory =
        pluginPath + (boost::algorithm::ends_with(pluginPath, "/") ? "" : "/") + "OCIOConfigs/configs/";
    const QDir configsDirectory(QString::fromStdString(directory));
    if (!configsDirectory.exists()) {
      continue;
    }
    // "." and ".." would otherwise be taken for configuration directories of those names.
    const QFileInfoList entries =
        configsDirectory.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
      const std::string fullPath = directory + entry.fileName().toStdString();
      if (!entry.isDir()) {
        if (entry.exists() && entry.suffix() == "ocio") {
          m_configs[entry.completeBaseName().toStdString()] = fullPath;
        }
      } else if (QFileInfo::exists(QString::fromStdString(fullPath + "/config.ocio"))) {
        m_configs[entry.fileName().toStdString()] = fullPath + "/config.ocio";
      }
    }
  }
}

ConfigInfo OCIOConfigManager::addConfig(const std::string& path) {
  ConfigInfo info;
  try {
    info.config = OCIO::Config::CreateFromFile(path.c_str());
    info.config->validate();
    info.roleCount = info.config->getNumRoles();
    info.menuEntries = menuEntries(*info.config, m_rolesBehavior);
  } catch (const std::exception& error) {
    info.error = error.what();
    Tessel::Log::LogLine(Tessel::Log::eWarning, 0)
        << "OpenColorIO configuration '" << path << "' could not be used: " << info.error;
  }
  m_configCache[path] = info;
  return info;
}

ConfigInfo OCIOConfigManager::getConfigInfo(const std::string& path) {
  const auto cached = m_configCache.find(path);
  return cached != m_configCache.end() ? cached->second : addConfig(path);
}

ConfigInfo OCIOConfigManager::loadConfig(const std::string& path) {
  ConfigInfo info = getConfigInfo(path);
  if (path != m_currentConfig) {
    m_currentConfig = path;
    populateRolesToColorspacesMap(info.config);
  }
  return info;
}

ConfigInfo OCIOConfigManager::reloadConfig(const std::string& path) {
  ConfigInfo info = addConfig(path);
  m_currentConfig = path;
  populateRolesToColorspacesMap(info.config);
  return info;
}

const ConfigInfo& OCIOConfigManager::getCurrentConfig() const {
  static const ConfigInfo empty;
  const auto current = m_configCache.find(m_currentConfig);
  return current != m_configCache.end() ? current->second : empty;
}

void OCIOConfigManager::getConfigVersion(const std::string& path, Version& version) {
  const ConfigInfo info = getConfigInfo(path);
  if (info.isValid() && info.config) {
    std::get<0>(version) = static_cast<int>(info.config->getMajorVersion());
    std::get<1>(version) = static_cast<int>(info.config->getMinorVersion());
    std::get<3>(version) = -1;
  }
}

void OCIOConfigManager::getCurrentConfigVersion(Version& version) const {
  const ConfigInfo& info = getCurrentConfig();
  if (info.isValid() && info.config) {
    std::get<0>(version) = static_cast<int>(info.config->getMajorVersion());
    std::get<1>(version) = static_cast<int>(info.config->getMinorVersion());
    std::get<3>(version) = -1;
  }
}

void OCIOConfigManager::setDefaultConfig(const std::string& path, bool isCustom) {
  m_defaultConfig = path;
  m_defaultIsCustom = isCustom;
  fixupBuiltInConfigPath();
}

void OCIOConfigManager::fixupBuiltInConfigPath() {
  if (m_defaultIsCustom) {
    return;
  }
  const std::string name = ExtractConfigNameFromPath(m_defaultConfig);
  const auto installed = m_configs.find(name);
  if (installed == m_configs.end()) {
    if (!m_defaultConfig.empty()) {
      m_defaultIsCustom = true;
    }
    return;
  }
  // Only configurations that ship with this application move with its install directory.
  const std::string applicationDirectory = QCoreApplication::applicationDirPath().toStdString();
  if (boost::algorithm::starts_with(installed->second, applicationDirectory)) {
    // The install path follows the built-in layouts; a configuration installed in the other
    // layout keeps the path it was found at rather than one that does not exist.
    const std::string installPath = ConstructPathFromConfigName(name);
    m_defaultConfig =
        QFileInfo::exists(QString::fromStdString(installPath)) ? installPath : installed->second;
  }
}

void OCIOConfigManager::populateRolesToColorspacesMap(const OCIO::ConstConfigRcPtr& config) {
  m_roleToColorSpace.clear();
  if (!config) {
    return;
  }
  for (int index = 0; index < config->getNumRoles(); ++index) {
    const char* role = config->getRoleName(index);
    if (const OCIO::ConstColorSpaceRcPtr colorSpace = config->getColorSpace(role)) {
      m_roleToColorSpace[role] = colorSpace->getName();
    }
  }
}

std::string OCIOConfigManager::getColorspaceFromRole(const std::string& name) const {
  if (m_rolesBehavior != HideRoles) {
    return name;
  }
  const auto found = m_roleToColorSpace.find(name);
  return found != m_roleToColorSpace.end() ? found->second : name;
}

bool OCIOConfigManager::getColorspaceIsData(const std::string& colorSpace) const {
  const ConfigInfo& current = getCurrentConfig();
  if (!current.config) {
    return false;
  }
  const OCIO::ConstColorSpaceRcPtr found = current.config->getColorSpace(colorSpace.c_str());
  return found && found->isData();
}

} // namespace Velloro::OpenColorIO
