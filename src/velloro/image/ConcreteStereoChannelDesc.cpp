#include <velloro/image/ConcreteStereoChannelDesc.h>

namespace Velloro::Image {

ConcreteStereoChannelDesc::ConcreteStereoChannelDesc(const std::string& name, KX::Image::Channel channel,
                                                     KX::Image::Channel purpose)
    : StereoChannelDesc(name, channel, purpose) {}

ConcreteStereoChannelDesc::ConcreteStereoChannelDesc(const std::string& name, bool keepName)
    : StereoChannelDesc(name, keepName) {}

ConcreteStereoChannelDesc::ConcreteStereoChannelDesc(const ConcreteStereoChannelDesc& other) = default;

ConcreteStereoChannelDesc&
ConcreteStereoChannelDesc::operator=(const ConcreteStereoChannelDesc& other) = default;

ConcreteStereoChannelDesc::~ConcreteStereoChannelDesc() = default;

} // namespace Velloro::Image
