#include <KXImage/Row.h>

#include <algorithm>
#include <cstring>

namespace KX::Image {

Row::Row(int x, int r)
    : m_x(x)
    , m_r(std::max(x, r)) {}

const float* Row::operator[](Channel channel) const {
  if (channel < m_buffers.size() && m_buffers[channel]) {
    return m_buffers[channel].get() - m_x;
  }
  if (!m_zeros) {
    m_zeros.reset(new float[std::size_t(m_r - m_x) + 1]());
  }
  return m_zeros.get() - m_x;
}

float* Row::writable(Channel channel) {
  if (channel >= m_buffers.size()) {
    m_buffers.resize(std::size_t(channel) + 1);
  }
  if (!m_buffers[channel]) {
    m_buffers[channel].reset(new float[std::size_t(m_r - m_x) + 1]());
    m_channels += channel;
  }
  return m_buffers[channel].get() - m_x;
}

void Row::copy(const Row& source, const ChannelSet& channels, int x, int r) {
  x = std::max(x, m_x);
  r = std::min(r, m_r);
  if (r <= x) {
    return;
  }
  for (Channel channel : channels) {
    std::memcpy(writable(channel) + x, source[channel] + x, sizeof(float) * std::size_t(r - x));
  }
}

} // namespace KX::Image
