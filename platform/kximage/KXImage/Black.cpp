#include <KXImage/Black.h>

namespace KX::Image {

Black::Black(const Format& format)
    : m_blackFormat(format) {}

void Black::_validate(bool) {
  setFormat(m_blackFormat);
  setFrameRange(1, 1);
  setChannels(ChannelSet(eMaskRGBA));
}

} // namespace KX::Image
