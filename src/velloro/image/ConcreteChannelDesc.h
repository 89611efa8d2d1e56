#pragma once

#include <velloro/image/ChannelDesc.h>

namespace Velloro::Image {

// The descriptor of an ordinary channel.
//
// Threads: GUI thread only, as every descriptor.
class VELLORO_EXPORT ConcreteChannelDesc : public ChannelDesc {
public:
  ConcreteChannelDesc(const std::string& name, KX::Image::Channel channel, KX::Image::Channel purpose);
  ConcreteChannelDesc(const std::string& name, bool keepName);
  ConcreteChannelDesc(const ConcreteChannelDesc& other);
  ConcreteChannelDesc& operator=(const ConcreteChannelDesc& other);
  ~ConcreteChannelDesc() override;
};

} // namespace Velloro::Image
