#include <sampler/ImageSampler.h>

#include <sampler/PixelStatistics.h>

#include <algorithm>

namespace Velloro::Sampler {

using PixelAnalyser::PixelSample;
using PixelAnalyser::PixelSampleOptions;

ImageSampler::ImageSampler(OIIO::ImageBuf image)
    : m_image(std::move(image)) {}

void ImageSampler::setImage(OIIO::ImageBuf image) {
  m_image = std::move(image);
  m_dirty = true;
}

void ImageSampler::selectPixel(QPoint pixel) {
  if (!m_accumulate) {
    m_pixels.clear();
  }
  m_pixels.push_back(pixel);
  m_region = QRect();
  m_dragging = false;
  m_dirty = true;
}

void ImageSampler::selectRegion(QRect region, bool dragging) {
  m_pixels.clear();
  m_region = region.normalized();
  m_dragging = dragging;
  m_dirty = true;
}

void ImageSampler::resetSampling() {
  m_pixels.clear();
  m_region = QRect();
  m_dragging = false;
  m_dirty = true;
}

void ImageSampler::sampleOptionsChanged(const PixelSampleOptions& oldOptions,
                                        const PixelSampleOptions& newOptions) {
  m_accumulate = newOptions.accumulate;
  if (oldOptions.accumulate && !newOptions.accumulate && m_pixels.size() > 1) {
    m_pixels.erase(m_pixels.begin(), m_pixels.end() - 1);
  }
  m_dirty = true;
}

void ImageSampler::appendPixels(const QRect& box, const PixelSampleOptions& options,
                                std::vector<SampledPixel>& pixels) const {
  // One read of the box's first four channels, then each pixel picks its layer channels.
  const int channels = std::min(m_image.nchannels(), 4);
  std::vector<float> values(std::size_t(box.width()) * std::size_t(box.height()) * std::size_t(channels));
  const OIIO::ROI roi(box.left(), box.right() + 1, box.top(), box.bottom() + 1, 0, 1, 0, channels);
  if (channels == 0 || !m_image.get_pixels(roi, OIIO::TypeDesc::FLOAT, values.data())) {
    return;
  }
  std::array<int, 4> source{};
  for (std::size_t index = 0; index < source.size(); ++index) {
    source[index] = options.channels.empty() ? int(index) : int(options.layerChannels[index]) - 1;
  }
  for (std::size_t start = 0; start < values.size(); start += std::size_t(channels)) {
    SampledPixel pixel;
    for (std::size_t index = 0; index < source.size(); ++index) {
      if (source[index] >= 0 && source[index] < channels) {
        pixel.rgba[index] = values[start + std::size_t(source[index])];
      }
    }
    pixel.key = BasisKey(pixel.rgba, options.basis);
    pixels.push_back(pixel);
  }
}

bool ImageSampler::computeSample(const PixelSampleOptions& options, PixelSample& sample) {
  if (!m_dirty) {
    return false;
  }
  m_dirty = false;
  sample = PixelSample();
  if (!m_image.initialized()) {
    return true;
  }
  const OIIO::ROI window = m_image.roi();
  const QRect image(window.xbegin, window.ybegin, window.width(), window.height());

  std::vector<SampledPixel> pixels;
  const bool fullFrame = options.mode == PixelSampleOptions::eFullFrame;
  const QRect box = fullFrame ? image : m_region.intersected(image);
  if (fullFrame || !m_region.isNull()) {
    if (!box.isEmpty()) {
      pixels.reserve(std::size_t(box.width()) * std::size_t(box.height()));
      appendPixels(box, options, pixels);
    }
    sample.region = box;
    sample.data.multiplePixels = true;
  } else {
    for (const QPoint& point : m_pixels) {
      if (image.contains(point)) {
        appendPixels(QRect(point, QSize(1, 1)), options, pixels);
        sample.region |= QRect(point, QSize(1, 1));
      }
    }
    if (!pixels.empty()) {
      std::copy(pixels.back().rgba.begin(), pixels.back().rgba.end(), sample.data.current);
    }
  }
  if (pixels.empty()) {
    return true;
  }
  const bool withMedian = fullFrame || !m_dragging || options.liveMedian;
  ComputeStatistics(pixels, withMedian, sample.data);
  return true;
}

} // namespace Velloro::Sampler
