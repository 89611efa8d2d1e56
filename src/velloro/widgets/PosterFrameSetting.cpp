#include <velloro/widgets/PosterFrameSetting.h>

namespace Velloro {

namespace {
const std::vector<std::pair<std::string, PosterFrameSetting>> kPosterFrameSettingNames = {
    {"First", First}, {"Middle", Middle}, {"Last", Last}, {"Custom...", Custom}};
} // namespace

const std::vector<std::pair<std::string, PosterFrameSetting>>& PosterFrameSettingNames() {
  return kPosterFrameSettingNames;
}

std::string PosterFrameSettingToString(PosterFrameSetting setting) {
  for (const auto& [name, value] : kPosterFrameSettingNames) {
    if (value == setting) {
      return name;
    }
  }
  return kPosterFrameSettingNames.front().first;
}

PosterFrameSetting PosterFrameSettingFromString(const std::string& name) {
  for (const auto& [known, value] : kPosterFrameSettingNames) {
    if (known == name) {
      return value;
    }
  }
  return First;
}

} // namespace Velloro
