#include "LayerSampler.h"

namespace Velloro::Example {

bool LayerSampler::computeSample(const PixelAnalyser::PixelSampleOptions& options,
                                 PixelAnalyser::PixelSample& sample) {
  PixelAnalyser::PixelSampleOptions byPosition = options;
  for (std::size_t index = 0; index < byPosition.layerChannels.size(); ++index) {
    if (byPosition.layerChannels[index] != 0) {
      byPosition.layerChannels[index] = KX::Image::Channel(index + 1);
    }
  }
  return ImageSampler::computeSample(byPosition, sample);
}

} // namespace Velloro::Example
