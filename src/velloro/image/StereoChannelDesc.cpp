#include <velloro/image/StereoChannelDesc.h>

#include <KXImage/OutputContext.h>

namespace Velloro::Image {

StereoChannelDesc::StereoChannelDesc(const std::string& name, KX::Image::Channel channel,
                                     KX::Image::Channel purpose)
    : ChannelDesc(name, channel, purpose) {}

StereoChannelDesc::StereoChannelDesc(const std::string& name, bool keepName)
    : ChannelDesc(name, keepName) {}

StereoChannelDesc::StereoChannelDesc(const StereoChannelDesc& other) = default;

// A move copies: the source may still be listed in the registry and must keep its name.
StereoChannelDesc::StereoChannelDesc(StereoChannelDesc&& other)
    : ChannelDesc(other) {}

StereoChannelDesc& StereoChannelDesc::operator=(const StereoChannelDesc& other) = default;

StereoChannelDesc& StereoChannelDesc::operator=(StereoChannelDesc&& other) {
  ChannelDesc::operator=(other);
  return *this;
}

StereoChannelDesc::~StereoChannelDesc() = default;

bool StereoChannelDesc::visible() const {
  return KX::Image::OutputContext::hasMultipleViews(nullptr);
}

} // namespace Velloro::Image
