#include <sampler/PixelStatistics.h>

#include <velloro/pixelanalyser/DisplayValues.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velloro::Sampler {

namespace {

float UncheckedBasisKey(const std::array<float, 4>& rgba, int basis) {
  if (basis >= 0 && basis < 4) {
    return rgba[std::size_t(basis)];
  }
  if (basis >= 4 && basis < 7) {
    const PixelAnalyser::HSV hsv = PixelAnalyser::ToHSV(rgba[0], rgba[1], rgba[2]);
    return basis == 4 ? hsv.h : basis == 5 ? hsv.s : hsv.v;
  }
  return PixelAnalyser::Luminance(rgba[0], rgba[1], rgba[2]);
}

} // namespace

float BasisKey(const std::array<float, 4>& rgba, int basis) {
  const float key = UncheckedBasisKey(rgba, basis);
  // NaN would break the ordering that the median's selection relies on.
  return std::isnan(key) ? -std::numeric_limits<float>::infinity() : key;
}

const SampledPixel& MedianByKey(std::vector<SampledPixel>& pixels) {
  const auto middle = pixels.begin() + std::ptrdiff_t((pixels.size() - 1) / 2);
  std::nth_element(pixels.begin(), middle, pixels.end(),
                   [](const SampledPixel& a, const SampledPixel& b) { return a.key < b.key; });
  return *middle;
}

void ComputeStatistics(std::vector<SampledPixel>& pixels, bool withMedian, Image::SampleData& data) {
  const SampledPixel* lowest = &pixels.front();
  const SampledPixel* highest = &pixels.front();
  // Summed in double precision: a million pixels would lose float precision.
  std::array<double, 4> sum{};
  for (const SampledPixel& pixel : pixels) {
    if (pixel.key < lowest->key) {
      lowest = &pixel;
    }
    if (pixel.key > highest->key) {
      highest = &pixel;
    }
    for (std::size_t channel = 0; channel < 4; ++channel) {
      sum[channel] += pixel.rgba[channel];
    }
  }
  for (std::size_t channel = 0; channel < 4; ++channel) {
    data.min[channel] = lowest->rgba[channel];
    data.max[channel] = highest->rgba[channel];
    data.average[channel] = float(sum[channel] / double(pixels.size()));
  }
  data.medianPending = !withMedian;
  if (withMedian) {
    const SampledPixel& median = MedianByKey(pixels);
    std::copy(median.rgba.begin(), median.rgba.end(), data.median);
  } else {
    std::fill(std::begin(data.median), std::end(data.median), 0.0f);
  }
}

} // namespace Velloro::Sampler
