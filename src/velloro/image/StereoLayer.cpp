#include <velloro/image/StereoLayer.h>

#include <utility>

namespace Velloro::Image {

StereoLayer::StereoLayer(const std::string& name)
    : ConcreteLayer(name) {}

StereoLayer::StereoLayer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
                         std::shared_ptr<ChannelDesc> c1, std::shared_ptr<ChannelDesc> c2,
                         std::shared_ptr<ChannelDesc> c3)
    : ConcreteLayer(name, count, std::move(c0), std::move(c1), std::move(c2), std::move(c3)) {}

StereoLayer::StereoLayer(const StereoLayer& other) = default;

StereoLayer& StereoLayer::operator=(const StereoLayer& other) = default;

StereoLayer::~StereoLayer() = default;

} // namespace Velloro::Image
