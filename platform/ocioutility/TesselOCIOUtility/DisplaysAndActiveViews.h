#pragma once

#include <TesselOCIOUtility/TesselOCIOUtilityExport.h>

#include <OpenColorIO/OpenColorIO.h>

#include <string>
#include <utility>
#include <vector>

namespace Tessel::OCIOUtility {

// A display with the names of its active views.
using DisplayViews = std::pair<std::string, std::vector<std::string>>;

// The active displays of a configuration, each with its active views (shared views included).
// Where the configuration sets active_displays / active_views (or the OCIO_ACTIVE_DISPLAYS /
// OCIO_ACTIVE_VIEWS environment variables are set), only those are listed, in the order of
// those lists, so that the first display and view are the configuration's defaults; otherwise
// every display and view, in the order the configuration declares them. An empty list for a null
// configuration.
//
// Threads: any thread; the configuration is only read.
TESSEL_OCIOUTILITY_EXPORT std::vector<DisplayViews>
getDisplaysAndActiveViews(const OCIO_NAMESPACE::ConstConfigRcPtr& config);

} // namespace Tessel::OCIOUtility
