#pragma once

#include <velloro/pixelanalyser/PixelSampler.h>

#include <sampler/PixelStatistics.h>

#include <OpenImageIO/imagebuf.h>

#include <QPoint>
#include <QRect>

#include <vector>

namespace Velloro::Sampler {

// A viewer's pixel sampler over an OpenImageIO image. The viewer reports what the user selects
// (clicked pixels, or a region box while it is dragged and when it is let go); sample() then
// computes current, min, max, average and median of the selection for the pixel analyser.
//
// Channels: the options' four layer channels 1 to 4 (red, green, blue, alpha) read the image's
// first four channels; channel 0, and a channel the image does not have, read 0. Until a layer is
// chosen (no channels in the options) the first four channels are read.
//
// Threads: the GUI thread only.
class ImageSampler : public PixelAnalyser::PixelSampler {
public:
  explicit ImageSampler(OIIO::ImageBuf image = {});

  // A new image keeps the selection (clipped to it when sampled).
  void setImage(OIIO::ImageBuf image);
  const OIIO::ImageBuf& image() const { return m_image; }

  // A click on a pixel: it joins the selection when accumulating, else replaces it.
  void selectPixel(QPoint pixel);
  // A region box, replacing any selection; while dragging, the median waits for the release
  // unless it is updated live.
  void selectRegion(QRect region, bool dragging);
  // The pixels a viewer marks when showing the selection (empty for a region box).
  const std::vector<QPoint>& selectedPixels() const { return m_pixels; }

  bool computeSample(const PixelAnalyser::PixelSampleOptions& options,
                     PixelAnalyser::PixelSample& sample) override;
  void resetSampling() override;

private:
  void sampleOptionsChanged(const PixelAnalyser::PixelSampleOptions& oldOptions,
                            const PixelAnalyser::PixelSampleOptions& newOptions) override;

  // Adds the layer channels (by the rules above) of every pixel of the box, row by row.
  void appendPixels(const QRect& box, const PixelAnalyser::PixelSampleOptions& options,
                    std::vector<SampledPixel>& pixels) const;

  OIIO::ImageBuf m_image;
  std::vector<QPoint> m_pixels;
  QRect m_region;
  bool m_dragging = false;
  bool m_accumulate = false;
  // Something changed since the last sample.
  bool m_dirty = true;
};

} // namespace Velloro::Sampler
