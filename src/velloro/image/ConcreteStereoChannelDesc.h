#pragma once

#include <velloro/image/StereoChannelDesc.h>

namespace Velloro::Image {

// The descriptor of a stereo-only channel (see StereoChannelDesc).
//
// Threads: GUI thread only, as every descriptor.
class VELLORO_EXPORT ConcreteStereoChannelDesc : public StereoChannelDesc {
public:
  ConcreteStereoChannelDesc(const std::string& name, KX::Image::Channel channel, KX::Image::Channel purpose);
  ConcreteStereoChannelDesc(const std::string& name, bool keepName);
  ConcreteStereoChannelDesc(const ConcreteStereoChannelDesc& other);
  ConcreteStereoChannelDesc& operator=(const ConcreteStereoChannelDesc& other);
  ~ConcreteStereoChannelDesc() override;
};

} // namespace Velloro::Image
