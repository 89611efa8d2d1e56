#include <velloro/pixelanalyser/PixelSampler.h>

#include <velloro/pixelanalyser/PixelAnalyserManager.h>

namespace Velloro::PixelAnalyser {

PixelSampler::~PixelSampler() {
  PixelAnalyserManager::Get().model().forget(this);
}

bool PixelSampler::sample() {
  PixelAnalyserManager& manager = PixelAnalyserManager::Get();
  PixelSample sample = manager.getSample(this);
  if (!computeSample(manager.getSampleOptions(this), sample)) {
    return false;
  }
  manager.setSample(this, sample);
  return true;
}

void PixelSampler::reset() {
  resetSampling();
  PixelAnalyserManager::Get().setSample(this, PixelSample());
}

void PixelSampler::sampleOptionsChanged(const PixelSampleOptions&, const PixelSampleOptions&) {}

} // namespace Velloro::PixelAnalyser
