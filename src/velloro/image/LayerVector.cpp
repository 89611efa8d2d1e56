#include <velloro/image/LayerVector.h>

#include <velloro/image/internal/ChannelRegistry.h>

namespace Velloro::Image {

LayerPtr LayerVector::operator[](const char* name) const {
  return name != nullptr ? ChannelRegistry::get().lookUpLayer(name) : LayerPtr();
}

const LayerPtr& LayerVector::operator[](std::size_t i) const {
  return ChannelRegistry::get().layers()[i];
}

std::size_t LayerVector::size() const {
  return ChannelRegistry::get().layers().size();
}

LayerVector& getLayers() {
  static LayerVector layers;
  return layers;
}

} // namespace Velloro::Image
