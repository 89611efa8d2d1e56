#pragma once

#include <velloro/views/View.h>

#include <vector>

namespace Velloro {

// The part of a view model that a project saves and restores.
struct ViewSettings {
  std::vector<View> views;
  int heroViewIndex = -1;
  bool showColours = false;
};

} // namespace Velloro
