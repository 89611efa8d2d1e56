#pragma once

#include <velloro/image/Layer.h>

namespace Velloro::Image {

// An ordinary layer.
//
// Threads: GUI thread only, as every layer.
class VELLORO_EXPORT ConcreteLayer : public Layer {
public:
  explicit ConcreteLayer(const std::string& name);
  ConcreteLayer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
                std::shared_ptr<ChannelDesc> c1 = {}, std::shared_ptr<ChannelDesc> c2 = {},
                std::shared_ptr<ChannelDesc> c3 = {});
  ConcreteLayer(const ConcreteLayer& other);
  ConcreteLayer& operator=(const ConcreteLayer& other);
  ~ConcreteLayer() override;
};

} // namespace Velloro::Image
