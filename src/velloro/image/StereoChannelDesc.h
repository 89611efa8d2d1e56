#pragma once

#include <velloro/image/ChannelDesc.h>

namespace Velloro::Image {

// A channel that only exists for stereo work, such as the disparity channels: shown only while
// the script has several views.
//
// Threads: GUI thread only, as every descriptor.
class VELLORO_EXPORT StereoChannelDesc : public ChannelDesc {
public:
  ~StereoChannelDesc() override;
  bool visible() const override;

protected:
  StereoChannelDesc(const std::string& name, KX::Image::Channel channel, KX::Image::Channel purpose);
  StereoChannelDesc(const std::string& name, bool keepName);
  StereoChannelDesc(const StereoChannelDesc& other);
  StereoChannelDesc(StereoChannelDesc&& other);
  StereoChannelDesc& operator=(const StereoChannelDesc& other);
  StereoChannelDesc& operator=(StereoChannelDesc&& other);
};

} // namespace Velloro::Image
