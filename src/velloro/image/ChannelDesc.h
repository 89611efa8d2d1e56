#pragma once

#include <velloro/VelloroExport.h>

#include <KXImage/Channel.h>

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

namespace Velloro::Image {

class Layer;
class ChannelRegistry;

// One image channel of the process-wide channel registry: its full name (layer.channel), the
// channel number the image SDK knows it by, its purpose (the colour role 1 to 4 for red, green,
// blue and alpha, 0 for none; the 22 built-in channels carry their own) and the layer that owns
// it. Descriptors are made only by create, createNew or the leaf classes through
// std::make_shared, and are always held by std::shared_ptr.
//
// Threads: the registry has no lock; every descriptor belongs to the GUI thread.
class VELLORO_EXPORT ChannelDesc : public std::enable_shared_from_this<ChannelDesc> {
public:
  virtual ~ChannelDesc();
  virtual bool visible() const;

  // The descriptor that the name looks up to, or a new one filed in its layer (kept in order
  // within the layer when sorted). A new descriptor has no channel number until assignChannel.
  static std::shared_ptr<ChannelDesc> create(const char* name, bool sorted);
  // Always a new descriptor at the end of the registry, in no layer and without a number.
  static std::shared_ptr<ChannelDesc> createNew(const char* name, bool keepName);
  // The name a channel is filed under: aliases resolved, "other." before a name without a
  // layer, and (unless remapping is disabled) a new channel of a built-in layer moved to the
  // layer's "_extra" twin.
  static std::string RemapName(const std::string& name);
  // The text before the first ".", or an empty string when there is none.
  static std::string LayerName(const std::string& name);
  // The colour role of a channel name (the part after the layer): 1 to 4 for red, green, blue
  // and alpha (in any case, or their first letter alone), 0 otherwise.
  static KX::Image::Channel purpose(const char* name);
  // Whether ORVIK_DISABLE_CHANNEL_REMAPPING was set when the library was loaded.
  static bool IsChannelRemappingDisabled();
  // Forgets every channel but the 22 built-ins; the next channel number given is 23 again.
  static void ResetToBuiltIn();

  // The channel number, given now from the first free one when there is none yet; 0 when all
  // 1023 are taken. Throws std::bad_weak_ptr for a descriptor that no std::shared_ptr holds.
  KX::Image::Channel assignChannel();

  KX::Image::Channel channel() const { return m_channel; }
  KX::Image::Channel purpose() const { return m_purpose; }
  unsigned layerIndex() const { return m_index; }
  bool builtIn() const;
  // The colour (0 to 3) the channel shows as: its place in its layer, 3 from the fourth on.
  unsigned colourIndex() const;
  std::shared_ptr<Layer> layer() const;
  const char* layerName() const;
  const char* subname() const;
  const std::string& name() const { return m_name; }
  // Renames the descriptor (the name is remapped) and takes the purpose of the new name.
  void name(const char* name);
  // The channel of entry index of the owning layer, or 0.
  KX::Image::Channel brother(unsigned index) const;

protected:
  ChannelDesc(const std::string& name, KX::Image::Channel channel, KX::Image::Channel purpose);
  ChannelDesc(const std::string& name, bool keepName);
  ChannelDesc(const ChannelDesc& other);
  ChannelDesc& operator=(const ChannelDesc& other);

private:
  friend class Layer;
  friend class ChannelRegistry;

  // The owning layer while it lives, else null.
  Layer* owner() const;
  void setOwner(Layer* layer, unsigned index);

  std::string m_name;
  KX::Image::Channel m_channel = KX::Image::eChannelNone;
  KX::Image::Channel m_purpose = KX::Image::eChannelNone;
  // The owner is not held: the weak reference tells whether it still lives.
  std::weak_ptr<const void> m_layerLifetime;
  Layer* m_layer = nullptr;
  std::uint32_t m_index = 0;
};

using ChannelDescPtr = std::shared_ptr<ChannelDesc>;

// Writes the full name.
VELLORO_EXPORT std::ostream& operator<<(std::ostream& stream, const ChannelDesc& descriptor);

} // namespace Velloro::Image
