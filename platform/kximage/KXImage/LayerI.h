#pragma once

#include <KXImage/ChannelSet.h>
#include <KXImage/KXImageExport.h>

#include <string>

namespace KX::Image {

// A named group of channels as the image SDK sees it. The channel registry that the host
// installs (see ChannelHooks.h) provides the implementation.
class KXIMAGE_EXPORT LayerI {
public:
  LayerI() = default;
  LayerI(const LayerI&) = default;
  LayerI& operator=(const LayerI&) = default;

  // Whether every channel of the layer is one of the registry's built-in channels.
  virtual bool builtIn() const = 0;
  virtual ChannelSet getChannelSet() const = 0;
  virtual const std::string& name() const = 0;
  virtual ~LayerI();
  virtual bool visible() const = 0;
};

} // namespace KX::Image
