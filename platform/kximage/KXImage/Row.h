#pragma once

#include <KXImage/ChannelSet.h>
#include <KXImage/KXImageExport.h>

#include <memory>
#include <vector>

namespace KX::Image {

// One row of an image over the columns x to r (r excluded): a float buffer per channel, indexed
// by the absolute column, so that row[channel][x] is the first pixel. Channels come into being
// when first made writable.
//
// A plain value; each row belongs to the thread that renders it.
class KXIMAGE_EXPORT Row {
public:
  Row(int x, int r);

  int x() const { return m_x; }
  int r() const { return m_r; }
  // The channels the row holds.
  const ChannelSet& channels() const { return m_channels; }

  // Read access to a channel's buffer (indexed from x); a channel the row does not hold reads as
  // zeros.
  const float* operator[](Channel channel) const;
  // Write access to a channel's buffer (indexed from x), made (as zeros) when missing.
  float* writable(Channel channel);
  // Copies the columns x to r of the channels from another row.
  void copy(const Row& source, const ChannelSet& channels, int x, int r);

private:
  int m_x;
  int m_r;
  ChannelSet m_channels;
  // Buffers by channel number; null for the channels the row does not hold.
  std::vector<std::unique_ptr<float[]>> m_buffers;
  mutable std::unique_ptr<float[]> m_zeros;
};

} // namespace KX::Image
