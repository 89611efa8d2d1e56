#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/image/ChannelDesc.h>

#include <KXImage/Channel.h>

#include <cstddef>

namespace Velloro::Image {

// A view of the registry's descriptors: by name, by channel number, and in list order (the 22
// built-ins first, then the rest by layer name and position in the layer, then the channels
// without a layer by name). It has no state of its own, so assigning one does nothing.
//
// Threads: GUI thread only, as the registry.
class VELLORO_EXPORT ChannelVector {
public:
  ChannelVector() = default;
  ChannelVector(const ChannelVector&) = default;
  ChannelVector& operator=(const ChannelVector&) { return *this; }
  ChannelVector& operator=(ChannelVector&&) { return *this; }

  // The descriptor of a name: by its full name after remapping (the latest listed wins), a
  // single letter r, g, b or a (either case) for the rgba channels, the first listed whose
  // channel name matches in any case, or "uv.u" and "uv.v" for the forward vectors; else empty.
  ChannelDescPtr operator[](const char* name) const;
  // The descriptor of a channel number, or empty.
  ChannelDescPtr operator[](KX::Image::Channel channel) const;
  // Descriptor i of the list; i must be below size().
  const ChannelDescPtr& operator[](std::size_t i) const;
  std::size_t size() const;
};

// The one view of the descriptors.
extern VELLORO_EXPORT ChannelVector channels;

} // namespace Velloro::Image
