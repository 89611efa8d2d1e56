#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/colour/ConfigInfo.h>
#include <velloro/colour/OCIORolesBehavior.h>

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace Velloro::OpenColorIO {

// The process-wide keeper of OpenColorIO configurations: knows every configuration installed
// under the plug-in path, loads configurations on demand and caches them by path, remembers the
// default and the current configuration, and answers role questions against the current one.
// A configuration that cannot be read or validated never throws out of the manager: it is cached
// with its error text like a good one.
//
// Threads: only the first construction is guarded; every member belongs to the GUI thread.
class VELLORO_EXPORT OCIOConfigManager {
public:
  // Version as (major, minor, left as the caller set it, -1).
  using Version = std::tuple<int, int, int, int>;

  // The one manager; on first call it scans "OCIOConfigs/configs/" below every plug-in directory.
  static OCIOConfigManager& getConfigManager();

  OCIOConfigManager(const OCIOConfigManager&) = delete;
  OCIOConfigManager& operator=(const OCIOConfigManager&) = delete;

  // Every installed configuration, name -> path, sorted by name. When two plug-in directories
  // hold a configuration of the same name, the later directory wins.
  const std::map<std::string, std::string>& configs() const { return m_configs; }

  // The cached configuration for exactly this path string, loading it when it is not cached.
  ConfigInfo getConfigInfo(const std::string& path);
  // As getConfigInfo; a path other than the current one becomes current.
  ConfigInfo loadConfig(const std::string& path);
  // Reads the file again (replacing the cache entry) and makes it current.
  ConfigInfo reloadConfig(const std::string& path);
  // The current configuration, or an empty ConfigInfo when there is none.
  const ConfigInfo& getCurrentConfig() const;

  // Writes major and minor version and -1 into elements 0, 1 and 3 when the configuration is
  // valid (loading it if needed); leaves the tuple untouched otherwise.
  void getConfigVersion(const std::string& path, Version& version);
  // The same for the current configuration, without loading anything.
  void getCurrentConfigVersion(Version& version) const;

  const std::string& defaultConfig() const { return m_defaultConfig; }
  // Stores the default; an installed configuration's path is then rewritten to the current
  // install directory, and any path that names no installed configuration is marked custom.
  void setDefaultConfig(const std::string& path, bool isCustom);
  bool isDefaultConfigCustom() const { return m_defaultIsCustom; }

  OCIORolesBehavior ocioRolesBehavior() const { return m_rolesBehavior; }
  // Applies to configurations loaded afterwards.
  void setOcioRolesBehavior(OCIORolesBehavior behavior) { m_rolesBehavior = behavior; }

  // With roles hidden, the colour space a role of the current configuration stands for (the
  // name itself when it is no role); otherwise the name unchanged, as roles are offered in menus.
  std::string getColorspaceFromRole(const std::string& name) const;
  // Whether the current configuration's colour space of that name holds data, not colour.
  bool getColorspaceIsData(const std::string& colorSpace) const;

private:
  OCIOConfigManager();

  void loadConfigs(const std::vector<std::string>& pluginPaths);
  ConfigInfo addConfig(const std::string& path);
  void fixupBuiltInConfigPath();
  void populateRolesToColorspacesMap(const OCIO_NAMESPACE::ConstConfigRcPtr& config);

  std::unordered_map<std::string, ConfigInfo> m_configCache;
  std::unordered_map<std::string, std::string> m_roleToColorSpace;
  std::string m_currentConfig;
  OCIORolesBehavior m_rolesBehavior = RolesFirst;
  std::string m_defaultConfig;
  bool m_defaultIsCustom = false;
  std::map<std::string, std::string> m_configs;
};

} // namespace Velloro::OpenColorIO
