#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/pixelanalyser/PixelSample.h>
#include <velloro/pixelanalyser/PixelSampleOptions.h>

namespace Velloro::PixelAnalyser {

// Reads a viewer's pixels for the pixel analyser. Each viewer owns one, of a host subclass that
// computes the statistics; the options and the last sample live in PixelAnalyserManager's store,
// so every panel on the viewer shows the same. A sampler holds no state of its own here, so
// copying one copies nothing.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT PixelSampler {
public:
  PixelSampler() = default;
  PixelSampler(const PixelSampler&) {}
  PixelSampler& operator=(const PixelSampler&) { return *this; }
  // Takes the sampler's options and sample out of the store.
  virtual ~PixelSampler();

  // Fills the sample, which holds the stored one, from the viewer's pixels; true when it
  // changed.
  virtual bool computeSample(const PixelSampleOptions& options, PixelSample& sample) = 0;
  // Forgets the accumulated selection.
  virtual void resetSampling() = 0;

  // One sampling pass with the stored options: a changed sample is stored, which signals it.
  bool sample();
  // Clears the selection and stores the empty sample.
  void reset();

private:
  friend class PixelAnalyserModel;
  // Told before new options take effect.
  virtual void sampleOptionsChanged(const PixelSampleOptions& oldOptions,
                                    const PixelSampleOptions& newOptions);
};

} // namespace Velloro::PixelAnalyser

Q_DECLARE_METATYPE(Velloro::PixelAnalyser::PixelSampler*)
