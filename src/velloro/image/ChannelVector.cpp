#include <velloro/image/ChannelVector.h>

#include <velloro/image/internal/ChannelRegistry.h>

#include <cstring>
#include <string_view>

namespace Velloro::Image {

ChannelVector channels;

ChannelDescPtr ChannelVector::operator[](const char* name) const {
  if (name == nullptr) {
    return {};
  }
  const ChannelRegistry& registry = ChannelRegistry::get();
  // Most names need no remapping: they are looked up as they are, without a copy.
  const std::string_view wanted(name);
  if (ChannelDescPtr found = RemapKeepsName(wanted) ? registry.findByFullName(wanted)
                                                    : registry.findByFullName(ChannelDesc::RemapName(name))) {
    return found;
  }
  // A single letter names one of the four rgba channels.
  if (name[0] != '\0' && name[1] == '\0') {
    for (const char* letters : {"rgba", "RGBA"}) {
      if (const char* letter = std::strchr(letters, name[0])) {
        return registry.table()[std::size_t(letter - letters)];
      }
    }
  }
  if (ChannelDescPtr found = registry.findBySubname(name)) {
    return found;
  }
  if (std::strcmp(name, "uv.u") == 0) {
    return (*this)[KX::Image::Channel(6)];
  }
  if (std::strcmp(name, "uv.v") == 0) {
    return (*this)[KX::Image::Channel(7)];
  }
  return {};
}

ChannelDescPtr ChannelVector::operator[](KX::Image::Channel channel) const {
  const auto& table = ChannelRegistry::get().table();
  return channel >= 1 && channel <= table.size() ? table[channel - 1] : ChannelDescPtr();
}

const ChannelDescPtr& ChannelVector::operator[](std::size_t i) const {
  return ChannelRegistry::get().descriptors()[i];
}

std::size_t ChannelVector::size() const {
  return ChannelRegistry::get().descriptors().size();
}

} // namespace Velloro::Image
