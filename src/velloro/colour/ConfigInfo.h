#pragma once

#include <OpenColorIO/OpenColorIO.h>

#include <string>
#include <vector>

namespace Velloro::OpenColorIO {

// One loaded OpenColorIO configuration, as the configuration manager caches it.
struct ConfigInfo {
  // Null when the configuration could not be read; a configuration that was read but failed
  // validation keeps its pointer.
  OCIO_NAMESPACE::ConstConfigRcPtr config;
  // The OpenColorIO error text when reading or validating failed; empty for a valid configuration.
  std::string error;
  int roleCount = 0;
  // Colour-space menu entries, built for the roles behaviour in force when the configuration was
  // loaded: "value<TAB>menu path", plus "<TAB><TAB>alias,alias" for a colour space with aliases.
  std::vector<std::string> menuEntries;

  bool isValid() const { return error.empty(); }
};

} // namespace Velloro::OpenColorIO
