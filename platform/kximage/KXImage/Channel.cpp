#include <KXImage/Channel.h>

#include <KXImage/ChannelHooks.h>

namespace KX::Image {

Channel brother(Channel channel, unsigned index) {
  return pBrother(channel, index);
}

} // namespace KX::Image
