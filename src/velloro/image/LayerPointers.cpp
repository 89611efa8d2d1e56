#include <velloro/image/LayerPointers.h>

#include <velloro/image/ChannelDesc.h>
#include <velloro/image/ChannelVector.h>
#include <velloro/image/Layer.h>
#include <velloro/image/internal/ChannelRegistry.h>

#include <KXImage/ChannelHooks.h>

namespace Velloro::Image {

namespace {

using KX::Image::Channel;

Channel getChannel(const char* name, bool sorted) {
  const ChannelDescPtr descriptor = ChannelDesc::create(name, sorted);
  return descriptor ? descriptor->assignChannel() : KX::Image::eChannelNone;
}

Channel findChannel(const char* name) {
  const ChannelDescPtr descriptor = channels[name];
  return descriptor ? descriptor->channel() : KX::Image::eChannelNone;
}

unsigned getChannelCount() {
  return unsigned(ChannelRegistry::get().table().size());
}

const char* getName(Channel channel) {
  const ChannelDescPtr descriptor = channels[channel];
  return descriptor ? descriptor->name().c_str() : nullptr;
}

const char* getLayerName(Channel channel) {
  const ChannelDescPtr descriptor = channels[channel];
  return descriptor ? descriptor->layerName() : nullptr;
}

unsigned colourIndex(Channel channel, const char* layerName) {
  if (layerName != nullptr) {
    if (const LayerPtr layer = ChannelRegistry::get().findLayer(layerName)) {
      return unsigned(layer->index(channel));
    }
  }
  const ChannelDescPtr descriptor = channels[channel];
  return descriptor ? descriptor->colourIndex() : 3;
}

Channel brother(Channel channel, unsigned index) {
  const ChannelDescPtr descriptor = channels[channel];
  return descriptor ? descriptor->brother(index) : KX::Image::eChannelNone;
}

// Channels without a descriptor are not the registry's to order; they go last, by number, so
// that the answer stays a consistent order.
template <bool Legacy> bool compareChannels(Channel a, Channel b) {
  const ChannelDescPtr descriptorA = channels[a];
  const ChannelDescPtr descriptorB = channels[b];
  if (!descriptorA || !descriptorB) {
    return descriptorA ? true : (descriptorB ? false : a < b);
  }
  return ChannelRegistry::compareByPurpose(*descriptorA, *descriptorB, Legacy) < 0;
}

KX::Image::LayerI* getLayer(const std::string& name) {
  return ChannelRegistry::get().lookUpLayer(name).get();
}

} // namespace

void setLayerPointers() {
  KX::Image::pGetChannel = getChannel;
  KX::Image::pFindChannel = findChannel;
  KX::Image::pGetChannelCount = getChannelCount;
  KX::Image::pGetName = getName;
  KX::Image::pGetLayerName = getLayerName;
  KX::Image::pColourIndex = colourIndex;
  KX::Image::pBrother = brother;
  KX::Image::pCompareChannels =
      ChannelRegistry::get().legacySorting() ? compareChannels<true> : compareChannels<false>;
  KX::Image::pGetLayer = getLayer;
}

} // namespace Velloro::Image
