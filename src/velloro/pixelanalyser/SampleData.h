#pragma once

#include <velloro/VelloroExport.h>

namespace Velloro::Image {

// The statistics of a pixel selection, as a sampler fills them. Colours are r, g, b, a.
// A plain value.
struct VELLORO_EXPORT SampleData {
  // A region box is selected, so there is no single current pixel.
  bool multiplePixels = false;
  // The median is not computed yet.
  bool medianPending = false;
  float current[4] = {};
  // The pixels with the smallest and largest value of the basis channel.
  float min[4] = {};
  float average[4] = {};
  float max[4] = {};
  // The pixel in the middle when ordered by the basis channel.
  float median[4] = {};
  // The sampler's own; carried but never shown.
  float extra[4] = {};

  // Clears both flags and every colour.
  void reset();
};

} // namespace Velloro::Image
