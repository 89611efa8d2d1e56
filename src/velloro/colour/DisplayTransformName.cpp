#include <velloro/colour/DisplayTransformName.h>

namespace Velloro::OpenColorIO {

namespace {
const char kDefaultDisplay[] = "default";
}

std::string BuildDisplayTransformName(const std::string& display, const std::string& view) {
  return display == kDefaultDisplay ? view : display + "/" + view;
}

void GetDisplayAndViewFromDisplayTransformName(std::string& display, std::string& view,
                                               const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) {
    display = kDefaultDisplay;
    view = name;
  } else {
    display = name.substr(0, slash);
    view = name.substr(slash + 1);
  }
}

} // namespace Velloro::OpenColorIO
