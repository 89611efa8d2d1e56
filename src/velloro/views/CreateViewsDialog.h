#pragma once

#include <velloro/VelloroExport.h>

#include <QString>

#include <string>
#include <vector>

namespace Velloro {

// The user's answer when imported clips carry views the project lacks.
enum CreateViewsResult {
  eAddMissingViews = 0,     // add the missing views to the project's views
  eReplaceProjectViews = 1, // replace the project's views
  eCreateNoViews = 2        // leave the project's views as they are
};

// The object name of the host's activity window. Like the host's progress window ("Progress.1")
// it is short-lived, so questions are asked over the window beneath it instead.
inline constexpr char kHostActivityWindowObjectName[] = "org.velloro.host.ActivityWindow";

// Asks, in a modal question box, whether to create the missing views (names in the order given)
// in the named project (an empty name leaves the project unnamed). Closing the box means no.
//
// Threads: the GUI thread.
VELLORO_EXPORT CreateViewsResult showCreateViewsDialog(const std::vector<std::string>& viewNames,
                                                       QString projectName);

} // namespace Velloro
