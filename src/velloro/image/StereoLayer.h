#pragma once

#include <velloro/image/ConcreteLayer.h>

namespace Velloro::Image {

// A layer of the stereo disparity channels.
//
// Threads: GUI thread only, as every layer.
class VELLORO_EXPORT StereoLayer : public ConcreteLayer {
public:
  explicit StereoLayer(const std::string& name);
  StereoLayer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
              std::shared_ptr<ChannelDesc> c1 = {}, std::shared_ptr<ChannelDesc> c2 = {},
              std::shared_ptr<ChannelDesc> c3 = {});
  StereoLayer(const StereoLayer& other);
  StereoLayer& operator=(const StereoLayer& other);
  ~StereoLayer() override;
};

} // namespace Velloro::Image
