#include <velloro/image/ConcreteLayer.h>

#include <utility>

namespace Velloro::Image {

ConcreteLayer::ConcreteLayer(const std::string& name)
    : Layer(name) {}

ConcreteLayer::ConcreteLayer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
                             std::shared_ptr<ChannelDesc> c1, std::shared_ptr<ChannelDesc> c2,
                             std::shared_ptr<ChannelDesc> c3)
    : Layer(name, count, std::move(c0), std::move(c1), std::move(c2), std::move(c3)) {}

ConcreteLayer::ConcreteLayer(const ConcreteLayer& other) = default;

ConcreteLayer& ConcreteLayer::operator=(const ConcreteLayer& other) = default;

ConcreteLayer::~ConcreteLayer() = default;

} // namespace Velloro::Image
