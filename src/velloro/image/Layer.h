#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/image/ChannelDesc.h>

#include <KXImage/ChannelSet.h>
#include <KXImage/LayerI.h>

#include <QMetaType>

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace Velloro::Image {

// A named, ordered group of channel descriptors, such as "rgba" or "motion". The registry keeps
// one list of layers: the 17 built-in layers first, then the user's layers sorted by name. A
// descriptor may be listed in several layers; the first that takes it owns it and gives it its
// index. Layers are made only through std::make_shared of the leaf classes.
//
// Threads: the registry has no lock; every layer belongs to the GUI thread.
class VELLORO_EXPORT Layer : public KX::Image::LayerI, public std::enable_shared_from_this<Layer> {
public:
  // True when the layer has at least one channel and all of its channels are built in.
  bool builtIn() const override;
  KX::Image::ChannelSet getChannelSet() const override;
  const std::string& name() const override { return m_name; }
  ~Layer() override;
  bool visible() const override;

  // The layer of the name, made when there is none. Unless remapping is disabled, the name of
  // a built-in layer gives its "_extra" twin instead, so that new channels never join it.
  static std::shared_ptr<Layer> create(const char* name);
  // The layer of the name ("uv" names "forward"), or empty.
  static std::shared_ptr<Layer> get(const char* name);
  // Drops every layer that is not built in from the layer list.
  static void ResetToBuiltIn();

  const char* nameCStr() const { return m_name.c_str(); }
  // Renames the layer and puts the layer list and the descriptor list back in order.
  void name(const char* name);

  // The number of entries, empty ones included.
  unsigned size() const { return unsigned(m_entries.size()); }
  // Entry i, which may be empty; i must be below size().
  const std::shared_ptr<ChannelDesc>& operator[](std::size_t i) const { return m_entries[i]; }
  // The channel of entry i, or 0 when there is no such entry or it is empty.
  KX::Image::Channel channel(unsigned i) const;
  // assignChannel() of entry i, or 0 when there is no such entry or it is empty.
  KX::Image::Channel assignChannel(unsigned i);
  // The first entry with the channel, or holding the descriptor; size() - 1 when none does.
  int index(KX::Image::Channel channel) const;
  int index(const std::shared_ptr<ChannelDesc>& descriptor) const;
  // True when the channel of some entry is in the set.
  bool intersect(const KX::Image::ChannelSet& set) const;

  // Files the descriptor in the first empty entry (appended when there is none), or, when
  // sorted, in front of the first entry that it sorts before, moving the rest up by one.
  void add(std::shared_ptr<ChannelDesc> descriptor, bool sorted);
  // Puts the descriptor in entry i (adding empty entries up to it); the layer owns it when
  // nothing else does. The descriptor it displaces loses this layer as its owner.
  void replace(unsigned i, std::shared_ptr<ChannelDesc> descriptor);

protected:
  explicit Layer(const std::string& name);
  // A layer of count (at most 4) entries taken from c0 to c3 in order.
  Layer(const std::string& name, unsigned count, std::shared_ptr<ChannelDesc> c0,
        std::shared_ptr<ChannelDesc> c1 = {}, std::shared_ptr<ChannelDesc> c2 = {},
        std::shared_ptr<ChannelDesc> c3 = {});
  Layer(const Layer& other);
  Layer& operator=(const Layer& other);

private:
  friend class ChannelDesc;

  void own(unsigned index);
  bool ownsAny() const;

  std::string m_name;
  std::vector<std::shared_ptr<ChannelDesc>> m_entries;
  // Descriptors keep a weak reference to it to know whether their owner still lives.
  std::shared_ptr<const void> m_lifetime;
};

// The type in which layers travel in signals and item data (Qt meta-type "LayerPtr").
using LayerPtr = std::shared_ptr<Layer>;

// Writes the layer name.
VELLORO_EXPORT std::ostream& operator<<(std::ostream& stream, const Layer& layer);

// The layer named "all", without channels and in no list; the built-in "rgb" and "rgba".
extern VELLORO_EXPORT LayerPtr allLayer;
extern VELLORO_EXPORT LayerPtr rgbLayer;
extern VELLORO_EXPORT LayerPtr rgbaLayer;

} // namespace Velloro::Image

Q_DECLARE_METATYPE(Velloro::Image::LayerPtr)
