#include <KXImage/Iop.h>

#include <KXImage/Row.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace KX::Image {

ImagePlane::ImagePlane(const Format& format)
    : format(format)
    , pixels(std::size_t(std::max(0, format.width())) * std::size_t(std::max(0, format.height())) * 4, 0.0f) {
}

Iop::Iop(Node* node)
    : Op(node) {}

Iop* Iop::inputIop(int index) const {
  return dynamic_cast<Iop*>(input(index));
}

void Iop::_validate(bool) {
  if (Iop* in = inputIop(0)) {
    m_format = in->format();
    m_firstFrame = in->firstFrame();
    m_lastFrame = in->lastFrame();
    m_channels = in->channels();
  } else {
    m_format = Format();
    m_firstFrame = m_lastFrame = 1;
  }
}

void Iop::setFrameRange(int first, int last) {
  m_firstFrame = first;
  m_lastFrame = last;
}

void Iop::gpuEngine_GL_begin(GPUContext*) {}

void Iop::get(int y, int x, int r, const ChannelSet& channels, Row& row) {
  for (Channel channel : channels) {
    std::fill_n(row.writable(channel) + x, std::max(0, r - x), 0.0f);
  }
  if (y < m_format.y || y >= m_format.t) {
    return;
  }
  const int from = std::max(x, m_format.x);
  const int to = std::min(r, m_format.r);
  if (from < to) {
    engine(y, from, to, channels, row);
  }
}

void Iop::ForEachRow(int begin, int end, const std::function<void(int y)>& work) {
  const int rows = std::max(0, end - begin);
  const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, std::max(1, rows));
  std::atomic<int> next{begin};
  auto run = [&] {
    for (int y = next++; y < end; y = next++) {
      work(y);
    }
  };
  std::vector<std::thread> helpers;
  for (int i = 1; i < threads; ++i) {
    helpers.emplace_back(run);
  }
  run();
  for (std::thread& helper : helpers) {
    helper.join();
  }
}

void Iop::CopyFromPlane(const ImagePlane& plane, int y, int x, int r, const ChannelSet& channels, Row& row) {
  const int rowInPlane = y - plane.format.y;
  if (rowInPlane < 0 || rowInPlane >= plane.height()) {
    return;
  }
  x = std::max(x, plane.format.x);
  r = std::min(r, plane.format.r);
  for (Channel channel : channels) {
    if (channel < eChannelRed || channel > eChannelAlpha) {
      continue;
    }
    float* target = row.writable(channel);
    const float* source = plane.pixel(x - plane.format.x, rowInPlane) + (channel - 1);
    for (int column = x; column < r; ++column, source += 4) {
      target[column] = *source;
    }
  }
}

ImagePlane Iop::renderImage() {
  ImagePlane plane(m_format);
  const ChannelSet rgba(eMaskRGBA);
  ForEachRow(m_format.y, m_format.t, [&](int y) {
    Row row(m_format.x, m_format.r);
    get(y, m_format.x, m_format.r, rgba, row);
    float* out = plane.pixel(0, y - m_format.y);
    for (int x = m_format.x; x < m_format.r; ++x, out += 4) {
      for (int c = 0; c < 4; ++c) {
        out[c] = row[Channel(c + 1)][x];
      }
    }
  });
  return plane;
}

} // namespace KX::Image
