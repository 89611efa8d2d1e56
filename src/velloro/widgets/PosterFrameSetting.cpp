#include <velloro/widgets/PosterFrameSetting.h>

namespace Velloro {

// Built on first use, so that it is ready even for a static initialiser of another file.
const std::vector<std::pair<std::string, PosterFrameSetting>>& PosterFrameSettingNames() {
  static const std::vector<std::pair<std::string, PosterFrameSetting>> kNames = {
      {"First", First}, {"Middle", Middle}, {"Last", Last}, {"Custom...", Custom}};
  return kNames;
}

std::string PosterFrameSettingToString(PosterFrameSetting setting) {
  for (const auto& [name, value] : PosterFrameSettingNames()) {
    if (value == setting) {
      return name;
    }
  }
  return PosterFrameSettingNames().front().first;
}

PosterFrameSetting PosterFrameSettingFromString(const std::string& name) {
  for (const auto& [known, value] : PosterFrameSettingNames()) {
    if (known == name) {
      return value;
    }
  }
  return First;
}

} // namespace Velloro
