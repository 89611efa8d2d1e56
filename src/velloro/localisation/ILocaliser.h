#pragma once

#include <velloro/localisation/LocalisationConfiguration.h>

#include <set>
#include <string>
#include <vector>

namespace Orvik {

// The host's localiser: it decides what a configuration's files mean to the cache. The library
// calls isMarked, isFlagged, localisedFraction, configurationChanged and handlesConfiguration;
// the other operations are the host's own and are listed so that the table of virtual
// functions keeps the host's order.
class ILocaliser {
public:
  virtual ~ILocaliser() = default;

  virtual bool isMarked(const std::vector<std::string>& files) = 0;
  // Marks or unmarks files for localisation at the host's next opportunity.
  virtual void setMarked(const std::vector<std::string>& files, bool marked) = 0;
  virtual bool isFlagged(const std::vector<std::string>& files) = 0;
  // Flags or unflags files, for example because their sources changed.
  virtual void setFlagged(const std::vector<std::string>& files, bool flagged) = 0;
  // Writes the fraction of the files that is localised, 0.0 to 1.0; the caller presets 0.0.
  virtual void localisedFraction(const std::vector<std::string>& files, double& fraction) = 0;
  virtual void configurationChanged(Velloro::LocalisationConfiguration* configuration,
                                    const std::set<std::string>& files,
                                    Velloro::LocalisationConfiguration::ChangedState state) = 0;
  virtual bool handlesConfiguration(Velloro::LocalisationConfiguration* configuration) = 0;
};

} // namespace Orvik
