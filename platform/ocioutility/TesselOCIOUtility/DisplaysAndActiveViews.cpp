#include <TesselOCIOUtility/DisplaysAndActiveViews.h>

namespace Tessel::OCIOUtility {

std::vector<DisplayViews> getDisplaysAndActiveViews(const OCIO_NAMESPACE::ConstConfigRcPtr& config) {
  std::vector<DisplayViews> result;
  if (!config) {
    return result;
  }
  // OpenColorIO's display and view lists are already filtered and ordered by the active lists.
  for (int displayIndex = 0; displayIndex < config->getNumDisplays(); ++displayIndex) {
    const char* display = config->getDisplay(displayIndex);
    std::vector<std::string> views;
    for (int viewIndex = 0; viewIndex < config->getNumViews(display); ++viewIndex) {
      views.emplace_back(config->getView(display, viewIndex));
    }
    result.emplace_back(display, std::move(views));
  }
  return result;
}

} // namespace Tessel::OCIOUtility
