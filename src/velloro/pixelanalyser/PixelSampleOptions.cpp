#include <velloro/pixelanalyser/PixelSampleOptions.h>

namespace Velloro::PixelAnalyser {

bool PixelSampleOptions::operator==(const PixelSampleOptions& other) const {
  return mode == other.mode && accumulate == other.accumulate && showSelection == other.showSelection &&
         basis == other.basis && liveMedian == other.liveMedian && channels == other.channels &&
         layerChannels == other.layerChannels;
}

} // namespace Velloro::PixelAnalyser
