#include <KXImage/ChannelHooks.h>

#include <array>
#include <cstring>

namespace KX::Image {

namespace {

// The SDK's own channel model: rgba and nothing else.
constexpr std::array<const char*, 4> kFullNames = {"rgba.red", "rgba.green", "rgba.blue", "rgba.alpha"};
constexpr const char* kLayerName = "rgba";

bool isRgba(Channel channel) {
  return channel >= eChannelRed && channel <= eChannelAlpha;
}

class RgbaLayer final : public LayerI {
public:
  bool builtIn() const override { return true; }
  ChannelSet getChannelSet() const override { return ChannelSet(eMaskRGBA); }
  const std::string& name() const override { return m_name; }
  bool visible() const override { return true; }

private:
  std::string m_name = kLayerName;
};

Channel findChannel(const char* name) {
  if (name == nullptr) {
    return eChannelNone;
  }
  for (std::size_t i = 0; i < kFullNames.size(); ++i) {
    // Both "rgba.red" and "red" name the red channel.
    const char* fullName = kFullNames[i];
    if (std::strcmp(name, fullName) == 0 || std::strcmp(name, fullName + std::strlen(kLayerName) + 1) == 0) {
      return Channel(i + 1);
    }
  }
  return eChannelNone;
}

Channel getChannel(const char* name, bool) {
  return findChannel(name);
}

unsigned getChannelCount() {
  return unsigned(kFullNames.size());
}

const char* getName(Channel channel) {
  return isRgba(channel) ? kFullNames[channel - 1] : nullptr;
}

const char* getLayerName(Channel channel) {
  return isRgba(channel) ? kLayerName : nullptr;
}

unsigned colourIndex(Channel channel, const char*) {
  return isRgba(channel) ? channel - 1 : 3;
}

Channel brotherChannel(Channel channel, unsigned index) {
  return isRgba(channel) && index < kFullNames.size() ? Channel(index + 1) : eChannelNone;
}

bool compareChannels(Channel a, Channel b) {
  return a < b;
}

LayerI* getLayer(const std::string& name) {
  static RgbaLayer rgba;
  return name == kLayerName ? &rgba : nullptr;
}

} // namespace

Channel (*pGetChannel)(const char*, bool) = getChannel;
Channel (*pFindChannel)(const char*) = findChannel;
unsigned (*pGetChannelCount)() = getChannelCount;
const char* (*pGetName)(Channel) = getName;
const char* (*pGetLayerName)(Channel) = getLayerName;
unsigned (*pColourIndex)(Channel, const char*) = colourIndex;
Channel (*pBrother)(Channel, unsigned) = brotherChannel;
bool (*pCompareChannels)(Channel, Channel) = compareChannels;
LayerI* (*pGetLayer)(const std::string&) = getLayer;

} // namespace KX::Image
