#pragma once

#include <KXImage/KXImageExport.h>

#include <cstdint>

namespace KX::Image {

// A channel number of an image: 0 is no channel, 1 to 4 are red, green, blue and alpha, and the
// rest are handed out by the channel registry up to kMaxChannels.
enum Channel : std::uint32_t {
  eChannelNone = 0,
  eChannelRed = 1,
  eChannelGreen = 2,
  eChannelBlue = 3,
  eChannelAlpha = 4,
};

// The highest channel number an image can carry.
constexpr std::uint32_t kMaxChannels = 1023;

// The channel of entry index of the layer that owns channel, or eChannelNone; answered by the
// pBrother hook.
KXIMAGE_EXPORT Channel brother(Channel channel, unsigned index);

} // namespace KX::Image
