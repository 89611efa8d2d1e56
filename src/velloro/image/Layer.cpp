#include <velloro/image/Layer.h>

#include <velloro/image/ConcreteLayer.h>
#include <velloro/image/LayerVector.h>
#include <velloro/image/internal/ChannelRegistry.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <utility>

namespace Velloro::Image {

namespace {

using KX::Image::Channel;

std::shared_ptr<const void> newLifetime() {
  return std::make_shared<char>(0);
}

} // namespace

LayerPtr allLayer = ChannelRegistry::get().allLayer();
LayerPtr rgbLayer = ChannelRegistry::get().layers()[0];
LayerPtr rgbaLayer = ChannelRegistry::get().layers()[1];

namespace {

[[maybe_unused]] const int kLayerPtrMetaType = qRegisterMetaType<LayerPtr>("LayerPtr");

} // namespace

Layer::Layer(const std::string& name)
    : m_name(name)
    , m_lifetime(newLifetime()) {}

Layer::Layer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
             std::shared_ptr<ChannelDesc> c1, std::shared_ptr<ChannelDesc> c2,
             std::shared_ptr<ChannelDesc> c3)
    : m_name(name)
    , m_lifetime(newLifetime()) {
  std::array<std::shared_ptr<ChannelDesc>, 4> given = {std::move(c0), std::move(c1), std::move(c2),
                                                       std::move(c3)};
  count = std::min<unsigned>(count, unsigned(given.size()));
  for (unsigned i = 0; i < count; ++i) {
    m_entries.push_back(std::move(given[i]));
    own(i);
  }
}

Layer::Layer(const Layer& other)
    : KX::Image::LayerI(other)
    , std::enable_shared_from_this<Layer>(other)
    , m_name(other.m_name)
    , m_entries(other.m_entries)
    , m_lifetime(newLifetime()) {}

Layer& Layer::operator=(const Layer& other) {
  if (this != &other) {
    const std::string oldName = m_name;
    const bool owned = ownsAny();
    m_name = other.m_name;
    m_entries = other.m_entries;
    if (owned || m_name != oldName) {
      ChannelRegistry& registry = ChannelRegistry::get();
      registry.layerRenamed(*this, oldName);
      registry.orderInvalidated();
    }
  }
  return *this;
}

Layer::~Layer() {
  // The descriptors this layer owned now have none, which moves them in the descriptor list.
  if (ChannelRegistry* registry = ChannelRegistry::live(); registry != nullptr && ownsAny()) {
    registry->orderInvalidated();
  }
}

bool Layer::ownsAny() const {
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [this](const ChannelDescPtr& entry) { return entry && entry->owner() == this; });
}

void Layer::own(unsigned index) {
  const ChannelDescPtr& descriptor = m_entries[index];
  if (descriptor && descriptor->owner() == nullptr) {
    descriptor->setOwner(this, index);
    if (ChannelRegistry* registry = ChannelRegistry::live(); registry != nullptr) {
      registry->ownerChanged(*descriptor);
    }
  }
}

bool Layer::builtIn() const {
  bool occupied = false;
  for (const ChannelDescPtr& entry : m_entries) {
    if (entry) {
      if (!entry->builtIn()) {
        return false;
      }
      occupied = true;
    }
  }
  return occupied;
}

KX::Image::ChannelSet Layer::getChannelSet() const {
  KX::Image::ChannelSet set;
  for (const ChannelDescPtr& entry : m_entries) {
    if (entry) {
      set += entry->channel();
    }
  }
  return set;
}

bool Layer::visible() const {
  return true;
}

LayerPtr Layer::create(const char* name) {
  if (name == nullptr) {
    return {};
  }
  ChannelRegistry& registry = ChannelRegistry::get();
  std::string layerName = name;
  LayerPtr layer = registry.lookUpLayer(layerName);
  if (layer && !registry.remappingDisabled() && layer->builtIn()) {
    layerName += "_extra";
    layer = registry.lookUpLayer(layerName);
  }
  if (!layer) {
    layer = std::make_shared<ConcreteLayer>(layerName);
    registry.addLayer(layer);
  }
  return layer;
}

LayerPtr Layer::get(const char* name) {
  return getLayers()[name];
}

void Layer::ResetToBuiltIn() {
  ChannelRegistry::get().resetLayers();
}

void Layer::name(const char* name) {
  const std::string oldName = m_name;
  m_name = name != nullptr ? name : "";
  ChannelRegistry& registry = ChannelRegistry::get();
  registry.layerRenamed(*this, oldName);
  registry.sortLayers();
  registry.sortDescriptors();
}

Channel Layer::channel(unsigned i) const {
  return i < m_entries.size() && m_entries[i] ? m_entries[i]->channel() : KX::Image::eChannelNone;
}

Channel Layer::assignChannel(unsigned i) {
  return i < m_entries.size() && m_entries[i] ? m_entries[i]->assignChannel() : KX::Image::eChannelNone;
}

int Layer::index(Channel channel) const {
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i] && m_entries[i]->channel() == channel) {
      return int(i);
    }
  }
  return int(m_entries.size()) - 1;
}

int Layer::index(const std::shared_ptr<ChannelDesc>& descriptor) const {
  const auto found = std::find(m_entries.begin(), m_entries.end(), descriptor);
  return found != m_entries.end() ? int(found - m_entries.begin()) : int(m_entries.size()) - 1;
}

bool Layer::intersect(const KX::Image::ChannelSet& set) const {
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [&set](const ChannelDescPtr& entry) { return entry && (set & entry->channel()); });
}

void Layer::add(std::shared_ptr<ChannelDesc> descriptor, bool sorted) {
  if (!descriptor) {
    return;
  }
  const auto empty = std::find(m_entries.begin(), m_entries.end(), nullptr);
  const std::size_t free = std::size_t(empty - m_entries.begin());
  if (empty == m_entries.end()) {
    m_entries.emplace_back();
  }
  if (!sorted) {
    replace(unsigned(free), std::move(descriptor));
    return;
  }
  const bool legacy = ChannelRegistry::get().legacySorting();
  std::size_t place = free;
  for (std::size_t i = 0; i < free; ++i) {
    if (ChannelRegistry::compareByPurpose(*descriptor, *m_entries[i], legacy) < 0) {
      place = i;
      break;
    }
  }
  // Moving a run of this layer's channels up by one keeps their order among themselves and
  // against every other channel, so the descriptor list needs no new sort for it; only a
  // channel listed twice in the layer, whose index is not the entry it moves from, may jump.
  bool jumped = false;
  for (std::size_t i = free; i > place; --i) {
    m_entries[i] = std::move(m_entries[i - 1]);
    ChannelDesc& moved = *m_entries[i];
    if (moved.owner() == this) {
      jumped = jumped || moved.m_index != i - 1;
      moved.m_index = std::uint32_t(i);
    }
  }
  if (jumped) {
    ChannelRegistry::get().orderInvalidated();
  }
  m_entries[place].reset();
  replace(unsigned(place), std::move(descriptor));
}

void Layer::replace(unsigned i, std::shared_ptr<ChannelDesc> descriptor) {
  if (i >= m_entries.size()) {
    m_entries.resize(std::size_t(i) + 1);
  }
  ChannelRegistry& registry = ChannelRegistry::get();
  ChannelDescPtr& entry = m_entries[i];
  if (entry && entry->owner() == this) {
    entry->setOwner(nullptr, 0);
    registry.ownerChanged(*entry);
  }
  entry = std::move(descriptor);
  own(i);
  registry.sortDescriptors();
}

std::ostream& operator<<(std::ostream& stream, const Layer& layer) {
  return stream << layer.name();
}

} // namespace Velloro::Image
