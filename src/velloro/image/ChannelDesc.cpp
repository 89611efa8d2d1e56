#include <velloro/image/ChannelDesc.h>

#include <velloro/image/ChannelVector.h>
#include <velloro/image/ConcreteChannelDesc.h>
#include <velloro/image/Layer.h>
#include <velloro/image/internal/ChannelRegistry.h>

#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <locale>
#include <ostream>
#include <string_view>
#include <utility>

namespace Velloro::Image {

namespace {

using KX::Image::Channel;

constexpr std::array<std::pair<const char*, const char*>, 4> kAliases = {{
    {"rgb.red", "rgba.red"},
    {"rgb.green", "rgba.green"},
    {"rgb.blue", "rgba.blue"},
    {"rbg.alpha", "rgba.alpha"},
}};

const char* afterLastDot(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return name.c_str() + (dot == std::string::npos ? 0 : dot + 1);
}

} // namespace

ChannelDesc::ChannelDesc(const std::string& name, Channel channel, Channel purpose)
    : m_name(name)
    , m_channel(channel)
    , m_purpose(purpose) {}

ChannelDesc::ChannelDesc(const std::string& name, bool keepName)
    : m_name(keepName ? name : RemapName(name))
    , m_purpose(purpose(afterLastDot(m_name))) {}

ChannelDesc::ChannelDesc(const ChannelDesc& other)
    : std::enable_shared_from_this<ChannelDesc>(other)
    , m_name(other.m_name)
    , m_channel(other.m_channel)
    , m_purpose(other.m_purpose)
    , m_layerLifetime(other.m_layerLifetime)
    , m_layer(other.m_layer)
    , m_index(other.m_index) {}

ChannelDesc& ChannelDesc::operator=(const ChannelDesc& other) {
  if (this != &other) {
    const std::string oldName = m_name;
    m_name = other.m_name;
    m_channel = other.m_channel;
    m_purpose = other.m_purpose;
    m_layerLifetime = other.m_layerLifetime;
    m_layer = other.m_layer;
    m_index = other.m_index;
    ChannelRegistry& registry = ChannelRegistry::get();
    registry.descriptorRenamed(*this, oldName);
    registry.ownerChanged(*this);
  }
  return *this;
}

ChannelDesc::~ChannelDesc() = default;

bool ChannelDesc::visible() const {
  return true;
}

std::shared_ptr<ChannelDesc> ChannelDesc::create(const char* name, bool sorted) {
  if (name == nullptr) {
    return {};
  }
  if (ChannelDescPtr found = channels[name]) {
    return found;
  }
  const std::string remapped = RemapName(name);
  const LayerPtr layer = Layer::create(LayerName(remapped).c_str());
  auto descriptor = std::make_shared<ConcreteChannelDesc>(remapped, false);
  ChannelRegistry::get().appendDescriptor(descriptor);
  layer->add(descriptor, sorted);
  return descriptor;
}

std::shared_ptr<ChannelDesc> ChannelDesc::createNew(const char* name, bool keepName) {
  auto descriptor = std::make_shared<ConcreteChannelDesc>(name != nullptr ? name : "", keepName);
  ChannelRegistry::get().appendDescriptor(descriptor);
  return descriptor;
}

std::string ChannelDesc::RemapName(const std::string& name) {
  std::string result = name;
  for (const auto& [alias, target] : kAliases) {
    if (result == alias) {
      result = target;
      break;
    }
  }
  const std::size_t dot = result.find('.');
  if (dot == std::string::npos) {
    return "other." + result;
  }
  const ChannelRegistry& registry = ChannelRegistry::get();
  if (registry.remappingDisabled()) {
    return result;
  }
  std::string layerName = result.substr(0, dot);
  const LayerPtr layer = registry.lookUpLayer(layerName);
  // A new channel never joins a built-in layer: it goes to the layer's "_extra" twin.
  if (layer && layer->builtIn()) {
    bool known = false;
    for (unsigned i = 0; i < layer->size() && !known; ++i) {
      known = (*layer)[i] && (*layer)[i]->name() == result;
    }
    if (!known) {
      layerName += "_extra";
    }
  }
  return layerName + result.substr(dot);
}

bool RemapKeepsName(std::string_view name) {
  for (const auto& [alias, target] : kAliases) {
    if (name == alias) {
      return false;
    }
  }
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) {
    return false;
  }
  const ChannelRegistry& registry = ChannelRegistry::get();
  if (registry.remappingDisabled()) {
    return true;
  }
  const Layer* layer = registry.peekLayer(name.substr(0, dot));
  if (layer == nullptr || !layer->builtIn()) {
    return true;
  }
  for (unsigned i = 0; i < layer->size(); ++i) {
    if ((*layer)[i] && (*layer)[i]->name() == name) {
      return true;
    }
  }
  return false;
}

std::string ChannelDesc::LayerName(const std::string& name) {
  const std::size_t dot = name.find('.');
  return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

Channel ChannelDesc::purpose(const char* name) {
  if (name == nullptr || name[0] == '\0') {
    return KX::Image::eChannelNone;
  }
  static constexpr std::array<const char*, 4> kColourNames = {"red", "green", "blue", "alpha"};
  const std::locale& classic = std::locale::classic();
  if (name[1] == '\0') {
    const char letter = std::tolower(name[0], classic);
    for (std::size_t i = 0; i < kColourNames.size(); ++i) {
      if (letter == kColourNames[i][0]) {
        return Channel(i + 1);
      }
    }
    return KX::Image::eChannelNone;
  }
  for (std::size_t i = 0; i < kColourNames.size(); ++i) {
    if (boost::algorithm::iequals(name, kColourNames[i], classic)) {
      return Channel(i + 1);
    }
  }
  return KX::Image::eChannelNone;
}

bool ChannelDesc::IsChannelRemappingDisabled() {
  return ChannelRegistry::get().remappingDisabled();
}

void ChannelDesc::ResetToBuiltIn() {
  ChannelRegistry::get().resetDescriptors();
}

Channel ChannelDesc::assignChannel() {
  return ChannelRegistry::get().assignChannel(*this);
}

bool ChannelDesc::builtIn() const {
  return m_channel != KX::Image::eChannelNone && m_channel <= ChannelRegistry::kBuiltInDescriptorCount;
}

unsigned ChannelDesc::colourIndex() const {
  return owner() != nullptr && m_index < 3 ? m_index : 3;
}

Layer* ChannelDesc::owner() const {
  return m_layer != nullptr && !m_layerLifetime.expired() ? m_layer : nullptr;
}

void ChannelDesc::setOwner(Layer* layer, unsigned index) {
  m_layer = layer;
  m_layerLifetime = layer != nullptr ? layer->m_lifetime : std::weak_ptr<const void>();
  m_index = index;
}

std::shared_ptr<Layer> ChannelDesc::layer() const {
  Layer* layer = owner();
  return layer != nullptr ? layer->weak_from_this().lock() : nullptr;
}

const char* ChannelDesc::layerName() const {
  const Layer* layer = owner();
  return layer != nullptr ? layer->nameCStr() : nullptr;
}

const char* ChannelDesc::subname() const {
  return afterLastDot(m_name);
}

void ChannelDesc::name(const char* name) {
  const std::string oldName = m_name;
  m_name = RemapName(name != nullptr ? name : "");
  m_purpose = purpose(subname());
  ChannelRegistry::get().descriptorRenamed(*this, oldName);
}

Channel ChannelDesc::brother(unsigned index) const {
  const Layer* layer = owner();
  return layer != nullptr ? layer->channel(index) : KX::Image::eChannelNone;
}

std::ostream& operator<<(std::ostream& stream, const ChannelDesc& descriptor) {
  return stream << descriptor.name();
}

} // namespace Velloro::Image
