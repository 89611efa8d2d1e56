#pragma once

#include <velloro/VelloroExport.h>

#include <string>
#include <vector>

// Names and install paths of the OpenColorIO configurations that ship with the application.
// Installed configurations live under "<plugin directory>/OCIOConfigs/configs/", either as
// "<name>.ocio" or as "<name>/config.ocio"; the install plugin directory is the application
// directory followed by "/plugins". Paths use "/" as separator.
//
// Threads: any thread (the install plugin directory needs the QCoreApplication to exist).
namespace Velloro::OpenColorIO {

// The name given to any configuration that is not an installed one: "custom".
VELLORO_EXPORT extern const char kOCIOCustomConfigDisplayNameText[];
// For the host's display-name substitution; the library itself does not read it.
VELLORO_EXPORT extern const char kUseDisplayNameToken[];

// The configurations installed by this release.
VELLORO_EXPORT extern const char kCGConfigName[];
VELLORO_EXPORT extern const char kStudioConfigName[];
// The names under which earlier releases installed the same two configurations.
VELLORO_EXPORT extern const char kOldCGConfigName[];
VELLORO_EXPORT extern const char kOldStudioConfigName[];
// An older ACES configuration.
VELLORO_EXPORT extern const char kACES12ConfigName[];

// True for the empty path, and for a path ending in ".ocio" that contains "/OCIOConfigs/configs/".
VELLORO_EXPORT bool DoesConfigAppearToBeInInstallPath(const std::string& path);

// The name of an installed configuration from its path ("<name>.ocio" or "<name>/config.ocio"
// below "OCIOConfigs/configs/"), or "custom".
VELLORO_EXPORT std::string ExtractConfigNameFromPath(const std::string& path);

// The install path of a named configuration: "<name>.ocio" for the ACES 1.3 configurations
// (names containing "aces-v1.3"), "<name>/config.ocio" for any other.
VELLORO_EXPORT std::string ConstructPathFromConfigName(const std::string& name);

// The same configuration under the current install directory when it exists there (for paths
// saved by an installation elsewhere); otherwise the path unchanged.
VELLORO_EXPORT std::string UpgradeConfigPath(const std::string& path);

// The install path of the current name of a configuration saved under an older built-in name;
// otherwise the path unchanged.
VELLORO_EXPORT std::string UpgradeConfigPathACES(const std::string& path);

// The older names of a current built-in configuration name; empty when it had none.
VELLORO_EXPORT std::vector<std::string> GetOldConfigNames(const std::string& name);

// Whether the name is exactly one of the five ACES configuration names, old or current.
VELLORO_EXPORT bool IsACESConfig(const std::string& name);

} // namespace Velloro::OpenColorIO
