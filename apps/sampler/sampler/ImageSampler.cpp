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

std::array<float, 4> ImageSampler::readPixel(int x, int y, const PixelSampleOptions& options) const {
  const int imageChannels = m_image.nchannels();
  std::array<float, 4> rgba{};
  for (std::size_t index = 0; index < rgba.size(); ++index) {
    const int channel = options.channels.empty() ? int(index) : int(options.layerChannels[index]) - 1;
    if (channel >= 0 && channel < std::min(imageChannels, 4)) {
      rgba[index] = m_image.getchannel(x, y, 0, channel);
    }
  }
  return rgba;
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
  auto add = [&](int x, int y) {
    SampledPixel pixel;
    pixel.rgba = readPixel(x, y, options);
    pixel.key = BasisKey(pixel.rgba, options.basis);
    pixels.push_back(pixel);
  };
  const bool fullFrame = options.mode == PixelSampleOptions::eFullFrame;
  const QRect box = fullFrame ? image : m_region.intersected(image);
  if (fullFrame || !m_region.isNull()) {
    pixels.reserve(std::size_t(std::max(box.width(), 0)) * std::size_t(std::max(box.height(), 0)));
    for (int y = box.top(); y <= box.bottom(); ++y) {
      for (int x = box.left(); x <= box.right(); ++x) {
        add(x, y);
      }
    }
    sample.region = box;
    sample.data.multiplePixels = true;
  } else {
    for (const QPoint& point : m_pixels) {
      if (image.contains(point)) {
        add(point.x(), point.y());
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
