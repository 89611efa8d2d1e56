#pragma once

#include <velloro/image/ChannelDesc.h>
#include <velloro/image/Layer.h>

#include <KXImage/Channel.h>

#include <boost/container/small_vector.hpp>
#include <boost/unordered/unordered_flat_map.hpp>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Velloro::Image {

// Whether ChannelDesc::RemapName(name) gives the name back unchanged, as it does for most names;
// decided without building a string.
bool RemapKeepsName(std::string_view name);

// The process-wide state behind ChannelDesc, ChannelVector, Layer and LayerVector: the
// descriptor list, the channel table, the layer list, the two switches read when the library
// loads, and name indexes kept in step with the lists so that lookups need not scan them.
// Internal to the library.
//
// Threads: no lock; the GUI thread alone may touch it.
class ChannelRegistry {
public:
  static constexpr std::size_t kBuiltInDescriptorCount = 22;
  static constexpr std::size_t kBuiltInLayerCount = 17;

  // Built when the library loads.
  static ChannelRegistry& get();
  // Null once the registry is gone, while the library unloads.
  static ChannelRegistry* live();

  ChannelRegistry(const ChannelRegistry&) = delete;
  ChannelRegistry& operator=(const ChannelRegistry&) = delete;

  bool remappingDisabled() const { return m_remappingDisabled; }
  bool legacySorting() const { return m_legacySorting; }

  // Descriptor list.
  const std::vector<ChannelDescPtr>& descriptors() const { return m_descriptors; }
  void appendDescriptor(const ChannelDescPtr& descriptor);
  // The last listed descriptor of the full name, or empty.
  ChannelDescPtr findByFullName(std::string_view fullName) const;
  // The first listed descriptor whose channel name (after the last ".") equals name in any
  // case, or empty.
  ChannelDescPtr findBySubname(const std::string& name) const;
  void descriptorRenamed(const ChannelDesc& descriptor, const std::string& oldName);
  // Called after the owner or index of a descriptor changed in a way that may move it.
  void ownerChanged(const ChannelDesc& descriptor);
  // Called when a change may have moved any descriptor: the next sort sorts everything.
  void orderInvalidated() { m_descriptorsNeedFullSort = true; }
  // Puts the descriptors after the built-ins in order: by owning layer name and index, then
  // those without a layer by name. Stable, as a bubble sort with the same rule would be. While
  // two different layers that own descriptors share a name, the rule does not order their
  // channels among themselves: the list then follows the neighbour swaps of the bubble sort.
  void sortDescriptors();
  void resetDescriptors();

  // Channel table.
  const std::vector<ChannelDescPtr>& table() const { return m_table; }
  KX::Image::Channel assignChannel(ChannelDesc& descriptor);

  // Three-way comparison of two descriptors by purpose, then by name (new or legacy rule).
  static int compareByPurpose(const ChannelDesc& a, const ChannelDesc& b, bool legacy);

  // Layer list.
  const std::vector<LayerPtr>& layers() const { return m_layers; }
  // The first listed layer of exactly that name, or empty.
  LayerPtr findLayer(std::string_view name) const;
  // As findLayer, with "uv" looked up as "forward".
  LayerPtr lookUpLayer(std::string_view name) const;
  // As lookUpLayer, without taking a reference: for lookups that only look.
  const Layer* peekLayer(std::string_view name) const;
  // Appends a layer and files it by name behind the built-ins.
  void addLayer(const LayerPtr& layer);
  void layerRenamed(const Layer& layer, const std::string& oldName);
  // Puts the user's layers back in order by name after a rename. Stable, as a bubble sort
  // would be.
  void sortLayers();
  void resetLayers();
  const LayerPtr& allLayer() const { return m_allLayer; }

private:
  using DescriptorBucket = boost::container::small_vector<const ChannelDesc*, 1>;
  using LayerBucket = boost::container::small_vector<const Layer*, 1>;
  // Hashes std::string and std::string_view alike, so that names are looked up without being
  // copied into a string first.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  template <typename Bucket>
  using NameIndex = boost::unordered_flat_map<std::string, Bucket, NameHash, std::equal_to<>>;

  const Layer* layerNamed(std::string_view name) const;

  ChannelRegistry();
  ~ChannelRegistry();

  static bool listsBefore(const ChannelDescPtr& a, const ChannelDescPtr& b);
  // Whether the neighbours x, y of the list swap places in the bubble sort.
  static bool swapsInList(const ChannelDesc& x, const ChannelDesc& y);
  // Whether two different layers owning listed descriptors share a name.
  bool layerNamesRepeat() const;
  // Whether a layer other than the descriptor's owner, but of its name, owns a descriptor of
  // the sorted part of the list (which must be in order).
  bool sharesNameWithAnotherLayer(const ChannelDesc& descriptor) const;
  void bubbleSortDescriptors();

  void registerBuiltIns();
  void indexDescriptor(const ChannelDesc& descriptor);
  bool unindexDescriptor(const ChannelDesc& descriptor, const std::string& name);
  void reindexDescriptors();
  void reindexLayers();
  bool inUnsortedTail(const ChannelDesc& descriptor) const;

  const bool m_remappingDisabled;
  const bool m_legacySorting;

  std::vector<ChannelDescPtr> m_descriptors;
  // Descriptors from here on were appended since the last sort; those before it (after the
  // built-ins) are in order unless mDescriptorsNeedFullSort.
  std::size_t m_sortedEnd = 0;
  bool m_descriptorsNeedFullSort = false;
  // Found by the last full sort, or since: see sortDescriptors().
  bool m_layerNamesRepeat = false;
  NameIndex<DescriptorBucket> m_byFullName;
  // Keyed by the channel name in lower case.
  std::unordered_map<std::string, DescriptorBucket> m_bySubname;

  std::vector<ChannelDescPtr> m_table;
  std::size_t m_cursor = 0;
  bool m_limitReported = false;

  std::vector<LayerPtr> m_layers;
  bool m_layersNeedFullSort = false;
  NameIndex<LayerBucket> m_layersByName;
  LayerPtr m_allLayer;
};

} // namespace Velloro::Image
