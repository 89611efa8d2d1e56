#pragma once

#include <velloro/pixelanalyser/SampleData.h>

#include <array>
#include <vector>

namespace Velloro::Sampler {

// One sampled pixel: its four layer channels and its value in the ordering channel.
struct SampledPixel {
  std::array<float, 4> rgba{};
  float key = 0;
};

// The value of the pixel by which min, max and median are ordered: basis 0 to 3 is r, g, b, a;
// 4 to 6 h, s, v; 7 (and anything else) the luminance. NaN orders below every number.
float BasisKey(const std::array<float, 4>& rgba, int basis);

// Fills min, max and average of the data from the pixels (which must not be empty), and the
// median too unless it is left pending. The pixels are reordered.
void ComputeStatistics(std::vector<SampledPixel>& pixels, bool withMedian, Image::SampleData& data);

// The lower median by key: the pixel that would be at (size - 1) / 2 once sorted. Partially
// reorders the pixels (which must not be empty) in linear time on average.
const SampledPixel& MedianByKey(std::vector<SampledPixel>& pixels);

} // namespace Velloro::Sampler
