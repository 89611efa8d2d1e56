#include <velloro/image/ConcreteChannelDesc.h>

namespace Velloro::Image {

ConcreteChannelDesc::ConcreteChannelDesc(const std::string& name, KX::Image::Channel channel,
                                         KX::Image::Channel purpose)
    : ChannelDesc(name, channel, purpose) {}

ConcreteChannelDesc::ConcreteChannelDesc(const std::string& name, bool keepName)
    : ChannelDesc(name, keepName) {}

ConcreteChannelDesc::ConcreteChannelDesc(const ConcreteChannelDesc& other) = default;

ConcreteChannelDesc& ConcreteChannelDesc::operator=(const ConcreteChannelDesc& other) = default;

ConcreteChannelDesc::~ConcreteChannelDesc() = default;

} // namespace Velloro::Image
