#include <velloro/image/internal/ChannelRegistry.h>

#include <velloro/image/ConcreteChannelDesc.h>
#include <velloro/image/ConcreteLayer.h>
#include <velloro/image/ConcreteStereoChannelDesc.h>
#include <velloro/image/StereoLayer.h>

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <locale>
#include <string_view>
#include <unordered_map>

namespace Velloro::Image {

namespace {

using KX::Image::Channel;

ChannelRegistry* sLive = nullptr;

struct BuiltInChannel {
  const char* name;
  std::uint32_t channel;
  std::uint32_t purpose;
  bool stereo;
};

// In registration order, which is also their order at the head of the descriptor list.
constexpr std::array<BuiltInChannel, ChannelRegistry::kBuiltInDescriptorCount> kBuiltInChannels = {{
    {"rgba.red", 1, 1, false},
    {"rgba.green", 2, 2, false},
    {"rgba.blue", 3, 3, false},
    {"rgba.alpha", 4, 4, false},
    {"depth.Z", 5, 5, false},
    {"forward.u", 6, 6, false},
    {"forward.v", 7, 7, false},
    {"backward.u", 8, 6, false},
    {"backward.v", 9, 7, false},
    {"deep.front", 16, 16, false},
    {"deep.back", 17, 17, false},
    {"disparityL.x", 10, 6, true},
    {"disparityL.y", 11, 7, true},
    {"disparityR.x", 12, 6, true},
    {"disparityR.y", 13, 7, true},
    {"mask.a", 14, 4, false},
    {"rotopaint_mask.a", 15, 4, false},
    {"mask_planartrack.a", 18, 4, false},
    {"mask_splinewarp.a", 19, 4, false},
    {"sample.coverage", 20, 20, false},
    {"cutout.alpha", 21, 4, false},
    {"cutout.depth", 22, 5, false},
}};

struct BuiltInLayer {
  const char* name;
  std::array<const char*, 4> channels;
  bool stereo;
};

// In registration order; each layer owns the channels that no earlier layer took.
constexpr std::array<BuiltInLayer, ChannelRegistry::kBuiltInLayerCount> kBuiltInLayers = {{
    {"rgb", {"rgba.red", "rgba.green", "rgba.blue"}, false},
    {"rgba", {"rgba.red", "rgba.green", "rgba.blue", "rgba.alpha"}, false},
    {"alpha", {"rgba.alpha"}, false},
    {"depth", {"depth.Z"}, false},
    {"motion", {"forward.u", "forward.v", "backward.u", "backward.v"}, false},
    {"forward", {"forward.u", "forward.v"}, false},
    {"backward", {"backward.u", "backward.v"}, false},
    {"disparity", {"disparityL.x", "disparityL.y", "disparityR.x", "disparityR.y"}, true},
    {"disparityL", {"disparityL.x", "disparityL.y"}, true},
    {"disparityR", {"disparityR.x", "disparityR.y"}, true},
    {"mask", {"mask.a"}, false},
    {"rotopaint_mask", {"rotopaint_mask.a"}, false},
    {"mask_planartrack", {"mask_planartrack.a"}, false},
    {"mask_splinewarp", {"mask_splinewarp.a"}, false},
    {"sample", {"sample.coverage"}, false},
    {"cutout", {"cutout.alpha", "cutout.depth"}, false},
    {"deep", {"deep.front", "deep.back"}, false},
}};

std::string lowerCase(const std::string& text) {
  return boost::algorithm::to_lower_copy(text, std::locale::classic());
}

// The difference of two purposes as the SDK reads it: 32-bit, negative when the top bit is set.
int purposeDifference(std::uint32_t a, std::uint32_t b) {
  return std::int32_t(a - b) < 0 ? -1 : (a == b ? 0 : 1);
}

int compareNames(const std::string& a, const std::string& b) {
  const int result = a.compare(b);
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

bool layerListsBefore(const LayerPtr& a, const LayerPtr& b) {
  return a->name() < b->name();
}

template <typename Bucket, typename Item> bool removeFrom(Bucket& bucket, const Item* item) {
  const auto found = std::find(bucket.begin(), bucket.end(), item);
  if (found == bucket.end()) {
    return false;
  }
  bucket.erase(found);
  return true;
}

// Forces the registry into being when the library loads.
[[maybe_unused]] const bool kBuiltAtLoad = (ChannelRegistry::get(), true);

} // namespace

ChannelRegistry& ChannelRegistry::get() {
  // While the registry builds itself, its own calls land here and must not re-enter the static.
  if (sLive != nullptr) {
    return *sLive;
  }
  static ChannelRegistry registry;
  return registry;
}

ChannelRegistry* ChannelRegistry::live() {
  return sLive;
}

ChannelRegistry::ChannelRegistry()
    : m_remappingDisabled(std::getenv("ORVIK_DISABLE_CHANNEL_REMAPPING") != nullptr)
    , m_legacySorting(std::getenv("ORVIK_LEGACY_CHANNEL_SORTING") != nullptr) {
  sLive = this;
  registerBuiltIns();
}

ChannelRegistry::~ChannelRegistry() {
  sLive = nullptr;
}

void ChannelRegistry::registerBuiltIns() {
  for (const BuiltInChannel& builtIn : kBuiltInChannels) {
    ChannelDescPtr descriptor;
    if (builtIn.stereo) {
      descriptor = std::make_shared<ConcreteStereoChannelDesc>(builtIn.name, Channel(builtIn.channel),
                                                               Channel(builtIn.purpose));
    } else {
      descriptor = std::make_shared<ConcreteChannelDesc>(builtIn.name, Channel(builtIn.channel),
                                                         Channel(builtIn.purpose));
    }
    appendDescriptor(descriptor);
    if (m_table.size() < builtIn.channel) {
      m_table.resize(builtIn.channel);
    }
    m_table[builtIn.channel - 1] = descriptor;
  }
  m_cursor = m_table.size();
  m_sortedEnd = m_descriptors.size();

  for (const BuiltInLayer& builtIn : kBuiltInLayers) {
    std::array<ChannelDescPtr, 4> entries;
    unsigned count = 0;
    for (const char* channelName : builtIn.channels) {
      if (channelName != nullptr) {
        entries[count++] = findByFullName(channelName);
      }
    }
    LayerPtr layer;
    if (builtIn.stereo) {
      layer =
          std::make_shared<StereoLayer>(builtIn.name, count, entries[0], entries[1], entries[2], entries[3]);
    } else {
      layer = std::make_shared<ConcreteLayer>(builtIn.name, count, entries[0], entries[1], entries[2],
                                              entries[3]);
    }
    m_layers.push_back(layer);
    m_layersByName[layer->name()].push_back(layer.get());
  }
  m_allLayer = std::make_shared<ConcreteLayer>("all");
}

void ChannelRegistry::appendDescriptor(const ChannelDescPtr& descriptor) {
  m_descriptors.push_back(descriptor);
  indexDescriptor(*descriptor);
}

void ChannelRegistry::indexDescriptor(const ChannelDesc& descriptor) {
  m_byFullName[descriptor.name()].push_back(&descriptor);
  m_bySubname[lowerCase(descriptor.subname())].push_back(&descriptor);
}

bool ChannelRegistry::unindexDescriptor(const ChannelDesc& descriptor, const std::string& name) {
  const auto byName = m_byFullName.find(name);
  if (byName == m_byFullName.end() || !removeFrom(byName->second, &descriptor)) {
    return false;
  }
  if (byName->second.empty()) {
    m_byFullName.erase(byName);
  }
  const std::size_t dot = name.rfind('.');
  const auto bySubname = m_bySubname.find(lowerCase(dot == std::string::npos ? name : name.substr(dot + 1)));
  if (bySubname != m_bySubname.end() && removeFrom(bySubname->second, &descriptor) &&
      bySubname->second.empty()) {
    m_bySubname.erase(bySubname);
  }
  return true;
}

void ChannelRegistry::reindexDescriptors() {
  m_byFullName.clear();
  m_bySubname.clear();
  for (const ChannelDescPtr& descriptor : m_descriptors) {
    indexDescriptor(*descriptor);
  }
}

ChannelDescPtr ChannelRegistry::findByFullName(std::string_view fullName) const {
  const auto found = m_byFullName.find(fullName);
  if (found == m_byFullName.end()) {
    return {};
  }
  if (found->second.size() == 1) {
    return std::const_pointer_cast<ChannelDesc>(found->second.front()->shared_from_this());
  }
  // Several descriptors share the name: the one listed last wins.
  for (auto it = m_descriptors.rbegin(); it != m_descriptors.rend(); ++it) {
    if ((*it)->name() == fullName) {
      return *it;
    }
  }
  return {};
}

ChannelDescPtr ChannelRegistry::findBySubname(const std::string& name) const {
  if (name.find('.') != std::string::npos) {
    return {};
  }
  const auto found = m_bySubname.find(lowerCase(name));
  if (found == m_bySubname.end()) {
    return {};
  }
  if (found->second.size() == 1) {
    return std::const_pointer_cast<ChannelDesc>(found->second.front()->shared_from_this());
  }
  // Several descriptors share the channel name: the one listed first wins.
  const std::locale& classic = std::locale::classic();
  for (const ChannelDescPtr& descriptor : m_descriptors) {
    if (boost::algorithm::iequals(descriptor->subname(), name, classic)) {
      return descriptor;
    }
  }
  return {};
}

void ChannelRegistry::descriptorRenamed(const ChannelDesc& descriptor, const std::string& oldName) {
  if (unindexDescriptor(descriptor, oldName)) {
    indexDescriptor(descriptor);
    // The name places a descriptor without a layer.
    if (!descriptor.owner()) {
      ownerChanged(descriptor);
    }
  }
}

bool ChannelRegistry::inUnsortedTail(const ChannelDesc& descriptor) const {
  for (std::size_t i = m_sortedEnd; i < m_descriptors.size(); ++i) {
    if (m_descriptors[i].get() == &descriptor) {
      return true;
    }
  }
  return false;
}

void ChannelRegistry::ownerChanged(const ChannelDesc& descriptor) {
  // The built-ins keep their place at the head, and the tail is placed by the next sort anyway.
  if (!descriptor.builtIn() && !inUnsortedTail(descriptor)) {
    m_descriptorsNeedFullSort = true;
  }
}

void ChannelRegistry::sortDescriptors() {
  const auto sortedBegin =
      m_descriptors.begin() + std::ptrdiff_t(std::min(kBuiltInDescriptorCount, m_descriptors.size()));
  if (m_descriptorsNeedFullSort || m_sortedEnd < kBuiltInDescriptorCount) {
    m_layerNamesRepeat = layerNamesRepeat();
    if (m_layerNamesRepeat) {
      bubbleSortDescriptors();
    } else {
      std::stable_sort(sortedBegin, m_descriptors.end(), listsBefore);
    }
  } else {
    // Everything before the tail is in order: file each new descriptor behind its equals,
    // where a stable sort would put it; while layer names repeat, let it sink from the end as
    // far as the bubble sort's swaps take it.
    std::vector<ChannelDescPtr> tail(
        std::make_move_iterator(m_descriptors.begin() + std::ptrdiff_t(m_sortedEnd)),
        std::make_move_iterator(m_descriptors.end()));
    m_descriptors.resize(m_sortedEnd);
    for (ChannelDescPtr& descriptor : tail) {
      m_layerNamesRepeat = m_layerNamesRepeat || sharesNameWithAnotherLayer(*descriptor);
      const auto sortedStart = m_descriptors.begin() + std::ptrdiff_t(kBuiltInDescriptorCount);
      if (!m_layerNamesRepeat) {
        const auto place = std::upper_bound(sortedStart, m_descriptors.end(), descriptor, listsBefore);
        m_descriptors.insert(place, std::move(descriptor));
        continue;
      }
      auto place = m_descriptors.end();
      while (place != sortedStart && swapsInList(**std::prev(place), *descriptor)) {
        --place;
      }
      m_descriptors.insert(place, std::move(descriptor));
    }
  }
  m_sortedEnd = m_descriptors.size();
  m_descriptorsNeedFullSort = false;
}

bool ChannelRegistry::swapsInList(const ChannelDesc& x, const ChannelDesc& y) {
  const Layer* layerX = x.owner();
  const Layer* layerY = y.owner();
  if (layerX == nullptr || layerY == nullptr) {
    return layerX == nullptr && (layerY != nullptr || x.name() > y.name());
  }
  return layerX != layerY ? layerX->name() > layerY->name() : x.layerIndex() > y.layerIndex();
}

bool ChannelRegistry::layerNamesRepeat() const {
  std::unordered_map<std::string_view, const Layer*> owners;
  for (const ChannelDescPtr& descriptor : m_descriptors) {
    if (const Layer* owner = descriptor->owner()) {
      const auto [known, added] = owners.emplace(owner->name(), owner);
      if (!added && known->second != owner) {
        return true;
      }
    }
  }
  return false;
}

bool ChannelRegistry::sharesNameWithAnotherLayer(const ChannelDesc& descriptor) const {
  const Layer* owner = descriptor.owner();
  if (owner == nullptr) {
    return false;
  }
  // The sorted part lists the channels of one layer name together.
  const std::string& name = owner->name();
  const auto sortedStart =
      m_descriptors.begin() + std::ptrdiff_t(std::min(kBuiltInDescriptorCount, m_sortedEnd));
  const auto sortedEnd = m_descriptors.begin() + std::ptrdiff_t(m_sortedEnd);
  auto entry =
      std::lower_bound(sortedStart, sortedEnd, name, [](const ChannelDescPtr& listed, const std::string& n) {
        return listed->owner() != nullptr && listed->owner()->name() < n;
      });
  for (; entry != sortedEnd && (*entry)->owner() != nullptr && (*entry)->owner()->name() == name; ++entry) {
    if ((*entry)->owner() != owner) {
      return true;
    }
  }
  return false;
}

// Passes over neighbouring pairs until one swaps nothing, as the order was first written.
void ChannelRegistry::bubbleSortDescriptors() {
  const std::size_t begin = std::min(kBuiltInDescriptorCount, m_descriptors.size());
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = begin + 1; i < m_descriptors.size(); ++i) {
      if (swapsInList(*m_descriptors[i - 1], *m_descriptors[i])) {
        std::swap(m_descriptors[i - 1], m_descriptors[i]);
        swapped = true;
      }
    }
  }
}

void ChannelRegistry::resetDescriptors() {
  std::vector<ChannelDescPtr> kept;
  for (ChannelDescPtr& descriptor : m_descriptors) {
    if (descriptor->builtIn()) {
      kept.push_back(std::move(descriptor));
    }
  }
  m_descriptors = std::move(kept);
  reindexDescriptors();

  m_table.clear();
  for (const ChannelDescPtr& descriptor : m_descriptors) {
    const std::size_t entry = descriptor->channel() - 1;
    if (m_table.size() <= entry) {
      m_table.resize(entry + 1);
    }
    m_table[entry] = descriptor;
  }
  m_cursor = m_table.size();
  m_sortedEnd = m_descriptors.size();
  m_descriptorsNeedFullSort = m_descriptors.size() > kBuiltInDescriptorCount;
}

Channel ChannelRegistry::assignChannel(ChannelDesc& descriptor) {
  if (descriptor.m_channel != KX::Image::eChannelNone) {
    return descriptor.m_channel;
  }
  ChannelDescPtr self = descriptor.shared_from_this();
  // The table only gains holes when it is rebuilt, which also rewinds the cursor, so the
  // cursor can stay where the search for a hole ended.
  while (m_cursor < m_table.size() && m_table[m_cursor]) {
    ++m_cursor;
  }
  if (m_cursor < m_table.size()) {
    m_table[m_cursor] = std::move(self);
    ++m_cursor;
    descriptor.m_channel = Channel(m_cursor);
  } else if (m_table.size() < KX::Image::kMaxChannels) {
    m_table.push_back(std::move(self));
    m_cursor = m_table.size();
    descriptor.m_channel = Channel(m_table.size());
  } else if (!m_limitReported) {
    m_limitReported = true;
    std::cerr << "Script contains more than " << KX::Image::kMaxChannels << " channels." << std::endl;
  }
  return descriptor.m_channel;
}

// The order of the descriptor list: channels of a layer by layer name, then position in the
// layer; channels without a layer after them, by name.
bool ChannelRegistry::listsBefore(const ChannelDescPtr& a, const ChannelDescPtr& b) {
  const Layer* layerA = a->owner();
  const Layer* layerB = b->owner();
  if (layerA == nullptr || layerB == nullptr) {
    if (layerA != nullptr) {
      return true;
    }
    if (layerB != nullptr) {
      return false;
    }
    return a->name() < b->name();
  }
  if (layerA != layerB) {
    const int byName = layerA->name().compare(layerB->name());
    if (byName != 0) {
      return byName < 0;
    }
  }
  return a->layerIndex() < b->layerIndex();
}

int ChannelRegistry::compareByPurpose(const ChannelDesc& a, const ChannelDesc& b, bool legacy) {
  const std::uint32_t purposeA = a.purpose();
  const std::uint32_t purposeB = b.purpose();
  if (legacy) {
    // The legacy rule lets a channel without a purpose go before one with a purpose.
    if (purposeB != 0) {
      return purposeDifference(purposeA, purposeB);
    }
    if (purposeA != 0) {
      return -1;
    }
  } else {
    if (purposeA != 0 && purposeB != 0) {
      return purposeDifference(purposeA, purposeB);
    }
    if (purposeA != 0) {
      return -1;
    }
    if (purposeB != 0) {
      return 1;
    }
  }
  return compareNames(a.name(), b.name());
}

const Layer* ChannelRegistry::layerNamed(std::string_view name) const {
  const auto found = m_layersByName.find(name);
  if (found == m_layersByName.end()) {
    return nullptr;
  }
  if (found->second.size() == 1) {
    return found->second.front();
  }
  // Several layers share the name: the first listed wins.
  for (const LayerPtr& layer : m_layers) {
    if (layer->name() == name) {
      return layer.get();
    }
  }
  return nullptr;
}

LayerPtr ChannelRegistry::findLayer(std::string_view name) const {
  const Layer* layer = layerNamed(name);
  return layer != nullptr ? std::const_pointer_cast<Layer>(layer->shared_from_this()) : LayerPtr();
}

const Layer* ChannelRegistry::peekLayer(std::string_view name) const {
  return layerNamed(name == "uv" ? std::string_view("forward") : name);
}

LayerPtr ChannelRegistry::lookUpLayer(std::string_view name) const {
  return findLayer(name == "uv" ? std::string_view("forward") : name);
}

void ChannelRegistry::addLayer(const LayerPtr& layer) {
  m_layersByName[layer->name()].push_back(layer.get());
  if (m_layersNeedFullSort) {
    m_layers.push_back(layer);
    sortLayers();
    return;
  }
  // The user's layers are in order: the new one goes behind its equals, as a stable sort
  // would put it.
  const auto userBegin = m_layers.begin() + std::ptrdiff_t(std::min(kBuiltInLayerCount, m_layers.size()));
  m_layers.insert(std::upper_bound(userBegin, m_layers.end(), layer, layerListsBefore), layer);
}

void ChannelRegistry::layerRenamed(const Layer& layer, const std::string& oldName) {
  const auto found = m_layersByName.find(oldName);
  if (found != m_layersByName.end() && removeFrom(found->second, &layer)) {
    if (found->second.empty()) {
      m_layersByName.erase(found);
    }
    m_layersByName[layer.name()].push_back(&layer);
    m_layersNeedFullSort = true;
  }
  // The channels of the layer are listed by its name.
  m_descriptorsNeedFullSort = true;
}

void ChannelRegistry::sortLayers() {
  if (m_layersNeedFullSort) {
    const auto userBegin = m_layers.begin() + std::ptrdiff_t(std::min(kBuiltInLayerCount, m_layers.size()));
    std::stable_sort(userBegin, m_layers.end(), layerListsBefore);
    m_layersNeedFullSort = false;
  }
}

void ChannelRegistry::resetLayers() {
  std::vector<LayerPtr> kept;
  for (LayerPtr& layer : m_layers) {
    if (layer->builtIn()) {
      kept.push_back(std::move(layer));
    }
  }
  m_layers = std::move(kept);
  reindexLayers();
}

void ChannelRegistry::reindexLayers() {
  m_layersByName.clear();
  for (const LayerPtr& layer : m_layers) {
    m_layersByName[layer->name()].push_back(layer.get());
  }
}

} // namespace Velloro::Image
