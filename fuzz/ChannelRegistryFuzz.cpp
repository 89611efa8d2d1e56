// Feeds arbitrary names to the channel registry (creating, numbering, looking up, remapping,
// asking through the image SDK's hooks) and checks after every step that the registry still
// holds together. An input is a list of records separated by newlines; the first byte of a
// record picks the operation and the rest is the name, taken byte for byte.
#include <velloro/image/ChannelDesc.h>
#include <velloro/image/ChannelVector.h>
#include <velloro/image/Layer.h>
#include <velloro/image/LayerPointers.h>
#include <velloro/image/LayerVector.h>

#include <KXImage/ChannelHooks.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

using namespace Velloro::Image;
using KX::Image::Channel;

constexpr std::size_t kBuiltInChannels = 22;
constexpr std::size_t kBuiltInLayers = 17;

void require(bool condition, const char* what, const std::string& detail = std::string()) {
  if (!condition) {
    std::fprintf(stderr, "registry invariant broken: %s %s\n", what, detail.c_str());
    std::abort();
  }
}

// The order the descriptor list must show after a change: channels of layers by layer name
// and position, then those without a layer by name.
bool wouldSwap(const ChannelDesc& x, const ChannelDesc& y) {
  const LayerPtr layerX = x.layer();
  const LayerPtr layerY = y.layer();
  if (!layerX || !layerY) {
    return (!layerX && layerY) || (!layerX && !layerY && x.name() > y.name());
  }
  if (layerX != layerY) {
    return layerX->name() > layerY->name();
  }
  return x.layerIndex() > y.layerIndex();
}

void checkInvariants() {
  // Entry c - 1 of the table holds the descriptor whose channel is c.
  const unsigned tableSize = KX::Image::pGetChannelCount();
  require(tableSize <= 1023, "table above the limit");
  for (unsigned c = 1; c <= tableSize; ++c) {
    const ChannelDescPtr descriptor = channels[Channel(c)];
    require(!descriptor || descriptor->channel() == c, "table entry holds another channel",
            std::to_string(c));
  }

  require(channels.size() >= kBuiltInChannels, "built-in channels lost");
  for (std::size_t i = 0; i < channels.size(); ++i) {
    require(bool(channels[i]), "empty descriptor listed");
    if (i < kBuiltInChannels) {
      require(channels[i]->builtIn(), "built-ins not at the head");
    } else if (i > kBuiltInChannels) {
      require(!wouldSwap(*channels[i - 1], *channels[i]), "descriptor list out of order",
              channels[i]->name());
    }
  }

  // Every user channel of a layer is owned by it at its index; layer names are unique.
  LayerVector& layers = getLayers();
  require(layers.size() >= kBuiltInLayers - 1, "built-in layers lost");
  std::set<std::string> names;
  for (std::size_t l = 0; l < layers.size(); ++l) {
    const LayerPtr& layer = layers[l];
    require(names.insert(layer->name()).second, "layer name listed twice", layer->name());
    if (l > kBuiltInLayers) {
      require(layers[l - 1]->name() <= layer->name(), "layer list out of order", layer->name());
    }
    for (unsigned i = 0; i < layer->size(); ++i) {
      const ChannelDescPtr& entry = (*layer)[i];
      require(bool(entry), "empty layer entry", layer->name());
      if (!entry->builtIn()) {
        require(entry->layer() == layer && entry->layerIndex() == i, "user channel not owned at its index",
                entry->name());
      }
    }
  }
}

void runRecord(unsigned char operation, const std::string& name) {
  const char* text = name.c_str();
  switch (operation % 8) {
  case 0:
  case 1: {
    const ChannelDescPtr descriptor = ChannelDesc::create(text, operation % 2 == 0);
    require(bool(descriptor), "create gave nothing", name);
    require(channels[text] == descriptor, "a created name does not look up to its channel", name);
    break;
  }
  case 2: {
    const Channel channel = KX::Image::pGetChannel(text, true);
    require(channel == KX::Image::pFindChannel(text), "hooks disagree on a channel", name);
    if (channel != KX::Image::eChannelNone) {
      require(KX::Image::pGetName(channel) != nullptr, "numbered channel without a name", name);
      KX::Image::pGetLayerName(channel);
      KX::Image::pColourIndex(channel, nullptr);
      KX::Image::pBrother(channel, unsigned(name.size()));
      KX::Image::pCompareChannels(channel, KX::Image::eChannelRed);
    }
    break;
  }
  case 3:
    channels[text];
    break;
  case 4: {
    const std::string remapped = ChannelDesc::RemapName(name);
    require(remapped.find('.') != std::string::npos, "remapped name without a layer", name);
    ChannelDesc::purpose(text);
    ChannelDesc::LayerName(remapped);
    break;
  }
  case 5:
    require(bool(Layer::create(text)), "layer create gave nothing", name);
    break;
  case 6:
    Layer::get(text);
    KX::Image::pGetLayer(name);
    break;
  case 7:
    if (const ChannelDescPtr descriptor = channels[text]) {
      descriptor->assignChannel();
      KX::Image::pColourIndex(descriptor->channel(), descriptor->layerName());
    }
    break;
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setLayerPointers();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ChannelDesc::ResetToBuiltIn();
  Layer::ResetToBuiltIn();
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) {
      end = input.size();
    }
    if (end > start) {
      runRecord(static_cast<unsigned char>(input[start]), input.substr(start + 1, end - start - 1));
      checkInvariants();
    }
    start = end + 1;
  }
  return 0;
}
