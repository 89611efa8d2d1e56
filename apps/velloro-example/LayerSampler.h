#pragma once

#include <sampler/ImageSampler.h>

namespace Velloro::Example {

// The image sampler over a picture that already holds the shown layer as its first channels:
// whatever layer the analyser asks for, its channels are read by position, so depth or motion
// read their own values rather than the registry numbers of channels the picture does not have.
//
// Threads: the GUI thread only.
class LayerSampler : public Sampler::ImageSampler {
public:
  bool computeSample(const PixelAnalyser::PixelSampleOptions& options,
                     PixelAnalyser::PixelSample& sample) override;
};

} // namespace Velloro::Example
